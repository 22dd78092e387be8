#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <iterator>

#include "PanelRig.h"
#include "trend/ReadingRing.h"
#include "widgets/TButton.h"
#include "widgets/TMessageDlg.h"
#include "widgets/TRadioGroup.h"
#include "widgets/TSpinEdit.h"
#include "widgets/TVrPowerButton.h"

namespace orvane::panel::test {
namespace {

using Commands = std::vector<std::string>;

const QString kLost = "Lost Communication with Instrument";
// Reset's connect and the settings it sends again, polls and lamp left out.
const Commands kReconnect = {"?I", "!G2L", "!G1L", "!J00", "!K00"};

// Cycles in CI; ORVANE_REPLUG_CYCLES=50 runs the full soak (about four
// minutes: each cycle waits out the three-second stream watchdog).
int ReplugCycles() {
  const int asked = qEnvironmentVariableIntValue("ORVANE_REPLUG_CYCLES");
  return asked > 0 ? asked : 8;
}

std::size_t OpenDescriptors() {
  return static_cast<std::size_t>(std::distance(
      std::filesystem::directory_iterator("/proc/self/fd"), std::filesystem::directory_iterator()));
}

class MainWindowReconnectTest : public PanelRig {
 protected:
  void Connect(char model) {
    StartSim(model, 0);
    OpenWindow();
    ASSERT_TRUE(WaitConnected());
    ASSERT_TRUE(WaitStartSettled());
  }

  // The commands from the `from`-th on without the polls, and without those
  // the identify reply sends again: model A's gain and mode, model B's lamp.
  Commands PlainSince(std::size_t from) {
    Commands sent = Received();
    sent.erase(sent.begin(), sent.begin() + static_cast<long>(std::min(from, sent.size())));
    std::erase_if(sent, [](const std::string& c) {
      return c.starts_with("?A") || c.starts_with("?K") || c.starts_with("?J") ||
             c.starts_with("$F") || c.starts_with("!B") || c.starts_with("!L") ||
             c.starts_with("!M");
    });
    return sent;
  }

  // Unplugs and waits for the lost link's warning, which the operator
  // answers at once, with the instrument still away.
  void UnplugUntilWarned() {
    const std::size_t warned = boxes.size();
    Control("unplug");
    ASSERT_TRUE(RunUntil([&] { return boxes.size() > warned; }, 8000));
    EXPECT_EQ(boxes.back(), kLost);
  }

  // Plugs back in; the milliseconds until Reset's commands had all arrived.
  long PlugUntilReconnected() {
    const std::size_t before = Received().size();
    QElapsedTimer clock;
    Control("plug");
    clock.start();
    if (!RunUntil([&] { return PlainSince(before).size() >= kReconnect.size(); }, 5000)) {
      return -1;
    }
    // Model A's polls repeat the last command: the pump 2 one may go again.
    const Commands sent = PlainSince(before);
    EXPECT_EQ(Commands(sent.begin(), sent.begin() + static_cast<long>(kReconnect.size())),
              kReconnect);
    return clock.elapsed();
  }

  bool PollsResume() {
    const std::size_t now = Received().size();
    return RunUntil(
        [&] {
          const Commands sent = Received();
          return std::any_of(sent.begin() + static_cast<long>(std::min(now, sent.size())),
                             sent.end(), [](const std::string& c) { return c == "?A"; });
        },
        3000);
  }

  bool NoDialogLeft() const {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
      if (widget != window.get() && widget->isVisible()) return false;
    }
    return window->findChildren<QDialog*>().isEmpty();
  }
};

TEST_F(MainWindowReconnectTest, ARepluggedInstrumentIsBackWithoutTheOperator) {
  Connect('B');
  UnplugUntilWarned();
  const long took = PlugUntilReconnected();
  ASSERT_GE(took, 0) << ::testing::PrintToString(Received());
  EXPECT_LE(took, 2000);
  EXPECT_TRUE(PollsResume());
  EXPECT_TRUE(WaitConnected());
  EXPECT_FALSE(Link().CommsLost);
  EXPECT_FALSE(Link().ForcePortSelect) << "only the operator's Reset asks for ports later";
  EXPECT_EQ(boxes, std::vector<QString>{kLost});
  EXPECT_TRUE(NoDialogLeft());
}

// Nobody is there to close the warning. The reconnect runs under it, and the
// watchdog's own search once it is closed finds the link already up.
TEST_F(MainWindowReconnectTest, AWarningLeftOpenDoesNotHoldTheReconnectBack) {
  Connect('B');
  long took = -1;
  bool reconnectedUnderTheBox = false;
  widgets::TMessageDlg::SetScript([&](const widgets::TMessageRequest& request) {
    boxes.push_back(request.text);
    if (request.text != kLost) return widgets::mrOk;
    QEventLoop box;
    QTimer::singleShot(0, [&] {
      took = PlugUntilReconnected();
      reconnectedUnderTheBox = Link().SearchDialog.isNull() && !Link().CommsLost;
      box.quit();
    });
    box.exec();
    return widgets::mrOk;
  });
  Control("unplug");
  ASSERT_TRUE(RunUntil([&] { return !boxes.empty(); }, 8000));
  EXPECT_GE(took, 0);
  EXPECT_LE(took, 2000);
  EXPECT_TRUE(reconnectedUnderTheBox);
  EXPECT_TRUE(WaitConnected());
  EXPECT_TRUE(PollsResume());
  EXPECT_EQ(boxes, std::vector<QString>{kLost});
  EXPECT_EQ(portDialogs, 0);
  EXPECT_TRUE(NoDialogLeft());
}

TEST_F(MainWindowReconnectTest, ReplugCyclesLeakNothingAndLeaveNoDialog) {
  Connect('A');
  std::size_t descriptors = 0;
  long slowest = 0;
  for (int cycle = 0; cycle < ReplugCycles(); ++cycle) {
    SCOPED_TRACE("cycle " + std::to_string(cycle));
    UnplugUntilWarned();
    const long took = PlugUntilReconnected();
    ASSERT_GE(took, 0);
    slowest = std::max(slowest, took);
    ASSERT_TRUE(PollsResume());
    ASSERT_TRUE(NoDialogLeft());
    if (cycle == 0) descriptors = OpenDescriptors();
  }
  EXPECT_EQ(OpenDescriptors(), descriptors);
  RecordProperty("slowest_reconnect_ms", std::to_string(slowest));
  EXPECT_LE(slowest, 2000);
  EXPECT_EQ(boxes.size(), static_cast<std::size_t>(ReplugCycles()));
}

// Plugged in again while nobody answers the warning: once the link is back
// and polled the warning closes itself, and nothing follows it.
TEST_F(MainWindowReconnectTest, AWarningWhoseLinkIsBackClosesItselfAndStartsNothing) {
  Connect('A');
  int ended = 0;
  std::size_t closedAt = 0;
  widgets::TMessageDlg::SetScript([&](const widgets::TMessageRequest& request) {
    boxes.push_back(request.text);
    QEventLoop box;
    request.closer->SetOnClose([&] {
      ++ended;
      box.quit();
    });
    QTimer::singleShot(0, [this] { Control("plug"); });
    // The operator who answers at last.
    QTimer::singleShot(10000, &box, &QEventLoop::quit);
    box.exec();
    closedAt = Received().size();
    return widgets::mrOk;
  });
  for (int cycle = 0; cycle < 3; ++cycle) {
    UnplugUntilWarned();
    EXPECT_EQ(ended, cycle + 1);
    EXPECT_TRUE(PollsResume());
    const Commands sent = Received();
    EXPECT_EQ(std::count(sent.begin() + static_cast<long>(closedAt), sent.end(), "?I"), 0)
        << "no connect after the box";
    EXPECT_EQ(C().VrPowerButton->Caption(), "OFF");
  }
  EXPECT_EQ(boxes.size(), 3u);
  EXPECT_TRUE(NoDialogLeft());
}

// Switched off and on, the instrument wakes with its own gain, mode, filter
// and lamp. Whether the link comes back through the connect after the
// warning, through Reset, or by polls answered again after a short break,
// the panel sends them again before it records a reading: at the panel's
// gain 1 the signal stays far below the 17 or more that the instrument's
// power-up gain of 100 reads.
TEST_F(MainWindowReconnectTest, AnInstrumentSwitchedOffAndOnGetsThePanelsSettingsBack) {
  Connect('B');
  C().rgGain->SetItemIndex(0);
  C().speFilter->SetValue(16);
  C().btnSetFilter->Click();
  C().rgElements->SetItemIndex(1);
  C().BtnSetCurrent->Click();
  ASSERT_TRUE(RunUntil([&] { return std::ranges::count(Received(), "!M6B") == 1; }, 7000));
  const std::size_t recorded = window->Trend().Readings().Size();
  // The commands since `from`, queries left out, hold the settings in order.
  const auto restoredSince = [&](std::size_t from) {
    const Commands restored = {"!G2L", "!G1L", "!J00", "!K00", "!B20", "*F10", "!L80"};
    Commands sent = Received();
    sent.erase(sent.begin(), sent.begin() + static_cast<long>(from));
    std::erase_if(sent, [](const std::string& c) { return c.starts_with('?') || c == "$F"; });
    return !std::ranges::search(sent, restored).empty();
  };
  const auto powerCycle = [&](const std::function<void()>& whileOff) {
    Control("power off");
    const std::size_t from = Received().size();
    whileOff();
    ASSERT_TRUE(RunUntil([&] { return restoredSince(from); }, 10000))
        << ::testing::PrintToString(Received());
  };
  // Back on while the warning is up: the connect that follows it.
  widgets::TMessageDlg::SetScript([&](const widgets::TMessageRequest& request) {
    boxes.push_back(request.text);
    if (request.text == kLost && boxes.size() == 1) Control("power on");
    return widgets::mrOk;
  });
  powerCycle([] {});
  // Still off after the warning: Reset brings it back.
  powerCycle([&] {
    ASSERT_TRUE(
        RunUntil([&] { return C().BtnWakeInstrument->isEnabled() && boxes.size() >= 3; }, 12000));
    Control("power on");
    C().BtnWakeInstrument->Click();
  });
  // Back before any watchdog could tell: polls go unanswered, then answered.
  powerCycle([&] {
    const std::size_t off = Received().size();
    ASSERT_TRUE(WaitReceived(off + 2, 3000));
    Control("power on");
  });
  EXPECT_EQ(boxes.size(), 3u);
  ASSERT_TRUE(PollsResume());
  Commands gains = Received();
  std::erase_if(gains, [](const std::string& c) { return !c.starts_with("!B"); });
  EXPECT_EQ(gains.back(), "!B20") << "the instrument measures under the panel's gain";
  const trend::TReadingRing& readings = window->Trend().Readings();
  ASSERT_GT(readings.Size(), recorded);
  for (std::size_t i = recorded; i < readings.Size(); ++i) EXPECT_LT(readings[i].signal, 10.0);
}

}  // namespace
}  // namespace orvane::panel::test
