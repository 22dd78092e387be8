#include "Instrument.h"

#include <algorithm>

#include "instrument/InstrumentModel.h"

namespace orvane::sim {
namespace {

constexpr std::uint8_t kFilterMin = 1;
constexpr std::uint8_t kFilterMax = 64;

bool IsQuery(CommandKind kind) {
  switch (kind) {
    case CommandKind::kIdentify:
    case CommandKind::kStatus:
    case CommandKind::kReadPrimary:
    case CommandKind::kReadBoost:
    case CommandKind::kReadFilter:
      return true;
    default:
      return false;
  }
}

}  // namespace

Instrument::Instrument(char model, std::uint32_t seed, TimePoint start)
    : model_(model), signal_(seed, start) {}

void Instrument::SwitchOn(TimePoint now) {
  settings_ = {};
  signal_.Wake(now);
}

std::optional<protocol::ReplyFrame> Instrument::Execute(const Command& command, TimePoint now) {
  if (command.kind == CommandKind::kIdle) {
    signal_.Sleep();
    return std::nullopt;
  }
  std::uint8_t value = 0;
  if (IsQuery(command.kind)) {
    value = Query(command.kind);
  } else {
    value = Apply(command);
    signal_.Wake(now);
  }
  std::uint16_t count = signal_.Count(now, Gain(), settings_.filter);
  return protocol::ReplyFrame{.signal = count, .kind = command.replyKind, .value = value};
}

// Set commands echo what they set, so a look at the line shows what took.
std::uint8_t Instrument::Apply(const Command& command) {
  switch (command.kind) {
    case CommandKind::kGainMode:
      return settings_.gainMode = command.argument;
    case CommandKind::kPump1:
      return settings_.pump1 = command.argument;
    case CommandKind::kPump2:
      return settings_.pump2 = command.argument;
    case CommandKind::kGas:
      (command.gasLine == 1 ? settings_.analysisGas : settings_.dryerGas) = command.gasOn;
      return command.gasOn ? 1 : 0;
    case CommandKind::kPrimaryCurrent:
      return settings_.primary = command.argument;
    case CommandKind::kBoostCurrent:
      return settings_.boost = command.argument;
    case CommandKind::kSetFilter:
      return settings_.filter = std::clamp(command.argument, kFilterMin, kFilterMax);
    default:
      return 0;
  }
}

std::uint8_t Instrument::Query(CommandKind kind) const {
  switch (kind) {
    case CommandKind::kIdentify:
      return model_ == 'A' ? instrument::kModelAIdentity : instrument::kModelBIdentity;
    case CommandKind::kStatus:
      return StatusBits();
    case CommandKind::kReadPrimary:
      return settings_.primary;
    case CommandKind::kReadBoost:
      return settings_.boost;
    case CommandKind::kReadFilter:
      return settings_.filter;
    default:
      return 0;
  }
}

// The panel shows the first gas bit beside its "Dryer Gas" selector and the
// second beside "Analysis Gas", so each gas is reported where its own
// selector can answer it. Model A has no lamp flame to report.
std::uint8_t Instrument::StatusBits() const {
  std::uint8_t bits = 0;
  if (settings_.dryerGas) bits |= protocol::kStatusGas1;
  if (settings_.analysisGas) bits |= protocol::kStatusGas2;
  bool lampLit = settings_.primary > 0 || settings_.boost > 0;
  if (model_ == 'B' && lampLit) bits |= protocol::kStatusFlame;
  return bits;
}

int Instrument::Gain() const {
  static constexpr int kGains[] = {1, 10, 100, 1000};
  return kGains[settings_.gainMode >> 6];
}

}  // namespace orvane::sim
