#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QTest>

#include "PanelRig.h"
#include "widgets/TButton.h"
#include "widgets/TMessageDlg.h"
#include "widgets/TRadioGroup.h"
#include "widgets/TVrPowerButton.h"

namespace orvane::panel::test {
namespace {

using Commands = std::vector<std::string>;

class MainWindowPowerTest : public PanelRig {
 protected:
  void Connect(char model) {
    StartSim(model);
    OpenWindow();
    ASSERT_TRUE(WaitConnected());
    ASSERT_TRUE(WaitStartSettled());
  }
  void AnswerQuestion(int answer) {
    widgets::TMessageDlg::SetScript([this, answer](const widgets::TMessageRequest& request) {
      boxes.push_back(request.text);
      return answer;
    });
  }
  long Count(const std::string& command) {
    const Commands all = Received();
    return std::count(all.begin(), all.end(), command);
  }
  void ClickPower() { QTest::mouseClick(C().VrPowerButton, Qt::LeftButton); }
};

TEST_F(MainWindowPowerTest, WithTheInstrumentAbsentTheWindowClosesWithoutAQuestion) {
  StartSim('B');
  Control("power off");
  OpenWindow();
  RunFor(400);
  boxes.clear();
  EXPECT_TRUE(window->close());
  EXPECT_TRUE(boxes.empty());
  EXPECT_EQ(Count("!Z00"), 0);
}

TEST_F(MainWindowPowerTest, CancelKeepsTheWindowAndPollingGoesOn) {
  Connect('B');
  AnswerQuestion(widgets::mrCancel);
  EXPECT_FALSE(window->close());
  EXPECT_EQ(boxes.back(), "Would you like to shut down the instrument ?");
  EXPECT_TRUE(window->isVisible());
  EXPECT_TRUE(window->Timers().CheckTimer.Enabled());
  EXPECT_EQ(Count("!Z00"), 0);
}

// The question may come after any step of the polling cycle and stay up
// longer than the watchdogs wait: polling goes on under it, and after Cancel
// the link is as it was.
TEST_F(MainWindowPowerTest, TheShutDownQuestionCostsTheLinkNothingAtAnyStep) {
  StartSim('B', 0);
  OpenWindow();
  ASSERT_TRUE(WaitConnected());
  widgets::TMessageDlg::SetScript([this](const widgets::TMessageRequest& request) {
    boxes.push_back(request.text);
    if (request.text != TPowerHandlers::kShutDownQuestion) return widgets::mrOk;
    const std::uint64_t seen = window->Trend().Revision();
    // Seven readings take six polling intervals, longer than the stream watchdog.
    EXPECT_TRUE(RunUntil([&] { return window->Trend().Revision() >= seen + 7; }, 9000));
    return widgets::mrCancel;
  });
  for (int step = 0; step <= 5; ++step) {
    SCOPED_TRACE("question after step " + std::to_string(step));
    if (step == 0) C().btnSetFilter->Click();
    ASSERT_TRUE(RunUntil([&] { return Link().PollStep == step + 1; }, 5000));
    EXPECT_FALSE(window->close());
    EXPECT_FALSE(Link().CommsLost);
    const std::uint64_t seen = window->Trend().Revision();
    EXPECT_TRUE(RunUntil([&] { return window->Trend().Revision() > seen; }, 3000));
    EXPECT_EQ(C().VrPowerButton->Caption(), "OFF");
  }
  EXPECT_EQ(boxes, std::vector<QString>(6, TPowerHandlers::kShutDownQuestion));
}

TEST_F(MainWindowPowerTest, YesShutsTheInstrumentDownAndClosesThreeSecondsLater) {
  Connect('B');
  AnswerQuestion(widgets::mrYes);
  EXPECT_FALSE(window->close());
  ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
  EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
  RunFor(2500);
  EXPECT_TRUE(window->isVisible());
  ASSERT_TRUE(RunUntil([&] { return !window->isVisible(); }, 1500));
  EXPECT_EQ(Count("!Z00"), 1);
  EXPECT_EQ(boxes.size(), 1u);
  QGuiApplication::restoreOverrideCursor();
}

TEST_F(MainWindowPowerTest, NoClosesWithoutTouchingTheInstrumentAndALockedPanelStaysOpen) {
  Connect('A');
  Link().PanelLocked = true;
  EXPECT_FALSE(window->close());
  EXPECT_TRUE(boxes.empty());
  Link().PanelLocked = false;
  AnswerQuestion(widgets::mrNo);
  EXPECT_TRUE(window->close());
  RunFor(100);
  EXPECT_EQ(Count("!Z00"), 0);
}

TEST_F(MainWindowPowerTest, IdleAndWakeUpOnModelB) {
  Connect('B');
  C().rgElements->SetItemIndex(1);
  ClickPower();
  EXPECT_EQ(C().VrPowerButton->Caption(), "ON");
  EXPECT_TRUE(Link().IdleRequested);
  ASSERT_TRUE(RunUntil([&] { return Count("!Z00") == 1; }, 2000));
  // Replies to the polling go on, but do not light the button again.
  RunFor(1500);
  EXPECT_FALSE(C().VrPowerButton->Active());

  const std::size_t before = Received().size();
  ClickPower();
  EXPECT_EQ(C().VrPowerButton->Caption(), "OFF");
  EXPECT_FALSE(Link().IdleRequested);
  ASSERT_TRUE(RunUntil([&] { return Count("!M6B") == 1; }, 7000));
  Commands sent = Received();
  sent.erase(sent.begin(), sent.begin() + static_cast<long>(before));
  std::erase_if(sent, [](const std::string& c) { return c.starts_with('?') || c == "$F"; });
  EXPECT_EQ(sent, (Commands{"!G2L", "!G1L", "!J00", "!K00", "!L80", "!M6B"}));
}

TEST_F(MainWindowPowerTest, IdleOnAClosedPortSendsNothing) {
  StartSim('B');
  Control("power off");
  OpenWindow(0);
  ClickPower();
  EXPECT_FALSE(C().VrPowerButton->Active());
  EXPECT_EQ(C().VrPowerButton->Caption(), "ON");
}

}  // namespace
}  // namespace orvane::panel::test
