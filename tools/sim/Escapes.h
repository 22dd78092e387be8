#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace orvane::sim {

// The reverse of serial::EscapeLineBytes, for the noise control command: \r, \n, \\ and \xHH. Nothing
// when an escape is malformed, so a typo never goes out on the line.
std::optional<std::string> Unescape(std::string_view text);

}  // namespace orvane::sim
