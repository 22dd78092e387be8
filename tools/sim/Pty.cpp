#include "Pty.h"

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <system_error>

#include "serial/PtyDsr.h"

namespace orvane::sim {
namespace {

constexpr std::size_t kReadChunk = 512;

[[noreturn]] void Fail(const char* what) {
  throw std::system_error(errno, std::generic_category(), what);
}

}  // namespace

Pty::Pty() {
  master_ = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (master_ < 0) Fail("posix_openpt");
  char name[128];
  if (grantpt(master_) != 0 || unlockpt(master_) != 0 || ptsname_r(master_, name, sizeof name)) {
    int error = errno;
    close(master_);
    errno = error;
    Fail("pty setup");
  }
  slavePath_ = name;
  ownSlave_ = open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (ownSlave_ < 0) {
    int error = errno;
    close(master_);
    errno = error;
    Fail("open pty slave");
  }
  MakeRaw();
  SetDsr(true);
}

Pty::~Pty() {
  close(ownSlave_);
  close(master_);
}

void Pty::MakeRaw() {
  termios settings{};
  if (tcgetattr(ownSlave_, &settings) != 0) return;
  cfmakeraw(&settings);
  cfsetspeed(&settings, B2400);
  tcsetattr(ownSlave_, TCSANOW, &settings);
}

void Pty::SetDsr(bool asserted) { serial::SetPtyDsr(master_, asserted); }

void Pty::Write(std::string_view bytes) {
  while (!bytes.empty()) {
    ssize_t written = write(master_, bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return;
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
}

std::string Pty::Read() {
  std::string bytes(kReadChunk, '\0');
  ssize_t got = read(master_, bytes.data(), bytes.size());
  bytes.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
  return bytes;
}

}  // namespace orvane::sim
