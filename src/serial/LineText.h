#pragma once

#include <string>
#include <string_view>

namespace orvane::serial {

// The bytes as one line of text: CR as \r, LF as \n, a backslash doubled,
// anything else outside printable ASCII as \xHH. Plain C++, so the
// simulator's log writes the line as the panel's trace does.
std::string EscapeLineBytes(std::string_view bytes);

}  // namespace orvane::serial
