#pragma once

#include <fcntl.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <stdexcept>
#include <string>

namespace orvane::serial::test {

// Another program holding a serial device the way a careful one does: open,
// an exclusive flock and TIOCEXCL. To the panel it is another opener
// whichever process holds it, as flock locks belong to open files.
class TPortHolder {
 public:
  explicit TPortHolder(const std::string& device)
      : fd_(::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC)) {
    if (fd_ < 0 || ::flock(fd_, LOCK_EX | LOCK_NB) != 0 || ::ioctl(fd_, TIOCEXCL) != 0) {
      Release();
      throw std::runtime_error("cannot hold " + device);
    }
  }
  ~TPortHolder() { Release(); }
  TPortHolder(const TPortHolder&) = delete;
  TPortHolder& operator=(const TPortHolder&) = delete;

  void Release() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
  }

 private:
  int fd_;
};

}  // namespace orvane::serial::test
