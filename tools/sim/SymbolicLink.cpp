#include "SymbolicLink.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <system_error>

namespace orvane::sim {

void SymbolicLink::PointTo(const std::string& target) const {
  std::string temporary = path_ + ".tmp" + std::to_string(getpid());
  unlink(temporary.c_str());
  if (symlink(target.c_str(), temporary.c_str()) != 0) {
    throw std::system_error(errno, std::generic_category(), "symlink " + temporary);
  }
  if (std::rename(temporary.c_str(), path_.c_str()) != 0) {
    int error = errno;
    unlink(temporary.c_str());
    throw std::system_error(error, std::generic_category(), "rename to " + path_);
  }
}

void SymbolicLink::RemoveIfPointingTo(const std::string& target) const {
  char buffer[4096];
  ssize_t length = readlink(path_.c_str(), buffer, sizeof buffer);
  if (length < 0 || std::string(buffer, static_cast<std::size_t>(length)) != target) return;
  unlink(path_.c_str());
}

}  // namespace orvane::sim
