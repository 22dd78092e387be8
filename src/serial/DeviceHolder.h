#pragma once

#include <sys/types.h>

#include <optional>
#include <string>

namespace orvane::serial {

// Another process that has a device open: its pid and its name as the
// system lists it (/proc/<pid>/comm).
struct TDeviceHolder {
  pid_t Pid = 0;
  std::string Name;
};

// The process holding the flock on `device` (/proc/locks, any account's);
// with no such lock, the first other process found with the device open
// among the open files under /proc (only processes this account may look
// into), else the process a UUCP lock file names. None when this process
// holds the lock itself.
std::optional<TDeviceHolder> FindDeviceHolder(const std::string& device);

// What the operator is told about a device that another opener holds:
// "<device> is in use by another program", followed by ": <name> (process
// <pid>)" when the holder is known.
std::string InUseText(const std::string& device, const std::optional<TDeviceHolder>& holder);

}  // namespace orvane::serial
