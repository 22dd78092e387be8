#include "SerialEnd.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

namespace {

int WaitFor(int fd, short events, std::chrono::milliseconds timeout) {
  pollfd p{fd, events, 0};
  if (poll(&p, 1, static_cast<int>(std::max<long>(timeout.count(), 0))) <= 0) return 0;
  return p.revents;
}

}  // namespace

SerialEnd::SerialEnd(const std::string& path) {
  fd_ = open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  termios settings{};
  if (fd_ < 0 || tcgetattr(fd_, &settings) != 0) return;
  cfmakeraw(&settings);
  tcsetattr(fd_, TCSANOW, &settings);
}

SerialEnd::~SerialEnd() {
  if (fd_ >= 0) close(fd_);
}

void SerialEnd::SendRaw(std::string_view bytes) const {
  while (!bytes.empty()) {
    ssize_t written = write(fd_, bytes.data(), bytes.size());
    bool full = written < 0 && errno == EAGAIN;
    if (full && (WaitFor(fd_, POLLOUT, std::chrono::seconds(1)) & POLLOUT)) continue;
    if (written <= 0) return;
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
}

void SerialEnd::Send(std::string_view command) const { SendRaw(std::string(command) + "\r"); }

std::optional<std::string> SerialEnd::ReadLine(std::chrono::milliseconds timeout) {
  auto deadline = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    if (std::size_t cr = pending_.find('\r'); cr != std::string::npos) {
      std::string line = pending_.substr(0, cr + 1);
      pending_.erase(0, cr + 1);
      return line;
    }
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    std::optional<std::string> bytes = ReadSome(left);
    if (!bytes) return std::nullopt;
    pending_ += *bytes;
  }
}

std::optional<std::string> SerialEnd::Ask(std::string_view command) {
  Send(command);
  return ReadLine();
}

std::optional<std::string> SerialEnd::ReadSome(std::chrono::milliseconds timeout) {
  if (!(WaitFor(fd_, POLLIN, timeout) & POLLIN)) return std::nullopt;
  char buffer[256];
  ssize_t got = read(fd_, buffer, sizeof buffer);
  if (got <= 0) return std::nullopt;
  return std::string(buffer, static_cast<std::size_t>(got));
}

unsigned SerialEnd::XPixel() const {
  winsize size{};
  ioctl(fd_, TIOCGWINSZ, &size);
  return size.ws_xpixel;
}

bool SerialEnd::WaitHangUp(std::chrono::milliseconds timeout) const {
  int revents = WaitFor(fd_, POLLIN, timeout);
  if (revents & (POLLHUP | POLLERR)) return true;
  char byte = 0;
  return (revents & POLLIN) && read(fd_, &byte, 1) <= 0;
}
