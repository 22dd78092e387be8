#pragma once

#include <QLoggingCategory>

#include <cstdint>
#include <string>
#include <string_view>

#include "serial/LineText.h"

Q_DECLARE_LOGGING_CATEGORY(lcOrvaneLine)

namespace orvane::serial {

// What one port puts on the line and takes from it, written to the logging
// category orvane.line at debug level, which is off unless
// QT_LOGGING_RULES="orvane.line.debug=true". Received bytes are gathered up
// to each CR, so a reply that arrives in pieces is one line; bytes still
// waiting for their CR are written before the next command, or when the port
// closes. While the category is off nothing is formatted or kept.
class TLineTrace {
 public:
  void Sent(std::uint16_t comNumber, std::string_view bytes, bool written);
  void Received(std::uint16_t comNumber, std::uint8_t byte);
  // Writes whatever was received since the last CR.
  void Flush(std::uint16_t comNumber);

 private:
  std::string pending_;
};

}  // namespace orvane::serial
