#include "config/ConfigPath.h"

namespace orvane::config {

std::filesystem::path ConfigIniPath() {
  return std::filesystem::read_symlink("/proc/self/exe").parent_path() / "config.ini";
}

}  // namespace orvane::config
