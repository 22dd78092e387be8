#include "serial/DispThread.h"

#include "serial/Win32Dispatcher.h"

namespace orvane::serial {

int TDispThread::Execute() {
  fDispatcher.DispatchLoop();
  return 0;
}

}  // namespace orvane::serial
