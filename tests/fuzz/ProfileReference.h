#pragma once

#include <optional>
#include <string>
#include <string_view>

// The profile file's rules as the fuzz target checks them, written from the
// file format's description rather than from the reader and writer.
namespace orvane::fuzz::profile {

inline constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
inline constexpr std::size_t kMaxValueLength = 2047;

inline bool IsBlank(char c) { return c == ' ' || c == '\t'; }

inline bool HasLineBreak(std::string_view text) {
  return text.find_first_of("\r\n") != std::string_view::npos;
}

// Names compare without regard to ASCII case.
bool SameName(std::string_view a, std::string_view b);

// A name the format can hold: one a line of the file reads back as itself.
// A section name ends at the first ']' and a key at the first '=', blanks
// around either are not kept, and a key starting with '[' could make its
// line read as a section header.
bool SectionRepresentable(std::string_view section);
bool KeyRepresentable(std::string_view key);

// What reading gives for a written value: without surrounding blanks and
// one pair of matching quotes, cut to kMaxValueLength.
std::string ReadBack(std::string_view written);

// The integer a value in a documented form stands for: decimal with an
// optional minus, within 32 bits, or "$", "0x" or "0X" and one to eight hex
// digits, a 32-bit two's complement pattern. Nothing is claimed of other text.
std::optional<int> DocumentedInteger(std::string_view text);

// Whether `after` is `before` with exactly one edit setting `entry`
// ("key=value") in a section named by `header` ("[section]"): one line
// replaced by the entry (its line break kept), or the entry, or the header
// and the entry, inserted as lines of their own at a line boundary. Every
// other byte survives, but for a line break given to a last line that had
// none. A byte order mark stays in front.
enum class TEdit { kNone, kReplaced, kInserted };
TEdit EditMade(std::string_view before, std::string_view after, std::string_view entry,
               std::string_view header);

}  // namespace orvane::fuzz::profile
