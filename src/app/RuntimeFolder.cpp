#include "app/RuntimeFolder.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <system_error>

namespace orvane::app {

std::optional<std::filesystem::path> TrustedFolder(const std::filesystem::path& folder,
                                                   bool create) {
  if (create && ::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) return std::nullopt;
  struct stat info {};
  const bool trusted = ::lstat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode) &&
                       info.st_uid == ::geteuid() && (info.st_mode & 077) == 0;
  return trusted ? std::optional(folder) : std::nullopt;
}

std::optional<std::filesystem::path> RuntimeFolder() {
  const char* session = std::getenv("XDG_RUNTIME_DIR");
  const bool ownFolder = session == nullptr || *session == '\0';
  return TrustedFolder(WantedRuntimeFolder(), ownFolder);
}

std::filesystem::path WantedRuntimeFolder() {
  const char* session = std::getenv("XDG_RUNTIME_DIR");
  if (session != nullptr && *session != '\0') return session;
  return "/tmp/orvane-" + std::to_string(::geteuid());
}

std::string OwnExecutablePath() {
  std::error_code error;
  return std::filesystem::read_symlink("/proc/self/exe", error).string();
}

}  // namespace orvane::app
