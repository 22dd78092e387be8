#include "serial/ReadThread.h"

#include <poll.h>
#include <unistd.h>

#include <cerrno>

#include "serial/SerialErrors.h"
#include "serial/WorkerHost.h"

namespace orvane::serial {

int TReadThread::Execute() {
  auto& h = fHost;
  const std::atomic<bool>& stop = h.StopFlag();
  pollfd fds[2] = {{h.DeviceFd(), POLLIN, 0}, {h.Events().Stop.Fd(), POLLIN, 0}};
  while (!stop) {
    h.InputQueue().WaitForRoom(stop);
    if (stop) break;
    if (poll(fds, 2, -1) < 0) {
      if (errno == EINTR) continue;
      return h.FailDevice(ecDeviceRead, errno);
    }
    if (fds[1].revents != 0) break;
    if ((fds[0].revents & POLLIN) != 0) {
      if (const int rc = DrainDevice(); rc < 0) return rc;
    } else if (fds[0].revents != 0) {
      return h.FailDevice(ecDeviceRead, EIO);  // hung up: the line was unplugged
    }
  }
  return 0;
}

// Reads what the driver holds until it has no more or the queue is full.
int TReadThread::DrainDevice() {
  auto& h = fHost;
  TIOQueue& queue = h.InputQueue();
  while (!h.StopFlag() && !queue.Full()) {
    TDataBuffer chunk;
    const ssize_t n = read(h.DeviceFd(), chunk.FData.data(), chunk.FDataSize);
    if (n > 0) {
      chunk.FDataUsed = static_cast<std::size_t>(n);
      queue.Push(chunk);
    } else if (n < 0 && errno == EAGAIN) {
      return 0;
    } else if (n < 0 && errno != EINTR) {
      return h.FailDevice(ecDeviceRead, errno);
    } else if (n == 0) {
      return h.FailDevice(ecDeviceRead, EIO);  // a hung-up tty reads as end of file
    }
  }
  return 0;
}

}  // namespace orvane::serial
