#pragma once

#include <optional>
#include <string>
#include <string_view>

// The text of a profile file, read and edited line by line so that an edit
// leaves every line it does not concern exactly as it was.
namespace orvane::config::profile_text {

// The value of the first `key` in the first `section`, names compared
// without regard to case, surrounding blanks and one pair of matching quotes
// removed. A UTF-8 byte order mark before the first line is skipped.
std::optional<std::string> FindValue(std::string_view text, std::string_view section,
                                     std::string_view key);

// `text` with `key` set to `value` in `section`: the key's line replaced, or
// a line added at the end of the section, or the section added at the end.
// A byte order mark stays where it was.
std::string SetValue(std::string_view text, std::string_view section, std::string_view key,
                     std::string_view value);

}  // namespace orvane::config::profile_text
