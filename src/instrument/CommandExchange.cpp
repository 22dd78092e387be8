#include "instrument/CommandExchange.h"

#include <exception>
#include <string>

#include "instrument/InstrumentModel.h"
#include "instrument/Units.h"
#include "widgets/TTimer.h"

namespace orvane::instrument {

TCommandExchange::TCommandExchange(InstrumentLink& link, TLinkPort& port,
                                   const TLinkTimers& timers, TLinkView& view)
    : link_(link), port_(port), timers_(timers), view_(view) {}

void TCommandExchange::Send(std::string_view command) {
  link_.CurrentCommand = command;
  if (!port_.IsOpen()) port_.Open();
  try {
    port_.Write(link_.CurrentCommand + protocol::kCarriageReturn);
  } catch (const std::exception&) {
    // A lost write shows as a missing reply: the no-response watchdog reports it.
  }
  // An instrument that lowered DSR was switched off or unplugged: it comes
  // back with its own settings, however soon it answers again.
  if (!port_.DSR()) link_.SettingsLost = true;
  timers_.NoResponse.SetEnabled(true);
  view_.SetLed(TLinkLed::Reply, false);
  link_.ReplyMatched = false;
  if (!timers_.Check.Enabled()) timers_.Check.SetEnabled(true);
}

// Each line is judged when its carriage return arrives, against the command
// current at that moment. Bytes without one wait for the next event.
void TCommandExchange::Receive(std::string_view bytes) {
  link_.DataReceived = true;
  if (link_.CommsLost) {
    link_.ReplyBuffer.Clear();
    return;
  }
  while (!bytes.empty()) {
    const std::size_t end = bytes.find(protocol::kCarriageReturn);
    link_.ReplyBuffer.Append(bytes.substr(0, end == std::string_view::npos ? end : end + 1));
    if (end == std::string_view::npos) return;
    bytes.remove_prefix(end + 1);
    JudgeLine();
  }
}

void TCommandExchange::JudgeLine() {
  if (!link_.ReplyMatched && !Associate()) return;
  timers_.Activity.SetEnabled(true);
  view_.SetLed(TLinkLed::Active, true);
  const auto frame = protocol::DecodeReplyFrame(link_.ReplyBuffer.Text(), link_.CurrentCommand);
  // Cleared before the reply is applied: applying it may send, and a send
  // that fails must not leave the judged text behind for the next event.
  link_.ReplyBuffer.Clear();
  if (frame) Accept(*frame);
}

// Made once per command, on the first terminated text.
bool TCommandExchange::Associate() {
  const std::string& command = link_.CurrentCommand;
  const bool belongs = protocol::ReplyBelongsTo(link_.ReplyBuffer.Text(), command) ||
                       (command.size() > 1 && link_.ReplyBuffer.Contains(command[1]));
  if (!belongs) {
    link_.ReplyBuffer.Clear();
    view_.SetLed(TLinkLed::Reply, false);
    return false;
  }
  link_.ReplyMatched = true;
  return true;
}

void TCommandExchange::Accept(const protocol::ReplyFrame& frame) {
  link_.SignalValue = units::SignalCountToValue(frame.signal);
  link_.ReplyValue = frame.value;
  view_.ShowSignal(units::FormatSignal(link_.SignalValue));
  // Read under settings the instrument may not have: labelled with the
  // panel's gain it would be off by as much as a factor of a thousand.
  if (onSignalAccepted_ && !link_.SettingsLost) {
    onSignalAccepted_(link_.SignalValue, link_.GainCode, link_.ModeCode);
  }
  timers_.NoResponse.SetEnabled(false);
  view_.SetLed(TLinkLed::Reply, true);
  timers_.NoDataStream.SetEnabled(false);
  timers_.NoDataStream.SetEnabled(true);
  view_.SetLed(TLinkLed::Stream, true);
  ApplyValue(frame.kind);
}

// What the value means follows from the command sent, not from the reply.
void TCommandExchange::ApplyValue(char kind) {
  const char sent = link_.CurrentCommand.front();
  if (sent == '$' && kind == '$') {
    view_.ShowFilter(link_.ReplyValue);
    return;
  }
  if (sent != '?') return;
  switch (kind) {
    case 'A':
      ApplyStatus();
      break;
    case 'I':
      link_.InstrumentModel = ModelOfIdentity(link_.ReplyValue);
      view_.ModelIdentified();
      break;
    case 'J':
      view_.ShowBoostReadBack(link_.ReplyValue);
      break;
    case 'K':
      view_.ShowPrimaryReadBack(link_.ReplyValue);
      break;
    default:
      break;
  }
}

void TCommandExchange::ApplyStatus() {
  const struct {
    bool& requested;
    std::uint8_t bit;
    TStatusIndicator indicator;
  } pairs[] = {{requests_.Gas1, protocol::kStatusGas1, TStatusIndicator::Gas1},
               {requests_.Gas2, protocol::kStatusGas2, TStatusIndicator::Gas2},
               {requests_.Flame, protocol::kStatusFlame, TStatusIndicator::Flame}};
  for (const auto& pair : pairs) {
    if (!pair.requested) continue;
    pair.requested = false;
    view_.ShowStatus(pair.indicator, (link_.ReplyValue & pair.bit) != 0);
  }
}

}  // namespace orvane::instrument
