#include "serial/DispatcherThread.h"

#include <pthread.h>

#include <cerrno>
#include <new>

#include "serial/SerialErrors.h"
#include "serial/WorkerHost.h"

namespace orvane::serial {

TApdDispatcherThread::~TApdDispatcherThread() { Join(); }

void TApdDispatcherThread::Start() {
  fThread = std::thread([this] { Run(); });
}

void TApdDispatcherThread::Join() {
  if (fThread.joinable()) fThread.join();
}

void TApdDispatcherThread::Run() {
  pthread_setname_np(pthread_self(), Name());
  int endCode = 0;
  try {
    endCode = Execute();
  } catch (const std::bad_alloc&) {
    endCode = fHost.FailDevice(ecOutOfMemory, ENOMEM);
  }
  fHost.WorkerEnded(endCode);
}

int TDispThread::Execute() {
  fHost.RunDispatch();
  return 0;
}

}  // namespace orvane::serial
