#include "serial/DeviceHolder.h"

#include <dirent.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <charconv>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string_view>

#include "serial/UucpLock.h"

namespace orvane::serial {
namespace {

pid_t PidOf(const char* name) {
  pid_t pid = 0;
  const std::string_view text(name);
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), pid);
  return error == std::errc() && end == text.data() + text.size() ? pid : 0;
}

std::string ProcessName(pid_t pid) {
  std::string name;
  std::getline(std::ifstream("/proc/" + std::to_string(pid) + "/comm"), name);
  return name;
}

// Only files under /dev are looked at: reading a link's text touches no
// file system, whereas a stat of an open file on a hung network mount could
// block. Compared by device number, so a link such as /dev/serial/by-id/…
// and the node it leads to are the same device.
bool IsDevice(const std::string& fdPath, dev_t device) {
  char target[16];
  const ssize_t length = ::readlink(fdPath.c_str(), target, sizeof target);
  if (length < 5 || std::string_view(target, 5) != "/dev/") return false;
  struct stat info {};
  return ::stat(fdPath.c_str(), &info) == 0 && S_ISCHR(info.st_mode) && info.st_rdev == device;
}

bool HasOpen(pid_t pid, dev_t device) {
  const std::string fdDir = "/proc/" + std::to_string(pid) + "/fd";
  DIR* dir = ::opendir(fdDir.c_str());
  if (dir == nullptr) return false;
  bool found = false;
  while (const dirent* entry = ::readdir(dir)) {
    if (entry->d_name[0] != '.' && IsDevice(fdDir + "/" + entry->d_name, device)) {
      found = true;
      break;
    }
  }
  ::closedir(dir);
  return found;
}

std::optional<pid_t> OpenedBy(dev_t device) {
  DIR* proc = ::opendir("/proc");
  if (proc == nullptr) return std::nullopt;
  std::optional<pid_t> holder;
  while (const dirent* entry = ::readdir(proc)) {
    const pid_t pid = PidOf(entry->d_name);
    if (pid > 0 && pid != ::getpid() && HasOpen(pid, device)) {
      holder = pid;
      break;
    }
  }
  ::closedir(proc);
  return holder;
}

// The pid of the flock on the device node, from /proc/locks, whose lines
// read "1: FLOCK  ADVISORY  WRITE <pid> <major>:<minor>:<inode> 0 EOF", the
// numbers of the file system in hex; 0 when nobody holds one.
pid_t FlockHolder(const struct stat& node) {
  std::ifstream locks("/proc/locks");
  for (std::string line; std::getline(locks, line);) {
    std::istringstream fields(line);
    std::string number, kind, mode, access, inode;
    pid_t pid = 0;
    fields >> number >> kind >> mode >> access >> pid >> inode;
    unsigned major = 0, minor = 0;
    unsigned long ino = 0;
    if (kind == "FLOCK" && std::sscanf(inode.c_str(), "%x:%x:%lu", &major, &minor, &ino) == 3 &&
        makedev(major, minor) == node.st_dev && ino == node.st_ino) {
      return pid;
    }
  }
  return 0;
}

}  // namespace

// The flock tells who holds the line for certain; a process that merely has
// it open (a simulator keeping its own end, a port monitor) is asked only
// when nobody holds that lock.
std::optional<TDeviceHolder> FindDeviceHolder(const std::string& device) {
  struct stat info {};
  if (::stat(device.c_str(), &info) != 0 || !S_ISCHR(info.st_mode)) return std::nullopt;
  std::optional<pid_t> pid;
  if (const pid_t locker = FlockHolder(info); locker == ::getpid()) {
    return std::nullopt;
  } else if (locker > 0) {
    pid = locker;
  }
  if (!pid) pid = OpenedBy(info.st_rdev);
  if (!pid) pid = LockFileHolder(device);
  if (!pid) return std::nullopt;
  return TDeviceHolder{*pid, ProcessName(*pid)};
}

std::string InUseText(const std::string& device, const std::optional<TDeviceHolder>& holder) {
  std::string text = device + " is in use by another program";
  if (holder) {
    text += ": " + (holder->Name.empty() ? std::string("a program") : holder->Name) + " (process " +
            std::to_string(holder->Pid) + ")";
  }
  return text;
}

}  // namespace orvane::serial
