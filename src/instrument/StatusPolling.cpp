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
  BuildQuery();
  exchange_.SendCurrentCommand();
  ++link_.PollStep;
}

// Steps a model A instrument does not answer leave the command as it was, so
// whatever was sent last goes out again.
void TStatusPolling::BuildQuery() {
  TStatusRequests& requests = exchange_.Requests();
  switch (link_.PollStep) {
    case 0:
      link_.CurrentCommand = protocol::kFilterReadCommand;
      break;
    case 1:
      link_.CurrentCommand = protocol::kStatusCommand;
      requests.Gas1 = true;
      break;
    case 2:
      link_.CurrentCommand = protocol::kStatusCommand;
      requests.Gas2 = true;
      break;
    case 3:
      if (link_.IsModelB()) link_.CurrentCommand = protocol::kPrimaryReadCommand;
      break;
    case 4:
      if (link_.IsModelB()) link_.CurrentCommand = protocol::kBoostReadCommand;
      break;
    default:
      if (!link_.IsModelB()) break;
      link_.CurrentCommand = protocol::kStatusCommand;
      requests.Flame = true;
      break;
  }
}

}  // namespace orvane::instrument
