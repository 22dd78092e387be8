#include "Command.h"

#include <array>
#include <charconv>
#include <utility>

#include "instrument/Protocol.h"

namespace orvane::sim {
namespace {

namespace protocol = orvane::protocol;

std::optional<std::uint8_t> ParseHexByte(std::string_view digits) {
  unsigned value = 0;
  auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value, 16);
  if (digits.size() != 2 || ec != std::errc{} || end != digits.data() + 2) return std::nullopt;
  return static_cast<std::uint8_t>(value);
}

std::optional<Command> ParseFixed(std::string_view line) {
  static const std::array<std::pair<std::string_view, CommandKind>, 6> kFixed{{
      {protocol::kIdleCommand, CommandKind::kIdle},
      {protocol::kIdentifyCommand, CommandKind::kIdentify},
      {protocol::kStatusCommand, CommandKind::kStatus},
      {protocol::kPrimaryReadCommand, CommandKind::kReadPrimary},
      {protocol::kBoostReadCommand, CommandKind::kReadBoost},
      {protocol::kFilterReadCommand, CommandKind::kReadFilter},
  }};
  for (const auto& [text, kind] : kFixed) {
    if (line == text) return Command{.kind = kind, .replyKind = text[1]};
  }
  return std::nullopt;
}

std::optional<Command> ParseGas(std::string_view line) {
  for (int gasLine : {1, 2}) {
    for (bool on : {false, true}) {
      std::string text =
          gasLine == 1 ? protocol::BuildAnalysisGasCommand(on) : protocol::BuildDryerGasCommand(on);
      if (line == text) {
        return Command{
            .kind = CommandKind::kGas, .replyKind = 'G', .gasLine = gasLine, .gasOn = on};
      }
    }
  }
  return std::nullopt;
}

std::optional<Command> ParseWithArgument(std::string_view line) {
  static const std::array<std::pair<std::string_view, CommandKind>, 6> kWithArgument{{
      {"!B", CommandKind::kGainMode},
      {"!J", CommandKind::kPump1},
      {"!K", CommandKind::kPump2},
      {"!L", CommandKind::kPrimaryCurrent},
      {"!M", CommandKind::kBoostCurrent},
      {"*F", CommandKind::kSetFilter},
  }};
  if (line.size() != 4) return std::nullopt;
  std::optional<std::uint8_t> argument = ParseHexByte(line.substr(2));
  if (!argument) return std::nullopt;
  for (const auto& [prefix, kind] : kWithArgument) {
    if (line.starts_with(prefix)) {
      return Command{.kind = kind, .replyKind = prefix[1], .argument = *argument};
    }
  }
  return std::nullopt;
}

}  // namespace

std::optional<Command> ParseCommand(std::string_view line) {
  if (auto command = ParseFixed(line)) {
    if (command->kind == CommandKind::kReadFilter) command->replyKind = '$';
    return command;
  }
  if (auto command = ParseGas(line)) return command;
  return ParseWithArgument(line);
}

}  // namespace orvane::sim
