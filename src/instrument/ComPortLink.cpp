#include "instrument/ComPortLink.h"

#include <string>

#include "serial/ApdComPort.h"
#include "serial/BaseDispatcher.h"
#include "serial/PortNames.h"

namespace orvane::instrument {

TComPortLink::TComPortLink(serial::TApdComPort& port, TReceiver receiver)
    : port_(port), receiver_(std::move(receiver)) {
  port_.SetOnTriggerAvail(
      [this](serial::TApdComPort& cp, std::uint16_t count) { PortTriggerAvail(cp, count); });
}

bool TComPortLink::IsOpen() const { return port_.Open(); }
void TComPortLink::Open() { port_.SetOpen(true); }
void TComPortLink::Close() { port_.SetOpen(false); }
void TComPortLink::Write(std::string_view bytes) { port_.PutString(std::string(bytes)); }
bool TComPortLink::DSR() const { return port_.DSR(); }
std::uint16_t TComPortLink::ComNumber() const { return port_.ComNumber(); }
void TComPortLink::SetComNumber(std::uint16_t number) { port_.SetComNumber(number); }

bool TComPortLink::DeviceFailed() const {
  const serial::TApdBaseDispatcher* dispatcher = port_.Dispatcher();
  return dispatcher != nullptr && dispatcher->DeviceFailed();
}

std::optional<std::string> TComPortLink::DevicePath() const {
  return serial::PortDevicePath(port_.ComNumber(), serial::PortMapFile());
}

// Exactly `count` bytes belong to this event, read one at a time as the port
// hands them out.
void TComPortLink::PortTriggerAvail(serial::TApdComPort& port, std::uint16_t count) {
  std::string bytes;
  bytes.reserve(count);
  for (std::uint16_t i = 0; i < count; ++i) bytes.push_back(static_cast<char>(port.GetChar()));
  receiver_(bytes);
}

}  // namespace orvane::instrument
