#include <gtest/gtest.h>
#include <signal.h>

#include <random>
#include <sstream>
#include <string>

#include "SerialEnd.h"
#include "SimProcess.h"

namespace {

long LoggedMilliseconds(const std::string& line) {
  std::istringstream fields(line);
  std::string tag;
  long ms = -1;
  fields >> tag >> ms;
  return ms;
}

TEST(SimControl, BadControlInputIsLoggedAndSurvived) {
  SimProcess sim({"--baud", "0"});
  SerialEnd line(sim.SlavePath());
  for (std::string bad : {"bogus", "power sideways", "delay -5", "silence x", "model C",
                          "noise \\xZZ", "plug", "quit now"}) {
    ASSERT_TRUE(sim.Control(bad));
    EXPECT_TRUE(sim.WaitForLog("ERR ")) << bad;
  }
  std::mt19937 random(11);
  std::string bytes;
  for (int i = 0; i < 20000; ++i) bytes += static_cast<char>(random() % 256);
  sim.WriteControlRaw(bytes + "\n");
  ASSERT_TRUE(sim.Control("delay 1"));
  EXPECT_TRUE(line.Ask("?I"));
}

TEST(SimControl, EndOfControlInputLeavesItRunningUntilTerminated) {
  SimProcess sim({"--baud", "0"});
  SerialEnd line(sim.SlavePath());
  sim.CloseControl();
  EXPECT_TRUE(line.Ask("?I"));
  EXPECT_TRUE(line.Ask("?A"));
  sim.Signal(SIGTERM);
  EXPECT_EQ(sim.WaitExit(), 0);
}

TEST(SimControl, InterruptStopsIt) {
  SimProcess sim({"--baud", "0"});
  sim.Signal(SIGINT);
  EXPECT_EQ(sim.WaitExit(), 0);
}

TEST(SimControl, BadCommandLineIsRefused) {
  SimProcess sim({"--model", "Z"});
  EXPECT_TRUE(sim.SlavePath().empty());
  EXPECT_EQ(sim.WaitExit(), 2);
}

TEST(SimControl, LogShowsEachExchangeInOrder) {
  SimProcess sim({"--baud", "0"});
  SerialEnd line(sim.SlavePath());
  ASSERT_TRUE(line.Ask("!G1H"));
  line.Send("!Z00");
  ASSERT_TRUE(sim.WaitForLog("RX "));
  ASSERT_TRUE(sim.Control("delay 5"));
  ASSERT_TRUE(line.Ask("?A"));
  ASSERT_TRUE(sim.WaitForLog("TX "));  // the last reply is logged once sent

  std::vector<std::string> log = sim.LogSoFar();
  ASSERT_EQ(log.size(), 7u);
  EXPECT_EQ(log[0], sim.SlavePath());
  const char* tags[] = {"RX ", "TX ", "RX ", "CTL ", "RX ", "TX "};
  long previous = 0;
  for (std::size_t i = 0; i < std::size(tags); ++i) {
    const std::string& entry = log[i + 1];
    EXPECT_TRUE(entry.starts_with(tags[i])) << entry;
    EXPECT_GE(LoggedMilliseconds(entry), previous) << entry;
    previous = LoggedMilliseconds(entry);
  }
  EXPECT_TRUE(log[1].ends_with(" !G1H"));
  EXPECT_TRUE(log[3].ends_with(" !Z00"));
  EXPECT_TRUE(log[4].ends_with(" delay 5"));
  EXPECT_TRUE(log[2].ends_with(",G01\\r")) << log[2];
  EXPECT_TRUE(log[6].ends_with(",A08\\r")) << log[6];  // the analysis gas
}

}  // namespace
