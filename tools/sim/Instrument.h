#pragma once

#include <cstdint>
#include <optional>

#include "Clock.h"
#include "Command.h"
#include "SignalModel.h"
#include "instrument/Protocol.h"

namespace orvane::sim {

// What the instrument holds and how it answers; no timing, no line.
class Instrument {
 public:
  Instrument(char model, std::uint32_t seed, TimePoint start);

  void SetModel(char model) { model_ = model; }

  // Back to the settings it has when switched on.
  void SwitchOn(TimePoint now);

  // The reply to a command; nothing for the idle command, which is never
  // answered. Every set command wakes the instrument from idle.
  std::optional<protocol::ReplyFrame> Execute(const Command& command, TimePoint now);

 private:
  struct Settings {
    std::uint8_t gainMode = 0x80;
    std::uint8_t pump1 = 0;
    std::uint8_t pump2 = 0;
    bool analysisGas = false;
    bool dryerGas = false;
    std::uint8_t primary = 0;
    std::uint8_t boost = 0;
    std::uint8_t filter = 32;
  };

  std::uint8_t Apply(const Command& command);
  std::uint8_t Query(CommandKind kind) const;
  std::uint8_t StatusBits() const;
  int Gain() const;

  char model_;
  Settings settings_;
  SignalModel signal_;
};

}  // namespace orvane::sim
