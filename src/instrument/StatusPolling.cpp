#include "instrument/StatusPolling.h"

#include "widgets/TTimer.h"

namespace orvane::instrument {

TStatusPolling::TStatusPolling(InstrumentLink& link, TCommandExchange& exchange,
                               widgets::TTimer& check)
    : link_(link), exchange_(exchange), check_(check) {}

void TStatusPolling::CheckTimerTimer() {
  if (!link_.DataReceived) return;
  if (check_.Interval() > kInterval) check_.SetInterval(kInterval);
  if (link_.PollStep > 5) link_.PollStep = 1;
  exchange_.Send(NextQuery());
  ++link_.PollStep;
}

// Steps a model A instrument does not answer repeat whatever was sent last.
std::string TStatusPolling::NextQuery() {
  TStatusRequests& requests = exchange_.Requests();
  switch (link_.PollStep) {
    case 0:
      return std::string(protocol::kFilterReadCommand);
    case 1:
      requests.Gas1 = true;
      return std::string(protocol::kStatusCommand);
    case 2:
      requests.Gas2 = true;
      return std::string(protocol::kStatusCommand);
    case 3:
      if (link_.IsModelB()) return std::string(protocol::kPrimaryReadCommand);
      break;
    case 4:
      if (link_.IsModelB()) return std::string(protocol::kBoostReadCommand);
      break;
    default:
      if (!link_.IsModelB()) break;
      requests.Flame = true;
      return std::string(protocol::kStatusCommand);
  }
  return link_.CurrentCommand;
}

}  // namespace orvane::instrument
