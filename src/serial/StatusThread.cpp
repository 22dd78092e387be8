#include "serial/StatusThread.h"

#include <poll.h>

#include <cerrno>

#include "serial/Win32Dispatcher.h"

namespace orvane::serial {

int TStatusThread::Execute() {
  auto& d = fDispatcher;
  pollfd fds[2] = {{d.fFd, 0, 0}, {d.fEvents->Stop.Fd(), POLLIN, 0}};
  while (!d.fKillThreads) {
    if (poll(fds, 2, -1) < 0) {
      if (errno == EINTR) continue;
      return d.FailDevice(ecDeviceRead, errno);
    }
    if (fds[1].revents != 0) break;
    if (fds[0].revents != 0) return d.FailDevice(ecDeviceRead, EIO);
  }
  return 0;
}

}  // namespace orvane::serial
