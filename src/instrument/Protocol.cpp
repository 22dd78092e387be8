#include "instrument/Protocol.h"

#include <array>

namespace orvane::protocol {
namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

std::string WithHexByte(std::string_view prefix, std::uint8_t n) {
  return std::string(prefix) + EncodeHexByte(n);
}

int HexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// Every character must be a hex digit: no sign, space or prefix.
std::optional<unsigned> ParseHexField(std::string_view field) {
  unsigned value = 0;
  for (char c : field) {
    const int digit = HexDigitValue(c);
    if (digit < 0) return std::nullopt;
    value = value * 16 + static_cast<unsigned>(digit);
  }
  return value;
}

// The second character names the command; too short a command names none.
std::optional<char> CommandLetter(std::string_view command) {
  if (command.size() < 2) return std::nullopt;
  return command[1];
}

}  // namespace

std::string EncodeHexByte(std::uint8_t n) { return {kHexDigits[n >> 4], kHexDigits[n & 0x0F]}; }

std::string BuildGainModeCommand(std::uint8_t gainCode, std::uint8_t modeCode) {
  return WithHexByte("!B", static_cast<std::uint8_t>(gainCode + modeCode));
}

std::string BuildPump1Command(std::uint8_t position) { return WithHexByte("!J", position); }
std::string BuildPump2Command(std::uint8_t position) { return WithHexByte("!K", position); }
std::string BuildAnalysisGasCommand(bool on) { return on ? "!G1H" : "!G1L"; }
std::string BuildDryerGasCommand(bool on) { return on ? "!G2H" : "!G2L"; }
std::string BuildPrimaryCurrentCommand(std::uint8_t position) {
  return WithHexByte("!L", position);
}
std::string BuildBoostCurrentCommand(std::uint8_t position) { return WithHexByte("!M", position); }
std::string BuildSetFilterCommand(std::uint8_t filter) { return WithHexByte("*F", filter); }

std::optional<std::uint8_t> GainCodeForItem(int itemIndex) {
  static constexpr std::array<std::uint8_t, 4> kCodes = {0x00, 0x40, 0x80, 0xC0};
  if (itemIndex < 0 || itemIndex >= static_cast<int>(kCodes.size())) return std::nullopt;
  return kCodes[static_cast<std::size_t>(itemIndex)];
}

// "Ref" is 0x30 and "Emission" 0x20: the codes do not follow item order.
std::optional<std::uint8_t> ModeCodeForItem(int itemIndex) {
  static constexpr std::array<std::uint8_t, 3> kCodes = {0x00, 0x30, 0x20};
  if (itemIndex < 0 || itemIndex >= static_cast<int>(kCodes.size())) return std::nullopt;
  return kCodes[static_cast<std::size_t>(itemIndex)];
}

// Deliberately loose: a signal field holding hex letters can pass it, which
// is why DecodeReplyFrame checks the kind position on its own.
bool ReplyBelongsTo(std::string_view text, std::string_view command) {
  const auto letter = CommandLetter(command);
  if (!letter) return false;
  return *letter == 'F' || text.find(*letter) != std::string_view::npos;
}

std::optional<ReplyFrame> DecodeReplyFrame(std::string_view text, std::string_view command) {
  const auto letter = CommandLetter(command);
  if (!letter || text.size() != kReplyFrameLength) return std::nullopt;
  if (text.find(',') != 4) return std::nullopt;
  if (text[5] != *letter && *letter != 'F') return std::nullopt;
  const auto signal = ParseHexField(text.substr(0, 4));
  const auto value = ParseHexField(text.substr(6, 2));
  if (!signal || !value) return std::nullopt;
  return ReplyFrame{static_cast<std::uint16_t>(*signal), text[5],
                    static_cast<std::uint8_t>(*value)};
}

std::string EncodeReplyFrame(const ReplyFrame& frame) {
  std::string text = EncodeHexByte(static_cast<std::uint8_t>(frame.signal >> 8)) +
                     EncodeHexByte(static_cast<std::uint8_t>(frame.signal & 0xFF));
  text += ',';
  text += frame.kind;
  text += EncodeHexByte(frame.value);
  text += kCarriageReturn;
  return text;
}

}  // namespace orvane::protocol
