#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>

#include "SerialEnd.h"
#include "SimProcess.h"
#include "instrument/Protocol.h"

namespace {

using orvane::protocol::DecodeReplyFrame;
using orvane::protocol::ReplyFrame;

// Asks and decodes as the panel would, so a frame the panel would reject fails.
std::optional<ReplyFrame> Query(SerialEnd& line, const std::string& command) {
  std::optional<std::string> reply = line.Ask(command);
  if (!reply) return std::nullopt;
  return DecodeReplyFrame(*reply, command);
}

std::uint8_t ValueOf(SerialEnd& line, const std::string& command) {
  std::optional<ReplyFrame> frame = Query(line, command);
  EXPECT_TRUE(frame) << command;
  return frame ? frame->value : 0xEE;
}

struct SimOnLine {
  explicit SimOnLine(std::vector<std::string> args) : sim(std::move(args)), line(sim.SlavePath()) {}
  SimProcess sim;
  SerialEnd line;
};

TEST(SimCommands, EverySetCommandIsAnsweredWithItsKind) {
  SimOnLine s({"--baud", "0"});
  ASSERT_TRUE(s.line.IsOpen());
  for (std::string command :
       {"!BB0", "!J80", "!KFF", "!G1L", "!G1H", "!G2L", "!G2H", "!L9A", "!M40", "*F0A"}) {
    std::optional<ReplyFrame> frame = Query(s.line, command);
    ASSERT_TRUE(frame) << command;
    EXPECT_EQ(frame->kind, command[1]) << command;
  }
}

TEST(SimCommands, QueriesReportWhatWasSet) {
  SimOnLine s({"--baud", "0", "--model", "B"});
  EXPECT_EQ(ValueOf(s.line, "?I"), 0);
  EXPECT_EQ(ValueOf(s.line, "$F"), 32);
  EXPECT_EQ(Query(s.line, "$F")->kind, '$');
  EXPECT_EQ(ValueOf(s.line, "?A"), 0x00);
  Query(s.line, "!G2H");
  EXPECT_EQ(ValueOf(s.line, "?A"), 0x04) << "the dryer gas";
  Query(s.line, "!G1H");
  Query(s.line, "!L9A");
  EXPECT_EQ(ValueOf(s.line, "?A"), 0x1C);
  Query(s.line, "!G2L");
  Query(s.line, "!L00");
  EXPECT_EQ(ValueOf(s.line, "?A"), 0x08) << "the analysis gas";
  Query(s.line, "!M40");
  EXPECT_EQ(ValueOf(s.line, "?A"), 0x18);
  Query(s.line, "!L9A");
  EXPECT_EQ(ValueOf(s.line, "?K"), 0x9A);
  EXPECT_EQ(ValueOf(s.line, "?J"), 0x40);
  Query(s.line, "*F0A");
  EXPECT_EQ(ValueOf(s.line, "$F"), 10);
}

TEST(SimCommands, ModelAIdentifiesItselfAndHasNoFlame) {
  SimOnLine s({"--baud", "0", "--model", "A"});
  EXPECT_NE(ValueOf(s.line, "?I"), 0);
  Query(s.line, "!L9A");
  Query(s.line, "!G2H");
  EXPECT_EQ(ValueOf(s.line, "?A"), 0x04);
  ASSERT_TRUE(s.sim.Control("model B"));
  EXPECT_EQ(ValueOf(s.line, "?I"), 0);
  EXPECT_EQ(ValueOf(s.line, "?A"), 0x14);
}

// Nothing may come back for these; the reply to the query behind them must
// be the next thing on the line.
TEST(SimCommands, IdleAndGarbledLinesAreNotAnswered) {
  SimOnLine s({"--baud", "0"});
  for (std::string junk : {"!Z00", "xx", "?Q", "!B1", "!BZZ", "!G3H", "?A?A", "", "!Z00"}) {
    s.line.Send(junk);
  }
  std::optional<ReplyFrame> frame = Query(s.line, "?K");
  ASSERT_TRUE(frame);
  EXPECT_EQ(frame->kind, 'K');
}

TEST(SimCommands, LineNoiseIsSurvived) {
  SimOnLine s({"--baud", "0"});
  s.line.SendRaw("\n?\xC9\n\r");  // LF ignored, eighth bit stripped: "?I"
  std::optional<ReplyFrame> frame = DecodeReplyFrame(s.line.ReadLine().value_or(""), "?I");
  ASSERT_TRUE(frame);
  EXPECT_EQ(frame->kind, 'I');

  s.line.SendRaw(std::string(10000, 'x') + "\r");
  std::mt19937 random(7);
  std::string bytes;
  for (int i = 0; i < 4000; ++i) bytes += static_cast<char>(random() % 256);
  s.line.SendRaw(bytes + "\r");
  EXPECT_TRUE(Query(s.line, "?A"));
}

TEST(SimCommands, IdleReadsNearZeroUntilASetCommandWakesIt) {
  SimOnLine s({"--baud", "0", "--seed", "3"});
  Query(s.line, "!BC0");
  s.line.Send("!Z00");
  std::optional<ReplyFrame> idle = Query(s.line, "?A");
  ASSERT_TRUE(idle);
  EXPECT_LT(idle->signal, 20);
  ASSERT_TRUE(Query(s.line, "?K"));
  EXPECT_LT(Query(s.line, "?J")->signal, 20) << "queries do not wake it";

  Query(s.line, "!J10");
  auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  std::uint16_t signal = 0;
  while (signal < 1000 && std::chrono::steady_clock::now() < deadline) {
    signal = Query(s.line, "?A").value_or(ReplyFrame{}).signal;
  }
  EXPECT_GE(signal, 1000) << "baseline at gain 1000 is back";
}

}  // namespace
