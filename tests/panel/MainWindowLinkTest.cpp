#include <gtest/gtest.h>

#include <signal.h>

#include <atomic>
#include <sys/wait.h>
#include <unistd.h>

#include "PanelRig.h"
#include "PtyPair.h"
#include "panel/ScreenNumber.h"
#include "widgets/TButton.h"
#include "widgets/TGauge.h"
#include "widgets/TRadioGroup.h"
#include "widgets/TVrPowerButton.h"
#include "widgets/TVrUserLed.h"

namespace orvane::panel::test {
namespace {

using Commands = std::vector<std::string>;

Commands First(const Commands& commands, std::size_t n) {
  return Commands(commands.begin(), commands.begin() + static_cast<long>(std::min(n, commands.size())));
}

class MainWindowLinkTest : public PanelRig {};

// Keeps every core busy while it lives, as a loaded lab PC would be.
class TBusyMachine {
 public:
  TBusyMachine() {
    for (long i = 0; i < sysconf(_SC_NPROCESSORS_ONLN); ++i) {
      const pid_t pid = fork();
      if (pid == 0) {
        for (;;) std::atomic_signal_fence(std::memory_order_seq_cst);
      }
      children_.push_back(pid);
    }
  }
  ~TBusyMachine() {
    for (pid_t pid : children_) kill(pid, SIGKILL);
    for (pid_t pid : children_) waitpid(pid, nullptr, 0);
  }

 private:
  std::vector<pid_t> children_;
};

TEST_F(MainWindowLinkTest, ModelBStartsIdentifiedSizedAndPolling) {
  StartSim('B');
  OpenWindow();
  ASSERT_TRUE(WaitReceived(10, 12000));
  // The boost current follows the primary five seconds later, amid the polling.
  Commands sent = Received();
  EXPECT_EQ(std::count(sent.begin(), sent.end(), "!M00"), 1);
  std::erase(sent, "!M00");
  EXPECT_EQ(First(sent, 9), (Commands{"?I", "!BA0", "!L00", "$F", "?A", "?A", "?K", "?J", "?A"}));
  // The mode change stretches the first poll; the cycle then runs at 600 ms.
  EXPECT_GE(ReceivedAt(3) - ReceivedAt(1), 2900);
  EXPECT_GE(ReceivedAt(5) - ReceivedAt(4), 550);
  EXPECT_TRUE(WaitConnected());
  EXPECT_EQ(window->size(), QSize(666, 368));
  EXPECT_EQ(window->windowTitle(), "RV ORVANE - AFS - Ver (2.2)");
  EXPECT_EQ(C().rgMode->ItemIndex(), 2);
  EXPECT_FALSE(C().rgMode->ItemEnabled(0));
  EXPECT_TRUE(C().StreamLed->Active());
  EXPECT_NE(C().Signal->text(), ScreenNumber("0.000"));
  EXPECT_EQ(C().pnlGas1Stat->text(), "Absent");
  EXPECT_EQ(C().Label10->text(), ScreenNumber("0.0 ma"));
  EXPECT_FALSE(C().BtnWakeInstrument->isEnabled());
  EXPECT_TRUE(boxes.empty());
  EXPECT_TRUE(errors.empty());
}

// The first poll after the identify is held back three seconds, and its
// answer arrives only just before the stream watchdog would fire.
TEST_F(MainWindowLinkTest, ANormalStartStaysConnectedOnABusyMachine) {
  TBusyMachine busy;
  StartSim('B');
  OpenWindow();
  ASSERT_TRUE(WaitConnected(15000));
  RunFor(4000);
  EXPECT_TRUE(boxes.empty());
  EXPECT_FALSE(Link().CommsLost);
  EXPECT_TRUE(C().StreamLed->Active());
}

TEST_F(MainWindowLinkTest, ModelAStartsWithoutTheLampAndRepeatsItsStatusQuery) {
  StartSim('A');
  OpenWindow();
  ASSERT_TRUE(WaitReceived(8, 12000));
  EXPECT_EQ(First(Received(), 8), (Commands{"?I", "!BB0", "$F", "?A", "?A", "?A", "?A", "?A"}));
  EXPECT_TRUE(WaitConnected());
  EXPECT_EQ(window->size(), QSize(666, 200));
  EXPECT_EQ(window->windowTitle(), "PY ORVANE - AFS - Ver (2.2)");
  EXPECT_TRUE(C().rgMode->ItemEnabled(0));
  EXPECT_EQ(C().lblFlameStat->text(), "####");
}

TEST_F(MainWindowLinkTest, SplitRepliesAndNoiseBetweenThemStillKeepTheLinkUp) {
  StartSim('B');
  OpenWindow();
  ASSERT_TRUE(WaitConnected());
  Control("split on");
  Control("noise \\x01zz");
  const std::size_t before = Received().size();
  ASSERT_TRUE(WaitReceived(before + 8, 8000));
  EXPECT_TRUE(C().StreamLed->Active());
  EXPECT_FALSE(Link().CommsLost);
  EXPECT_TRUE(boxes.empty());
}

TEST_F(MainWindowLinkTest, ASilentLineIsReportedNamingThePort) {
  serial::test::TPtyPair silent;
  MapPorts({{3, silent.SlavePath()}});
  OpenWindow();
  ASSERT_TRUE(RunUntil([&] { return !boxes.empty(); }, 6000));
  EXPECT_EQ(boxes[0].left(34), "Instrument Not Present on COM 3\r\nP");
  EXPECT_TRUE(C().BtnWakeInstrument->isEnabled());
  EXPECT_EQ(C().VrPowerButton->Caption(), "ON");
  EXPECT_FALSE(C().VrPowerButton->Active());
  EXPECT_FALSE(Link().SearchDialog);
  EXPECT_EQ(silent.Read(3), "?I\r");
}

TEST_F(MainWindowLinkTest, ResetWithoutAnInstrumentOffersPortsAndKeepsOfferingThem) {
  StartSim('B');
  Control("power off");
  OpenWindow();
  ASSERT_TRUE(RunUntil([&] { return !boxes.empty(); }, 6000));
  C().BtnWakeInstrument->click();
  EXPECT_EQ(portDialogs, 1);
  EXPECT_EQ(boxes.size(), 1u);
  EXPECT_TRUE(Link().ForcePortSelect);

  // A successful Reset later does not end the offer.
  Control("power on");
  C().BtnWakeInstrument->click();
  ASSERT_TRUE(WaitConnected());
  EXPECT_TRUE(Link().ForcePortSelect);
  EXPECT_EQ(portDialogs, 1);
}

TEST_F(MainWindowLinkTest, PowerOffIsReportedAsALostLinkThenSearchedFor) {
  StartSim('B');
  OpenWindow();
  ASSERT_TRUE(WaitConnected());
  const std::size_t before = Received().size();
  Control("power off");
  // The lost link, then the search for it, which nobody answers.
  ASSERT_TRUE(RunUntil([&] { return boxes.size() == 2; }, 9000));
  EXPECT_EQ(boxes[0], "Lost Communication with Instrument");
  EXPECT_TRUE(boxes[1].startsWith("Instrument Not Present on COM 3"));
  const Commands sent = Received();
  EXPECT_NE(std::find(sent.begin() + static_cast<long>(before), sent.end(), "?I"), sent.end());
  Control("power on");
  C().BtnWakeInstrument->click();
  EXPECT_TRUE(WaitConnected());
}

TEST_F(MainWindowLinkTest, ResetFindsARepluggedInstrument) {
  StartSim('B');
  OpenWindow();
  ASSERT_TRUE(WaitConnected());
  Control("unplug");
  ASSERT_TRUE(RunUntil([&] { return !boxes.empty(); }, 8000));
  Control("plug");
  RunFor(100);
  C().BtnWakeInstrument->click();
  ASSERT_TRUE(WaitConnected());
  const std::size_t before = Received().size();
  EXPECT_TRUE(WaitReceived(before + 3, 4000));
}

TEST_F(MainWindowLinkTest, ResetWithTheInstrumentThereSendsTheGasesAndPumpsAgain) {
  StartSim('B');
  OpenWindow();
  ASSERT_TRUE(WaitConnected());
  const std::size_t before = Received().size();
  C().BtnWakeInstrument->Click();
  // Polls go on meanwhile, and the identify reply sets the lamp again.
  Commands sent;
  RunUntil(
      [&] {
        sent = Received();
        sent.erase(sent.begin(), sent.begin() + static_cast<long>(before));
        std::erase_if(sent, [](const std::string& c) {
          return c.starts_with("?A") || c.starts_with("?K") || c.starts_with("?J") ||
                 c.starts_with("!L") || c.starts_with("!M");
        });
        return sent.size() >= 5;
      },
      6000);
  EXPECT_EQ(First(sent, 5), (Commands{"?I", "!G2L", "!G1L", "!J00", "!K00"}));
}

}  // namespace
}  // namespace orvane::panel::test
