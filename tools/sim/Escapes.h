#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace orvane::sim {

// Bytes as one printable log line: CR as \r, LF as \n, backslash doubled,
// anything else outside printable ASCII as \xHH.
std::string EscapeForLog(std::string_view bytes);

// The reverse for the noise control command: \r, \n, \\ and \xHH. Nothing
// when an escape is malformed, so a typo never goes out on the line.
std::optional<std::string> Unescape(std::string_view text);

}  // namespace orvane::sim
