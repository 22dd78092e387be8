#include "instrument/Protocol.h"

#include <gtest/gtest.h>

#include <random>

namespace orvane::protocol {
namespace {

TEST(Commands, EveryBuilderGivesItsText) {
  EXPECT_EQ(EncodeHexByte(0), "00");
  EXPECT_EQ(EncodeHexByte(10), "0A");
  EXPECT_EQ(EncodeHexByte(154), "9A");
  EXPECT_EQ(EncodeHexByte(255), "FF");
  EXPECT_EQ(BuildPump1Command(0), "!J00");
  EXPECT_EQ(BuildPump1Command(255), "!JFF");
  EXPECT_EQ(BuildPump2Command(64), "!K40");
  EXPECT_EQ(BuildAnalysisGasCommand(false), "!G1L");
  EXPECT_EQ(BuildAnalysisGasCommand(true), "!G1H");
  EXPECT_EQ(BuildDryerGasCommand(false), "!G2L");
  EXPECT_EQ(BuildDryerGasCommand(true), "!G2H");
  EXPECT_EQ(BuildPrimaryCurrentCommand(154), "!L9A");
  EXPECT_EQ(BuildBoostCurrentCommand(149), "!M95");
  EXPECT_EQ(BuildSetFilterCommand(1), "*F01");
  EXPECT_EQ(BuildSetFilterCommand(10), "*F0A");
  EXPECT_EQ(BuildSetFilterCommand(64), "*F40");
  EXPECT_EQ(kIdleCommand, "!Z00");
  EXPECT_EQ(kIdentifyCommand, "?I");
  EXPECT_EQ(kStatusCommand, "?A");
  EXPECT_EQ(kPrimaryReadCommand, "?K");
  EXPECT_EQ(kBoostReadCommand, "?J");
  EXPECT_EQ(kFilterReadCommand, "$F");
}

TEST(Commands, GainAndModeCodesDoNotFollowItemOrder) {
  const auto build = [](int gain, int mode) {
    return BuildGainModeCommand(*GainCodeForItem(gain), *ModeCodeForItem(mode));
  };
  EXPECT_EQ(build(0, 0), "!B00");
  EXPECT_EQ(build(3, 2), "!BE0");
  EXPECT_EQ(build(2, 1), "!BB0");
  EXPECT_EQ(build(1, 1), "!B70");
  for (int outside : {-1, 4, 100}) EXPECT_FALSE(GainCodeForItem(outside)) << outside;
  for (int outside : {-1, 3}) EXPECT_FALSE(ModeCodeForItem(outside)) << outside;
}

TEST(Decode, AcceptsWellFormedRepliesInEitherCase) {
  const auto status = DecodeReplyFrame("0064,A14\r", "?A");
  ASSERT_TRUE(status);
  EXPECT_EQ(status->signal, 0x64);
  EXPECT_EQ(status->kind, 'A');
  EXPECT_EQ(status->value, 0x14);

  const auto primary = DecodeReplyFrame("00ff,Kff\r", "?K");
  ASSERT_TRUE(primary);
  EXPECT_EQ(primary->signal, 0xFF);
  EXPECT_EQ(primary->value, 0xFF);

  const auto filter = DecodeReplyFrame("FFFF,$20\r", "$F");
  ASSERT_TRUE(filter);
  EXPECT_EQ(filter->signal, 0xFFFF);
  EXPECT_EQ(filter->kind, '$');
  EXPECT_EQ(filter->value, 32);
}

TEST(Decode, FilterCommandsTakeAnyKind) {
  EXPECT_TRUE(DecodeReplyFrame("FFFF,$20\r", "*F20"));
  EXPECT_TRUE(DecodeReplyFrame("FFFF,Q20\r", "*F20"));
  EXPECT_FALSE(DecodeReplyFrame("FFFF,Q20\r", "?A"));
}

TEST(Decode, RejectsInTheOrderOfItsTests) {
  EXPECT_FALSE(DecodeReplyFrame("x0064,A14\r", "?A")) << "stray byte before a reply";
  EXPECT_FALSE(DecodeReplyFrame("0064,A14\r0064,A14\r", "?A")) << "two replies run together";
  EXPECT_FALSE(DecodeReplyFrame("0064,A14", "?A")) << "too short";
  EXPECT_FALSE(DecodeReplyFrame("01,3,A14\r", "?A")) << "first comma at 3";
  EXPECT_FALSE(DecodeReplyFrame("0064,K14\r", "?A")) << "wrong kind";
  EXPECT_FALSE(DecodeReplyFrame("0G64,A14\r", "?A")) << "signal not hex";
  EXPECT_FALSE(DecodeReplyFrame("+064,A14\r", "?A")) << "sign in the signal";
  EXPECT_FALSE(DecodeReplyFrame(" 064,A14\r", "?A")) << "space in the signal";
  EXPECT_FALSE(DecodeReplyFrame("0064,A1G\r", "?A")) << "value not hex";
  EXPECT_FALSE(DecodeReplyFrame("0064,A-1\r", "?A")) << "sign in the value";
  // With an 'F' command the carriage return may stand at the kind position.
  EXPECT_TRUE(DecodeReplyFrame("0064,\r14\r", "*F01"));
}

TEST(Decode, CommandsTooShortToNameALetterMatchNothing) {
  EXPECT_FALSE(DecodeReplyFrame("0064,A14\r", ""));
  EXPECT_FALSE(DecodeReplyFrame("0064,A14\r", "?"));
  EXPECT_FALSE(ReplyBelongsTo("0064,A14\r", ""));
}

TEST(Association, IsLooserThanAcceptance) {
  EXPECT_TRUE(ReplyBelongsTo("0064,A14\r", "?A"));
  // A hex letter in the signal field of another reply passes the loose test
  // and is then refused by the kind position.
  EXPECT_TRUE(ReplyBelongsTo("0A64,K14\r", "?A"));
  EXPECT_FALSE(DecodeReplyFrame("0A64,K14\r", "?A"));
  EXPECT_FALSE(ReplyBelongsTo("0064,K14\r", "?A"));
  EXPECT_TRUE(ReplyBelongsTo("garbage\r", "$F"));
  EXPECT_TRUE(ReplyBelongsTo("", "*F01"));
}

TEST(Frames, EncodeAndDecodeAreInverse) {
  const ReplyFrame frame{0xBEEF, 'J', 0x7F};
  const std::string text = EncodeReplyFrame(frame);
  EXPECT_EQ(text, "BEEF,J7F\r");
  const auto back = DecodeReplyFrame(text, "?J");
  ASSERT_TRUE(back);
  EXPECT_EQ(back->signal, frame.signal);
  EXPECT_EQ(back->value, frame.value);
}

// Whatever arrives on the line is judged, never crashes, and an accepted
// text is always a nine-character frame.
TEST(Decode, AnyTextIsJudgedSafely) {
  std::mt19937 random(7);
  const std::string alphabet = "0123456789abcdefABCDEFG,$!?*\r\n \x7f\x80\xff";
  const char* commands[] = {"?A", "?K", "$F", "*F20", "!B", "", "?"};
  for (int round = 0; round < 20000; ++round) {
    std::string text(random() % 14, ' ');
    for (char& c : text) c = alphabet[random() % alphabet.size()];
    for (const char* command : commands) {
      ReplyBelongsTo(text, command);
      if (DecodeReplyFrame(text, command)) {
        ASSERT_EQ(text.size(), kReplyFrameLength);
      }
    }
  }
}

}  // namespace
}  // namespace orvane::protocol
