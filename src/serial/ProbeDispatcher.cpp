#include "serial/ProbeDispatcher.h"

#include <sys/stat.h>

#include "serial/DispatcherRegistry.h"

namespace orvane::serial {

int TApdProbeDispatcher::InitPort(const std::string& device, const TLineSettings&, int inSize,
                                  int outSize, std::uint8_t) {
  const int rc = OpenCom(device, inSize, outSize);
  return rc < 0 ? rc : ecOK;
}

namespace {

int ProbeOpen(const std::string& device) {
  constexpr int kProbeQueueSize = 64;
  TApdProbeDispatcher probe;
  const int rc = probe.InitPort(device, {}, kProbeQueueSize, kProbeQueueSize, 0);
  probe.CloseCom();
  return rc;
}

// Two names of one device: the same node, or nodes of the same character
// device. std::filesystem::equivalent refuses to compare device nodes.
bool SameDevice(const std::string& one, const std::string& other) {
  struct stat a {};
  struct stat b {};
  if (stat(one.c_str(), &a) != 0 || stat(other.c_str(), &b) != 0) return false;
  if (a.st_dev == b.st_dev && a.st_ino == b.st_ino) return true;
  return S_ISCHR(a.st_mode) && S_ISCHR(b.st_mode) && a.st_rdev == b.st_rdev;
}

// The refusal looks the same whoever holds the device; one of our own
// dispatchers holding the same device tells it is us.
bool OpenInThisProgram(const std::string& device) {
  auto lock = TApdDispatcherRegistry::Lock();
  for (std::size_t handle = 0; handle < TApdDispatcherRegistry::Size(); ++handle) {
    const TApdBaseDispatcher* dispatcher = TApdDispatcherRegistry::Find(static_cast<int>(handle));
    if (dispatcher != nullptr && dispatcher->PortOpen() &&
        SameDevice(dispatcher->DeviceName(), device)) {
      return true;
    }
  }
  return false;
}

}  // namespace

bool TApdProbeDispatcher::PortPresent(const std::string& device) {
  return Presence(device) != TPortPresence::Absent;
}

TPortPresence TApdProbeDispatcher::Presence(const std::string& device) {
  switch (ProbeOpen(device)) {
    case ecOK:
      return TPortPresence::Free;
    case ecAccessDenied:
      return OpenInThisProgram(device) ? TPortPresence::InUseHere : TPortPresence::InUse;
    case ecPermissionDenied:
      return TPortPresence::NoPermission;
    default:
      return TPortPresence::Absent;
  }
}

}  // namespace orvane::serial
