#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

// The instrument's reply rules restated for the fuzz targets, from the
// protocol's description rather than from the codec, so that the two can
// disagree: a nine-character line laid out as HHHH,KHH plus one character
// the rules never look at, H a hex digit of either case, K the command's
// second character (any character when that is 'F').
namespace orvane::fuzz::reference {

struct TReply {
  std::uint16_t signal;
  char kind;
  std::uint8_t value;
};

// The character a reply must carry; none for a command too short to name one.
inline std::optional<char> CommandLetter(std::string_view command) {
  if (command.size() < 2) return std::nullopt;
  return command[1];
}

inline int Nibble(char c) {
  constexpr std::string_view kUpper = "0123456789ABCDEF";
  constexpr std::string_view kLower = "0123456789abcdef";
  auto at = kUpper.find(c);
  if (at == std::string_view::npos) at = kLower.find(c);
  return at == std::string_view::npos ? -1 : static_cast<int>(at);
}

// The number the hex digits in `digits` spell; none when one is not a digit.
inline std::optional<unsigned> HexNumber(std::string_view digits) {
  unsigned number = 0;
  for (char c : digits) {
    if (Nibble(c) < 0) return std::nullopt;
    number = number * 16 + static_cast<unsigned>(Nibble(c));
  }
  return number;
}

inline std::optional<TReply> Decode(std::string_view text, std::string_view command) {
  const auto letter = CommandLetter(command);
  if (!letter || text.size() != 9 || text[4] != ',') return std::nullopt;
  if (*letter != 'F' && text[5] != *letter) return std::nullopt;
  const auto signal = HexNumber(text.substr(0, 4));
  const auto value = HexNumber(text.substr(6, 2));
  if (!signal || !value) return std::nullopt;
  return TReply{static_cast<std::uint16_t>(*signal), text[5], static_cast<std::uint8_t>(*value)};
}

// The looser first test: the letter anywhere in the text.
inline bool Belongs(std::string_view text, std::string_view command) {
  const auto letter = CommandLetter(command);
  return letter && (*letter == 'F' || text.find(*letter) != std::string_view::npos);
}

}  // namespace orvane::fuzz::reference
