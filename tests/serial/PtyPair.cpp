#include "PtyPair.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <stdexcept>

#include "serial/PtyDsr.h"

namespace orvane::serial::test {

TPtyPair::TPtyPair(bool unlock) : fMaster(posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC)) {
  if (fMaster < 0 || grantpt(fMaster) != 0 || (unlock && unlockpt(fMaster) != 0)) {
    throw std::runtime_error("cannot create a pseudo-terminal");
  }
  fSlavePath = ptsname(fMaster);
}

TPtyPair::~TPtyPair() { CloseMaster(); }

void TPtyPair::Write(std::span<const unsigned char> bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = write(fMaster, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno != EINTR) throw std::runtime_error("pty write failed");
    if (n > 0) done += static_cast<std::size_t>(n);
  }
}

void TPtyPair::Write(const std::string& text) {
  Write(std::span(reinterpret_cast<const unsigned char*>(text.data()), text.size()));
}

std::string TPtyPair::Read(std::size_t n, int ms) {
  using namespace std::chrono;
  const auto deadline = steady_clock::now() + milliseconds(ms);
  std::string result;
  while (result.size() < n) {
    const auto left = duration_cast<milliseconds>(deadline - steady_clock::now()).count();
    pollfd p{fMaster, POLLIN, 0};
    if (left <= 0 || poll(&p, 1, static_cast<int>(left)) <= 0) break;
    char buf[4096];
    const ssize_t got = read(fMaster, buf, std::min(sizeof buf, n - result.size()));
    if (got <= 0) break;
    result.append(buf, static_cast<std::size_t>(got));
  }
  return result;
}

void TPtyPair::SetDsrOff(bool off) { SetPtyDsr(fMaster, !off); }

void TPtyPair::CloseMaster() {
  if (fMaster >= 0) close(fMaster);
  fMaster = -1;
}

}  // namespace orvane::serial::test
