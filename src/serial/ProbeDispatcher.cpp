#include "serial/ProbeDispatcher.h"

namespace orvane::serial {

int TApdProbeDispatcher::InitPort(const std::string& device, const TLineSettings&, int inSize,
                                  int outSize, std::uint8_t) {
  const int rc = OpenCom(device, inSize, outSize);
  return rc < 0 ? rc : ecOK;
}

bool TApdProbeDispatcher::PortPresent(const std::string& device) {
  constexpr int kProbeQueueSize = 64;
  TApdProbeDispatcher probe;
  const int rc = probe.InitPort(device, {}, kProbeQueueSize, kProbeQueueSize, 0);
  probe.CloseCom();
  return rc == ecOK || rc == ecAccessDenied || rc == ecPermissionDenied;
}

}  // namespace orvane::serial
