#pragma once

#include <sys/types.h>

#include <filesystem>
#include <optional>
#include <string>

namespace orvane::serial {

// True while another running program holds `device` by the UUCP convention:
// a file LCK..<device name> in the lock directory naming its pid, as ASCII
// digits or as a binary int. A lock whose process has gone is stale and does
// not count. This program only reads such files; its own hold on a line is
// TIOCEXCL and flock.
bool HeldByLockFile(const std::string& device);
// The running process such a lock file names.
std::optional<pid_t> LockFileHolder(const std::string& device);

// The lock directory, /var/lock. Tests point it at a folder of their own.
const std::filesystem::path& LockFileDirectory();
void SetLockFileDirectory(std::filesystem::path dir);

}  // namespace orvane::serial
