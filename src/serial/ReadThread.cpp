#include "serial/ReadThread.h"

#include <poll.h>
#include <unistd.h>

#include <cerrno>

#include "serial/Win32Dispatcher.h"

namespace orvane::serial {

int TReadThread::Execute() {
  auto& d = fDispatcher;
  pollfd fds[2] = {{d.fFd, POLLIN, 0}, {d.fEvents->Stop.Fd(), POLLIN, 0}};
  while (!d.fKillThreads) {
    d.FQueue.WaitForRoom(d.fKillThreads);
    if (d.fKillThreads) break;
    if (poll(fds, 2, -1) < 0) {
      if (errno == EINTR) continue;
      return d.FailDevice(ecDeviceRead, errno);
    }
    if (fds[1].revents != 0) break;
    if ((fds[0].revents & POLLIN) != 0) {
      if (const int rc = DrainDevice(); rc < 0) return rc;
    } else if (fds[0].revents != 0) {
      return d.FailDevice(ecDeviceRead, EIO);  // hung up: the line was unplugged
    }
  }
  return 0;
}

// Reads what the driver holds until it has no more or the queue is full.
int TReadThread::DrainDevice() {
  auto& d = fDispatcher;
  while (!d.fKillThreads && !d.FQueue.Full()) {
    TDataBuffer chunk;
    const ssize_t n = read(d.fFd, chunk.FData.data(), chunk.FDataSize);
    if (n > 0) {
      chunk.FDataUsed = static_cast<std::size_t>(n);
      d.FQueue.Push(chunk);
    } else if (n < 0 && errno == EAGAIN) {
      return 0;
    } else if (n < 0 && errno != EINTR) {
      return d.FailDevice(ecDeviceRead, errno);
    } else if (n == 0) {
      return d.FailDevice(ecDeviceRead, EIO);  // a hung-up tty reads as end of file
    }
  }
  return 0;
}

}  // namespace orvane::serial
