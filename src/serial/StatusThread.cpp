#include "serial/StatusThread.h"

#include <poll.h>

#include <cerrno>

#include "serial/SerialErrors.h"
#include "serial/WorkerHost.h"

namespace orvane::serial {

int TStatusThread::Execute() {
  auto& h = fHost;
  pollfd fds[2] = {{h.DeviceFd(), 0, 0}, {h.Events().Stop.Fd(), POLLIN, 0}};
  while (!h.StopFlag()) {
    if (poll(fds, 2, -1) < 0) {
      if (errno == EINTR) continue;
      return h.FailDevice(ecDeviceRead, errno);
    }
    if (fds[1].revents != 0) break;
    if (fds[0].revents != 0) return h.FailDevice(ecDeviceRead, EIO);
  }
  return 0;
}

}  // namespace orvane::serial
