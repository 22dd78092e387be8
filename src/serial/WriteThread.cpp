#include "serial/WriteThread.h"

#include <poll.h>
#include <unistd.h>

#include <cerrno>

#include "serial/SerialErrors.h"
#include "serial/WorkerHost.h"

namespace orvane::serial {

namespace {

bool Readable(int fd) {
  pollfd p{fd, POLLIN, 0};
  return poll(&p, 1, 0) > 0;
}

}  // namespace

int TWriteThread::Execute() {
  auto& h = fHost;
  auto& ev = h.Events();
  pollfd fds[3] = {
      {ev.Output.Fd(), POLLIN, 0}, {ev.Flush.Fd(), POLLIN, 0}, {ev.Stop.Fd(), POLLIN, 0}};
  while (!h.StopFlag()) {
    if (poll(fds, 3, -1) < 0) {
      if (errno == EINTR) continue;
      return h.FailDevice(ecDeviceWrite, errno);
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
    const std::vector<std::uint8_t> block = fHost.NextOutput();
    if (block.empty()) return 0;
    const int rc = WriteBlock(block);
    if (rc != 0) return rc < 0 ? rc : 0;
  }
}

int TWriteThread::WriteBlock(const std::vector<std::uint8_t>& block) {
  auto& h = fHost;
  std::size_t done = 0;
  while (done < block.size()) {
    if (h.StopFlag() || Readable(h.Events().Flush.Fd())) return 1;
    const ssize_t n = write(h.DeviceFd(), block.data() + done, block.size() - done);
    if (n > 0) {
      done += static_cast<std::size_t>(n);
    } else if (n < 0 && errno == EAGAIN) {
      if (const int rc = AwaitWritable(); rc != 0) return rc;
    } else if (n == 0 || errno != EINTR) {
      return h.FailDevice(ecDeviceWrite, n == 0 ? EIO : errno);
    }
  }
  return 0;
}

int TWriteThread::AwaitWritable() {
  auto& h = fHost;
  auto& ev = h.Events();
  pollfd fds[3] = {
      {h.DeviceFd(), POLLOUT, 0}, {ev.Flush.Fd(), POLLIN, 0}, {ev.Stop.Fd(), POLLIN, 0}};
  while (poll(fds, 3, -1) < 0) {
    if (errno != EINTR) return h.FailDevice(ecDeviceWrite, errno);
  }
  if (fds[1].revents != 0 || fds[2].revents != 0) return 1;
  if ((fds[0].revents & POLLOUT) != 0) return 0;
  return h.FailDevice(ecDeviceWrite, EIO);
}

}  // namespace orvane::serial
