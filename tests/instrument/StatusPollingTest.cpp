#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "LinkFakes.h"
#include "instrument/StatusPolling.h"

namespace orvane::instrument::test {
namespace {

class StatusPollingTest : public ::testing::Test {
 protected:
  std::vector<std::string> Ticks(int count) {
    rig.port.written.clear();
    for (int i = 0; i < count; ++i) polling.CheckTimerTimer();
    std::vector<std::string> sent;
    for (const std::string& line : rig.port.written) sent.push_back(line.substr(0, line.size() - 1));
    return sent;
  }

  TExchangeRig rig;
  TStatusPolling polling{rig.link, rig.exchange, rig.timers.check};
};

TEST_F(StatusPollingTest, NothingIsAskedBeforeTheInstrumentHasSentAByte) {
  EXPECT_TRUE(Ticks(3).empty());
  EXPECT_EQ(rig.link.PollStep, 0);
}

TEST_F(StatusPollingTest, ModelBReadsTheFilterOnceThenCyclesGasesCurrentsAndFlame) {
  rig.link.DataReceived = true;
  rig.link.InstrumentModel = kModelB;
  using V = std::vector<std::string>;
  EXPECT_EQ(Ticks(9), (V{"$F", "?A", "?A", "?K", "?J", "?A", "?A", "?A", "?K"}));
}

TEST_F(StatusPollingTest, EachStatusQueryAsksForItsOwnIndicator) {
  rig.link.DataReceived = true;
  rig.link.InstrumentModel = kModelB;
  TStatusRequests& asked = rig.exchange.Requests();
  Ticks(2);
  EXPECT_TRUE(asked.Gas1 && !asked.Gas2 && !asked.Flame);
  Ticks(1);
  EXPECT_TRUE(asked.Gas2);
  Ticks(3);
  EXPECT_TRUE(asked.Flame);
}

// Model A has no lamp: the steps that would read it send again whatever was
// last sent, an operator's command included.
TEST_F(StatusPollingTest, ModelARepeatsTheLastCommandWhereModelBReadsTheLamp) {
  rig.link.DataReceived = true;
  using V = std::vector<std::string>;
  EXPECT_EQ(Ticks(6), (V{"$F", "?A", "?A", "?A", "?A", "?A"}));
  Ticks(2);
  rig.Send("!J40");
  EXPECT_EQ(Ticks(3), (V{"!J40", "!J40", "!J40"}));
}

TEST_F(StatusPollingTest, AStretchedIntervalReturnsToTheCycleAtTheNextTick) {
  rig.link.DataReceived = true;
  rig.timers.check.SetInterval(3000);
  Ticks(1);
  EXPECT_EQ(rig.timers.check.Interval(), TStatusPolling::kInterval);
}

}  // namespace
}  // namespace orvane::instrument::test
