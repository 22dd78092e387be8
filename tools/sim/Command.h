#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace orvane::sim {

enum class CommandKind {
  kGainMode,
  kPump1,
  kPump2,
  kGas,
  kPrimaryCurrent,
  kBoostCurrent,
  kSetFilter,
  kIdle,
  kIdentify,
  kStatus,
  kReadPrimary,
  kReadBoost,
  kReadFilter,
};

struct Command {
  CommandKind kind;
  char replyKind = 0;
  std::uint8_t argument = 0;  // the hex argument of the set commands
  int gasLine = 0;            // 1 analysis gas, 2 dryer gas
  bool gasOn = false;
};

// A line exactly as the panel sends it (hex digits of either case accepted);
// anything else is not a command and gets no answer.
std::optional<Command> ParseCommand(std::string_view line);

}  // namespace orvane::sim
