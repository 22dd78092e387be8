#include "serial/DispatcherThread.h"

#include <pthread.h>

#include <new>

#include "serial/Win32Dispatcher.h"

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
    endCode = fDispatcher.FailDevice(ecOutOfMemory, ENOMEM);
  }
  fDispatcher.ThreadEnded(endCode);
}

}  // namespace orvane::serial
