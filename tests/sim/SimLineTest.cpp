#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>

#include "SerialEnd.h"
#include "SimProcess.h"
#include "serial/PtyDsr.h"

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

using orvane::serial::kPtyDsrOff;

double MillisecondsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Only lower bounds are measured: a loaded machine may deliver late, never early.
TEST(SimLine, RepliesArePacedAtTheLineRate) {
  SimProcess sim({"--baud", "2400"});
  SerialEnd line(sim.SlavePath());
  ASSERT_TRUE(sim.Control("delay 0"));
  auto sent = Clock::now();
  std::optional<std::string> reply = line.Ask("?A");
  // Nine characters of ten bits at 2400 bit/s take 37.5 ms.
  EXPECT_GE(MillisecondsSince(sent), 37.0);
  ASSERT_TRUE(reply);
  EXPECT_EQ(reply->size(), 9u);

  const std::string text(24, 'n');  // 100 ms on the line
  sent = Clock::now();
  ASSERT_TRUE(sim.Control("noise " + text + "\\r"));
  std::optional<std::string> first = line.ReadSome(1s);
  ASSERT_TRUE(first);
  EXPECT_LT(first->size(), text.size()) << "characters trickle in, not in one burst";
  EXPECT_EQ(*first + line.ReadLine().value_or(""), text + "\r");
  EXPECT_GE(MillisecondsSince(sent), 24 * 10 / 2.4);
}

TEST(SimLine, SplitRepliesArriveInTwoPiecesWithAPause) {
  SimProcess sim({"--baud", "0"});
  SerialEnd line(sim.SlavePath());
  ASSERT_TRUE(sim.Control("split on"));
  line.Send("?I");
  std::optional<std::string> head = line.ReadSome(1s);
  ASSERT_TRUE(head);
  auto headArrived = Clock::now();
  EXPECT_LT(head->size(), 9u);
  std::optional<std::string> tail = line.ReadLine();
  ASSERT_TRUE(tail);
  EXPECT_GE(MillisecondsSince(headArrived), 50.0);
  EXPECT_EQ((*head + *tail).substr(4), ",I00\r");
}

TEST(SimLine, SilenceSkipsTheNextCommands) {
  SimProcess sim({"--baud", "0"});
  SerialEnd line(sim.SlavePath());
  ASSERT_TRUE(sim.Control("silence 2"));
  line.Send("?A");
  line.Send("?I");
  std::optional<std::string> reply = line.Ask("?K");
  ASSERT_TRUE(reply);
  EXPECT_EQ(reply->substr(4, 2), ",K");
}

TEST(SimLine, PowerOffLowersDsrAndSilencesTheInstrument) {
  SimProcess sim({"--baud", "0"});
  SerialEnd line(sim.SlavePath());
  EXPECT_NE(line.XPixel(), kPtyDsrOff);
  ASSERT_TRUE(line.Ask("*F0A"));
  ASSERT_TRUE(sim.Control("power off"));
  EXPECT_EQ(line.XPixel(), kPtyDsrOff);
  line.Send("?I");
  ASSERT_TRUE(sim.WaitForLog("RX "));
  ASSERT_TRUE(sim.Control("power on"));
  EXPECT_NE(line.XPixel(), kPtyDsrOff);
  std::optional<std::string> reply = line.Ask("?A");
  ASSERT_TRUE(reply);
  EXPECT_EQ(reply->substr(4, 2), ",A") << "nothing was left over from power-off";
  EXPECT_EQ(line.Ask("$F").value_or("").substr(4), ",$20\r") << "switched on afresh";

  ASSERT_TRUE(sim.Control("dsr off"));
  EXPECT_EQ(line.XPixel(), kPtyDsrOff);
  EXPECT_TRUE(line.Ask("?A")) << "DSR alone does not stop the answers";
  ASSERT_TRUE(sim.Control("dsr on"));
  EXPECT_NE(line.XPixel(), kPtyDsrOff);
}

TEST(SimLine, UnplugHangsUpAndPlugMovesTheLink) {
  std::string link = ::testing::TempDir() + "orvane-sim-link-" + std::to_string(getpid());
  SimProcess sim({"--baud", "0", "--link", link});
  EXPECT_EQ(std::filesystem::read_symlink(link), sim.SlavePath());
  SerialEnd line(link);
  ASSERT_TRUE(line.Ask("?I"));

  ASSERT_TRUE(sim.Control("unplug"));
  EXPECT_TRUE(line.WaitHangUp(1s));
  EXPECT_FALSE(std::filesystem::is_symlink(link));

  ASSERT_TRUE(sim.Control("plug"));
  std::optional<std::string> moved = sim.WaitForLog("PTY ");
  ASSERT_TRUE(moved);
  std::string path = moved->substr(moved->rfind(' ') + 1);
  EXPECT_EQ(std::filesystem::read_symlink(link), path);
  SerialEnd again(link);
  EXPECT_TRUE(again.Ask("?I"));

  ASSERT_TRUE(sim.Control("quit"));
  EXPECT_EQ(sim.WaitExit(), 0);
  EXPECT_FALSE(std::filesystem::is_symlink(link)) << "no link left to a released pty";
}

TEST(SimLine, NoiseGoesOutRaw) {
  SimProcess sim({"--baud", "0"});
  SerialEnd line(sim.SlavePath());
  ASSERT_TRUE(sim.Control("noise 12\\x41\\r"));
  EXPECT_EQ(line.ReadLine(), "12A\r");
}

}  // namespace
