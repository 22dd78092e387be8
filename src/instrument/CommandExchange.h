#pragma once

#include <cstdint>
#include <functional>
#include <string_view>

#include "instrument/InstrumentLink.h"
#include "instrument/LinkPort.h"
#include "instrument/LinkTimers.h"
#include "instrument/LinkView.h"
#include "instrument/Protocol.h"

namespace orvane::instrument {

// Which indicators the next accepted status reply updates. The polling sets
// a flag before it asks; the reply consumes it.
struct TStatusRequests {
  bool Gas1 = false;
  bool Gas2 = false;
  bool Flame = false;
};

// The single exchange with the instrument: one current command, no queue, no
// retransmission. Only a reply to the command now current can be accepted.
class TCommandExchange {
 public:
  TCommandExchange(InstrumentLink& link, TLinkPort& port, const TLinkTimers& timers,
                   TLinkView& view);

  // Makes `command` the current one, the only one a reply can answer, sends
  // it and arms the no-response watchdog. A port that cannot be opened
  // throws; a failed write is ignored (the watchdog tells).
  void Send(std::string_view command);
  // Bytes that arrived on the port, in order, however they were split.
  void Receive(std::string_view bytes);

  TStatusRequests& Requests() { return requests_; }

  // Told of every accepted reply's signal with the gain and mode it was read
  // under, inside the reply's own event: it must return at once. Not told
  // while the instrument may have lost the settings (`SettingsLost`).
  using TSignalAccepted =
      std::function<void(double signal, std::uint8_t gainCode, std::uint8_t modeCode)>;
  void SetOnSignalAccepted(TSignalAccepted observer) { onSignalAccepted_ = std::move(observer); }

 private:
  void JudgeLine();
  bool Associate();
  void Accept(const protocol::ReplyFrame& frame);
  void ApplyValue(char kind);
  void ApplyStatus();

  InstrumentLink& link_;
  TLinkPort& port_;
  TLinkTimers timers_;
  TLinkView& view_;
  TStatusRequests requests_;
  TSignalAccepted onSignalAccepted_;
};

}  // namespace orvane::instrument
