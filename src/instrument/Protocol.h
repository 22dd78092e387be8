#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The instrument's command language: every command is a short ASCII text that
// the sender follows with one carriage return; every answer is a nine
// character line "SSSS,Kvv\r". Nothing here touches a port or a window.
namespace orvane::protocol {

inline constexpr char kCarriageReturn = '\r';
inline constexpr std::size_t kReplyFrameLength = 9;

inline constexpr std::string_view kIdleCommand = "!Z00";
inline constexpr std::string_view kIdentifyCommand = "?I";
inline constexpr std::string_view kStatusCommand = "?A";
inline constexpr std::string_view kPrimaryReadCommand = "?K";
inline constexpr std::string_view kBoostReadCommand = "?J";
inline constexpr std::string_view kFilterReadCommand = "$F";

// Bits of the "?A" status value.
inline constexpr std::uint8_t kStatusGas1 = 0x04;
inline constexpr std::uint8_t kStatusGas2 = 0x08;
inline constexpr std::uint8_t kStatusFlame = 0x10;

// Two upper-case hex digits, "00".."FF".
std::string EncodeHexByte(std::uint8_t n);

std::string BuildGainModeCommand(std::uint8_t gainCode, std::uint8_t modeCode);
std::string BuildPump1Command(std::uint8_t position);
std::string BuildPump2Command(std::uint8_t position);
std::string BuildAnalysisGasCommand(bool on);
std::string BuildDryerGasCommand(bool on);
std::string BuildPrimaryCurrentCommand(std::uint8_t position);
std::string BuildBoostCurrentCommand(std::uint8_t position);
std::string BuildSetFilterCommand(std::uint8_t filter);

// Item index of the gain selector ("1", "10", "100", "1000") or the mode
// selector ("Ratio", "Ref", "Emission") to its code; no code for any other
// index, so the caller keeps the code it had.
std::optional<std::uint8_t> GainCodeForItem(int itemIndex);
std::optional<std::uint8_t> ModeCodeForItem(int itemIndex);

struct ReplyFrame {
  std::uint16_t signal = 0;
  char kind = 0;
  std::uint8_t value = 0;
};

// The loose first test: does this terminated text seem to answer `command`?
bool ReplyBelongsTo(std::string_view text, std::string_view command);

// The strict test: accepts only a well-formed frame that answers `command`.
std::optional<ReplyFrame> DecodeReplyFrame(std::string_view text, std::string_view command);

// The frame an instrument sends, carriage return included.
std::string EncodeReplyFrame(const ReplyFrame& frame);

}  // namespace orvane::protocol
