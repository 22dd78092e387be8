#include "serial/UucpLock.h"

#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <fstream>
#include <iterator>

namespace orvane::serial {
namespace {

std::filesystem::path& LockDir() {
  static std::filesystem::path dir = "/var/lock";
  return dir;
}

// Locks are named after the device node itself, so a link such as one under
// /dev/serial/by-id is followed first.
std::string LockName(const std::string& device) {
  std::error_code error;
  const std::filesystem::path real = std::filesystem::canonical(device, error);
  return "LCK.." + (error ? std::filesystem::path(device) : real).filename().string();
}

// The pid a lock file names; 0 when there is no such file or it names none.
pid_t LockPid(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  const bool ascii = std::all_of(
      text.begin(), text.end(), [](unsigned char c) { return std::isdigit(c) || std::isspace(c); });
  pid_t pid = 0;
  if (!ascii && text.size() == sizeof pid) {
    std::memcpy(&pid, text.data(), sizeof pid);
  } else if (const auto first = text.find_first_not_of(" \t\n"); ascii && first != text.npos) {
    std::from_chars(text.data() + first, text.data() + text.size(), pid);
  }
  return pid;
}

}  // namespace

std::optional<pid_t> LockFileHolder(const std::string& device) {
  const pid_t pid = LockPid(LockDir() / LockName(device));
  // EPERM: the process exists but belongs to another account.
  if (pid > 0 && pid != getpid() && (kill(pid, 0) == 0 || errno == EPERM)) return pid;
  return std::nullopt;
}

bool HeldByLockFile(const std::string& device) { return LockFileHolder(device).has_value(); }

const std::filesystem::path& LockFileDirectory() { return LockDir(); }

void SetLockFileDirectory(std::filesystem::path dir) { LockDir() = std::move(dir); }

}  // namespace orvane::serial
