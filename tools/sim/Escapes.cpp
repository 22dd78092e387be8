#include "Escapes.h"

#include <charconv>

namespace orvane::sim {
namespace {

std::optional<char> SimpleEscape(char c) {
  switch (c) {
    case 'r':
      return '\r';
    case 'n':
      return '\n';
    case '\\':
      return '\\';
    default:
      return std::nullopt;
  }
}

std::optional<char> HexEscape(std::string_view digits) {
  unsigned value = 0;
  auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value, 16);
  if (digits.size() != 2 || ec != std::errc{} || end != digits.data() + 2) return std::nullopt;
  return static_cast<char>(value);
}

}  // namespace

std::optional<std::string> Unescape(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\') {
      out += text[i];
      continue;
    }
    if (i + 1 >= text.size()) return std::nullopt;
    std::optional<char> c =
        text[i + 1] == 'x' ? HexEscape(text.substr(i + 2, 2)) : SimpleEscape(text[i + 1]);
    if (!c) return std::nullopt;
    out += *c;
    i += text[i + 1] == 'x' ? 3 : 1;
  }
  return out;
}

}  // namespace orvane::sim
