#include "serial/LineText.h"

#include <cstdio>

namespace orvane::serial {

std::string EscapeLineBytes(std::string_view bytes) {
  std::string text;
  text.reserve(bytes.size());
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '\r') {
      text += "\\r";
    } else if (c == '\n') {
      text += "\\n";
    } else if (c == '\\') {
      text += "\\\\";
    } else if (byte < 0x20 || byte > 0x7E) {
      char hex[5];
      std::snprintf(hex, sizeof hex, "\\x%02X", byte);
      text += hex;
    } else {
      text += c;
    }
  }
  return text;
}

}  // namespace orvane::serial
