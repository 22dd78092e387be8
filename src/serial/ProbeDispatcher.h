#pragma once

#include <string>

#include "serial/PortInfo.h"
#include "serial/Win32Dispatcher.h"

namespace orvane::serial {

// The thread-less variant used only to try whether a port can be opened:
// InitPort opens the device and nothing else, so no worker starts and the
// line settings stay as they were.
class TApdProbeDispatcher : public TApdWin32Dispatcher {
 public:
  TApdProbeDispatcher() : TApdWin32Dispatcher(nullptr) {}

  int InitPort(const std::string& device, const TLineSettings& line, int inSize, int outSize,
               std::uint8_t lineFlags) override;

  // Present: it can be opened, someone else holds it, or this account may
  // not open it (listed, so that opening it says why). Closed again after.
  static bool PortPresent(const std::string& device);
  // The same, telling which of those it is.
  static TPortPresence Presence(const std::string& device);
};

}  // namespace orvane::serial
