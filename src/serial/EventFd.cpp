#include "serial/EventFd.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <system_error>

namespace orvane::serial {

TEventFd::TEventFd() : fFd(eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC)) {
  if (fFd < 0) throw std::system_error(errno, std::generic_category(), "eventfd");
}

TEventFd::~TEventFd() { close(fFd); }

void TEventFd::Signal() {
  const std::uint64_t one = 1;
  // The counter cannot overflow at our rates; a failed write would only mean
  // it is already signalled.
  [[maybe_unused]] auto n = write(fFd, &one, sizeof one);
}

bool TEventFd::Consume() {
  std::uint64_t value = 0;
  return read(fFd, &value, sizeof value) == static_cast<ssize_t>(sizeof value);
}

bool TEventFd::WaitFor(int ms) {
  pollfd p{fFd, POLLIN, 0};
  while (poll(&p, 1, ms) < 0 && errno == EINTR) {
  }
  return Consume();
}

}  // namespace orvane::serial
