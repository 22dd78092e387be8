#include "serial/WriteThread.h"

#include <poll.h>
#include <unistd.h>

#include <cerrno>

#include "serial/Win32Dispatcher.h"

namespace orvane::serial {

namespace {

bool Readable(int fd) {
  pollfd p{fd, POLLIN, 0};
  return poll(&p, 1, 0) > 0;
}

}  // namespace

int TWriteThread::Execute() {
  auto& d = fDispatcher;
  auto& ev = *d.fEvents;
  pollfd fds[3] = {
      {ev.Output.Fd(), POLLIN, 0}, {ev.Flush.Fd(), POLLIN, 0}, {ev.Stop.Fd(), POLLIN, 0}};
  while (!d.fKillThreads) {
    if (poll(fds, 3, -1) < 0) {
      if (errno == EINTR) continue;
      return d.FailDevice(ecDeviceWrite, errno);
    }
    if (fds[2].revents != 0) break;
    if (fds[1].revents != 0) {
      ev.Flush.Consume();
      ev.General.Signal();
    } else if (fds[0].revents != 0) {
      ev.Output.Consume();
      if (const int rc = Drain(); rc < 0) return rc;
    }
  }
  return 0;
}

int TWriteThread::Drain() {
  for (;;) {
    const std::vector<std::uint8_t> block = fDispatcher.TakeOutput();
    if (block.empty()) return 0;
    const int rc = WriteBlock(block);
    if (rc != 0) return rc < 0 ? rc : 0;
  }
}

int TWriteThread::WriteBlock(const std::vector<std::uint8_t>& block) {
  auto& d = fDispatcher;
  std::size_t done = 0;
  while (done < block.size()) {
    if (d.fKillThreads || Readable(d.fEvents->Flush.Fd())) return 1;
    const ssize_t n = write(d.fFd, block.data() + done, block.size() - done);
    if (n > 0) {
      done += static_cast<std::size_t>(n);
    } else if (n < 0 && errno == EAGAIN) {
      if (const int rc = AwaitWritable(); rc != 0) return rc;
    } else if (n == 0 || errno != EINTR) {
      return d.FailDevice(ecDeviceWrite, n == 0 ? EIO : errno);
    }
  }
  return 0;
}

int TWriteThread::AwaitWritable() {
  auto& d = fDispatcher;
  pollfd fds[3] = {
      {d.fFd, POLLOUT, 0}, {d.fEvents->Flush.Fd(), POLLIN, 0}, {d.fEvents->Stop.Fd(), POLLIN, 0}};
  while (poll(fds, 3, -1) < 0) {
    if (errno != EINTR) return d.FailDevice(ecDeviceWrite, errno);
  }
  if (fds[1].revents != 0 || fds[2].revents != 0) return 1;
  if ((fds[0].revents & POLLOUT) != 0) return 0;
  return d.FailDevice(ecDeviceWrite, EIO);
}

}  // namespace orvane::serial
