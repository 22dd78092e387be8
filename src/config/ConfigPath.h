#pragma once

#include <filesystem>

namespace orvane::config {

// config.ini in the folder of the running executable, so that each copy of
// the program is an installation of its own.
std::filesystem::path ConfigIniPath();

}  // namespace orvane::config
