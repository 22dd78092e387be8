#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "LinkFakes.h"

namespace orvane::instrument::test {
namespace {

using L = TLinkLed;

class CommandExchangeTest : public ::testing::Test {
 protected:
  TExchangeRig rig;
  InstrumentLink& link = rig.link;
  TRecordingView& view = rig.view;
  TTestTimers& timers = rig.timers;
};

TEST_F(CommandExchangeTest, SendOpensThePortWritesTheLineAndArmsTheWatchdog) {
  link.ReplyMatched = true;
  view.leds[1] = true;
  rig.Send("!J80");
  EXPECT_EQ(rig.port.opens, 1);
  EXPECT_EQ(rig.port.written, std::vector<std::string>{"!J80\r"});
  EXPECT_TRUE(timers.noResponse.Enabled());
  EXPECT_TRUE(timers.check.Enabled());
  EXPECT_FALSE(view.Led(L::Reply));
  EXPECT_FALSE(link.ReplyMatched);
}

TEST_F(CommandExchangeTest, APortThatWillNotOpenStopsTheSendBeforeAnythingIsArmed) {
  rig.port.openError = "no such port";
  EXPECT_THROW(rig.Send("?A"), std::runtime_error);
  EXPECT_TRUE(rig.port.written.empty());
  EXPECT_FALSE(timers.noResponse.Enabled());
  EXPECT_FALSE(timers.check.Enabled());
}

TEST_F(CommandExchangeTest, AFailedWriteIsLeftToTheWatchdog) {
  rig.port.open = true;
  rig.port.writeFails = true;
  EXPECT_NO_THROW(rig.Send("?A"));
  EXPECT_TRUE(timers.noResponse.Enabled());
}

TEST_F(CommandExchangeTest, AReplySplitOverTwoEventsIsHandledOnceAtTheSecond) {
  rig.Send("?A");
  rig.exchange.Receive("0064");
  EXPECT_EQ(view.signal, "");
  EXPECT_FALSE(view.Led(L::Active));
  rig.exchange.Receive(",A14\r");
  EXPECT_EQ(view.signal, "  10.000");
  EXPECT_DOUBLE_EQ(link.SignalValue, 10.0);
  EXPECT_EQ(link.ReplyValue, 0x14);
  EXPECT_TRUE(view.Led(L::Active) && view.Led(L::Reply) && view.Led(L::Stream));
  EXPECT_FALSE(timers.noResponse.Enabled());
  EXPECT_TRUE(timers.noDataStream.Enabled());
  EXPECT_TRUE(timers.activity.Enabled());
  EXPECT_TRUE(link.ReplyBuffer.Empty());
}

TEST_F(CommandExchangeTest, OnlyTheReplyToTheLastOfTwoCommandsIsAccepted) {
  rig.Send("!J80");
  rig.Send("!K40");
  rig.exchange.Receive("0100,J00\r");
  EXPECT_FALSE(link.ReplyMatched);
  EXPECT_FALSE(view.Led(L::Reply));
  EXPECT_EQ(view.signal, "");
  rig.exchange.Receive("0200,K00\r");
  EXPECT_EQ(view.signal, "  51.200");
  EXPECT_FALSE(timers.noResponse.Enabled());
}

// How the bytes were split on their way in must not decide a reply's fate: a
// slow moment that lets two replies reach one event judges each on its own.
TEST_F(CommandExchangeTest, TwoRepliesInOneEventAreJudgedOneLineAtATime) {
  rig.Send("!J80");
  rig.Send("!K40");
  rig.exchange.Receive("0100,J00\r0200,K00\r00");
  EXPECT_TRUE(view.Led(L::Reply));
  EXPECT_EQ(view.signal, "  51.200");
  EXPECT_FALSE(timers.noResponse.Enabled());
  EXPECT_EQ(link.ReplyBuffer.Text(), "00");
}

// A hex 'A' in an earlier reply's signal passes the loose test; the strict
// one then refuses it, and the real answer is judged by the strict one alone.
TEST_F(CommandExchangeTest, AnEarlierReplyWithAHexLetterIsRefusedAndTheRealOneAccepted) {
  rig.Send("?A");
  rig.exchange.Receive("0A00,J12\r");
  EXPECT_TRUE(link.ReplyMatched);
  EXPECT_TRUE(view.Led(L::Active));
  EXPECT_FALSE(view.Led(L::Reply));
  rig.exchange.Receive("0064,A14\r");
  EXPECT_TRUE(view.Led(L::Reply));
  EXPECT_EQ(view.signal, "  10.000");
}

TEST_F(CommandExchangeTest, GarbledFramesAreRejectedWithoutTouchingTheWatchdogs) {
  for (const char* garbled : {"0G64,A14\r", "01,3,A14\r", "0064,A1G\r", "x0064,A14\r"}) {
    SCOPED_TRACE(garbled);
    rig.Send("?A");
    rig.exchange.Receive(garbled);
    EXPECT_TRUE(view.Led(L::Active));
    EXPECT_FALSE(view.Led(L::Reply));
    EXPECT_FALSE(view.Led(L::Stream));
    EXPECT_TRUE(timers.noResponse.Enabled());
    EXPECT_FALSE(timers.noDataStream.Enabled());
    EXPECT_EQ(view.signal, "");
  }
}

TEST_F(CommandExchangeTest, WhileLostEverythingIsDiscardedButDataIsNoticed) {
  rig.Send("?A");
  link.CommsLost = true;
  rig.exchange.Receive("0064,A14\r");
  EXPECT_TRUE(link.DataReceived);
  EXPECT_TRUE(link.ReplyBuffer.Empty());
  EXPECT_FALSE(link.ReplyMatched);
  EXPECT_EQ(view.signal, "");
}

TEST_F(CommandExchangeTest, ASecondValidLineIsAppliedAgain) {
  rig.Send("?K");
  rig.exchange.Receive("0001,K80\r");
  view.primary.reset();
  rig.exchange.Receive("0002,K81\r");
  EXPECT_EQ(view.primary, 0x81);
  EXPECT_EQ(view.signal, "   0.200");
}

// The trend's feed: one call per accepted reply, none for text the exchange
// throws away, with the gain and mode in force when the reply came.
TEST_F(CommandExchangeTest, EveryAcceptedReplyAndNothingElseReachesTheSignalObserver) {
  struct Seen {
    double signal;
    std::uint8_t gain;
    std::uint8_t mode;
  };
  std::vector<Seen> seen;
  rig.exchange.SetOnSignalAccepted([&](double signal, std::uint8_t gain, std::uint8_t mode) {
    seen.push_back({signal, gain, mode});
  });
  rig.Send("!J80");
  rig.Send("!K40");
  rig.exchange.Receive("0100,J00\r");  // refused: not the current command
  rig.exchange.Receive("0064,K1G\r");  // matched, then rejected
  rig.exchange.Receive("0200,K00\r");
  link.GainCode = 0xC0;
  link.ModeCode = 0x20;
  rig.exchange.Receive("0201,K00\r");
  link.CommsLost = true;
  rig.exchange.Receive("0202,K00\r");
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_DOUBLE_EQ(seen[0].signal, 51.2);
  EXPECT_EQ(seen[0].gain, 0x80);
  EXPECT_EQ(seen[0].mode, 0x30);
  EXPECT_DOUBLE_EQ(seen[1].signal, 51.3);
  EXPECT_EQ(seen[1].gain, 0xC0);
  EXPECT_EQ(seen[1].mode, 0x20);
}

TEST_F(CommandExchangeTest, AStatusReplyUpdatesOnlyTheIndicatorsAskedFor) {
  rig.Send("?A");
  rig.exchange.Receive("0064,A14\r");
  EXPECT_EQ(view.status[0], "");
  rig.exchange.Requests().Gas1 = true;
  rig.exchange.Requests().Flame = true;
  rig.exchange.Receive("0064,A14\r");
  EXPECT_EQ(view.status[0], "Present");
  EXPECT_EQ(view.status[1], "");
  EXPECT_EQ(view.status[2], "Present");
  EXPECT_FALSE(rig.exchange.Requests().Gas1 || rig.exchange.Requests().Flame);
  rig.exchange.Requests().Gas2 = true;
  rig.exchange.Receive("0064,A14\r");
  EXPECT_EQ(view.status[1], "Absent");
}

// What a value means follows the command sent: "!J" and "?J" share a letter.
TEST_F(CommandExchangeTest, ValuesAreAppliedByTheCommandSentAndTheKind) {
  rig.Send("?J");
  rig.exchange.Receive("0000,J80\r");
  EXPECT_EQ(view.boost, 0x80);
  rig.Send("?K");
  rig.exchange.Receive("00ff,Kff\r");
  EXPECT_EQ(view.primary, 255);
  EXPECT_EQ(view.signal, "  25.500");
  rig.Send("$F");
  rig.exchange.Receive("FFFF,$20\r");
  EXPECT_EQ(view.filter, 32);
  EXPECT_EQ(view.signal, "6553.500");
  view.boost.reset();
  rig.Send("!J40");
  rig.exchange.Receive("0000,J77\r");
  EXPECT_FALSE(view.boost);
  rig.Send("*F20");
  rig.exchange.Receive("0000,X00\r");
  EXPECT_TRUE(view.Led(L::Reply));
}

TEST_F(CommandExchangeTest, OnlyAnIdentifyValueOfZeroMeansModelB) {
  for (const auto& [reply, model] : {std::pair{"0000,I01\r", kModelA},
                                     std::pair{"0000,I80\r", kModelA},
                                     std::pair{"0000,I00\r", kModelB}}) {
    rig.Send("?I");
    rig.exchange.Receive(reply);
    EXPECT_EQ(link.InstrumentModel, model);
  }
  EXPECT_EQ(view.identified, 3);
}

TEST_F(CommandExchangeTest, EndlessNoiseIsBoundedAndJudgedAsTheWholeText) {
  rig.Send("?K");
  const std::string noise(1 << 20, '7');
  for (int i = 0; i < 8; ++i) rig.exchange.Receive(noise);
  EXPECT_LE(link.ReplyBuffer.Text().size(), TReplyBuffer::kCapacity);
  // The letter arrives beyond the cap: the text still counts as answering.
  rig.exchange.Receive("K\r");
  EXPECT_TRUE(link.ReplyMatched);
  EXPECT_FALSE(view.Led(L::Reply));
  EXPECT_TRUE(link.ReplyBuffer.Empty());
  rig.exchange.Receive("0001,K05\r");
  EXPECT_EQ(view.primary, 5);
}

TEST_F(CommandExchangeTest, NoiseWithoutTheLetterIsNotTakenForAnAnswer) {
  rig.Send("?K");
  rig.exchange.Receive(std::string(5000, '1') + "\r");
  EXPECT_FALSE(link.ReplyMatched);
  EXPECT_FALSE(view.Led(L::Active));
}

}  // namespace
}  // namespace orvane::instrument::test
