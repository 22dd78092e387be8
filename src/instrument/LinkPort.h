#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace orvane::instrument {

// The serial port as the link uses it. Open and Write throw the port's own
// errors, whose messages are meant for the operator.
class TLinkPort {
 public:
  virtual ~TLinkPort() = default;

  virtual bool IsOpen() const = 0;
  // With no port chosen, asks the operator for one first.
  virtual void Open() = 0;
  virtual void Close() = 0;
  virtual void Write(std::string_view bytes) = 0;
  // False while closed.
  virtual bool DSR() const = 0;
  virtual std::uint16_t ComNumber() const = 0;
  virtual void SetComNumber(std::uint16_t number) = 0;
  // The device went away under an open port (unplugged): the port still
  // reads as open, but nothing moves until it is closed and opened again.
  virtual bool DeviceFailed() const = 0;
  // The device the port number names now; none for a number without one.
  virtual std::optional<std::string> DevicePath() const = 0;
};

}  // namespace orvane::instrument
