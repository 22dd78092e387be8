#pragma once

#include <functional>
#include <string_view>

#include "instrument/LinkPort.h"

namespace orvane::serial {
class TApdComPort;
}

namespace orvane::instrument {

// The link's view of the window's serial port component. It takes the port's
// data-available event and hands on exactly the bytes the event offers.
class TComPortLink : public TLinkPort {
 public:
  using TReceiver = std::function<void(std::string_view bytes)>;

  TComPortLink(serial::TApdComPort& port, TReceiver receiver);

  bool IsOpen() const override;
  void Open() override;
  void Close() override;
  void Write(std::string_view bytes) override;
  bool DSR() const override;
  std::uint16_t ComNumber() const override;
  void SetComNumber(std::uint16_t number) override;
  bool DeviceFailed() const override;
  std::optional<std::string> DevicePath() const override;

 private:
  void PortTriggerAvail(serial::TApdComPort& port, std::uint16_t count);

  serial::TApdComPort& port_;
  TReceiver receiver_;
};

}  // namespace orvane::instrument
