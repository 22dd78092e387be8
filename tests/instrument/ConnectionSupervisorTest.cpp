#include <gtest/gtest.h>

#include <QEventLoop>
#include <QTimer>

#include <functional>

#include "LinkFakes.h"
#include "ScriptedPrompts.h"
#include "instrument/ConnectionSupervisor.h"

namespace orvane::instrument::test {
namespace {

class ConnectionSupervisorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    prompts.onWarning = [this](widgets::TBoxCloser&) {
      if (onBox) onBox();
      return true;
    };
  }

  // The port question answers with `choice`, or is cancelled when none.
  void AnswerPortQuestion(std::optional<std::uint16_t> choice,
                          std::function<void()> meanwhile = {}) {
    prompts.portChoice = choice;
    prompts.onPortQuestion = std::move(meanwhile);
  }

  // Lets the instrument's answer end the search once it is shown.
  void AnswerWhenSearching() {
    QTimer::singleShot(0, [this] {
      searchSeen = prompts.Searching();
      supervisor.ActivityTimerTimer();
    });
  }

  TExchangeRig rig;
  InstrumentLink& link = rig.link;
  TFakePort& port = rig.port;
  TScriptedPrompts prompts;
  audit::TAuditTrail audit;
  TConnectionSupervisor supervisor{link,     rig.exchange, port, rig.timers.Refs(),
                                   rig.view, prompts,      audit};
  std::function<void()> onBox;
  bool searchSeen = false;
};

TEST_F(ConnectionSupervisorTest, ConnectSendsIdentifyAndWaitsForTheAnswer) {
  link.CommsLost = true;
  rig.view.leds[2] = true;
  AnswerWhenSearching();
  supervisor.ConnectInstrument();
  EXPECT_TRUE(searchSeen);
  EXPECT_FALSE(link.SearchDialog);
  EXPECT_FALSE(link.CommsLost);
  EXPECT_EQ(rig.view.signal, "0.000");
  EXPECT_FALSE(rig.view.Led(TLinkLed::Stream));
  EXPECT_EQ(port.written, std::vector<std::string>{"?I\r"});
  // The answer seen with no search up means the link runs.
  supervisor.ActivityTimerTimer();
  EXPECT_EQ(rig.view.resetEnabled, false);
  EXPECT_EQ(rig.view.powerActive, true);
}

TEST_F(ConnectionSupervisorTest, WithNoPortAndTheChoiceCancelledNothingHappens) {
  port.comNumber = 0;
  supervisor.ConnectInstrument();
  EXPECT_EQ(prompts.portQuestions, 1);
  EXPECT_EQ(port.opens, 0);
  EXPECT_TRUE(port.written.empty());
  EXPECT_TRUE(prompts.warnings.empty());
}

TEST_F(ConnectionSupervisorTest, APortThatWillNotOpenIsReplacedByTheOperatorsChoice) {
  port.openError = "Unable to open";
  AnswerPortQuestion(5);
  EXPECT_THROW(supervisor.ConnectInstrument(), std::runtime_error);
  EXPECT_EQ(port.comNumber, 5);
  EXPECT_FALSE(link.SearchDialog);
}

// A watchdog may end the search before its box is ever shown (here while the
// port dialog waits): the connect must not then wait on a box nobody closes.
TEST_F(ConnectionSupervisorTest, ASearchEndedBeforeItIsShownDoesNotWait) {
  port.openError = "Unable to open";
  AnswerPortQuestion(5, [this] {
    link.SearchDialog->Finish();
    port.openError.reset();
  });
  supervisor.ConnectInstrument();
  EXPECT_EQ(port.written, std::vector<std::string>{"?I\r"});
  EXPECT_FALSE(link.SearchDialog);
}

TEST_F(ConnectionSupervisorTest, AnUnpluggedPortIsOpenedAfreshBeforeTheSearch) {
  port.open = true;
  port.failed = true;
  AnswerWhenSearching();
  supervisor.ConnectInstrument();
  EXPECT_EQ(port.opens, 1);
}

TEST_F(ConnectionSupervisorTest, NoAnswerWarnsNamingThePortAndOffersReset) {
  port.comNumber = 3;
  bool searchOpenAtWarning = true;
  onBox = [&] { searchOpenAtWarning = prompts.Searching(); };
  QTimer::singleShot(0, [this] { supervisor.NoResponseTimerTimer(); });
  supervisor.ConnectInstrument();
  ASSERT_EQ(prompts.warnings.size(), 1u);
  EXPECT_EQ(prompts.warnings[0],
            "Instrument Not Present on COM 3\r\nPlease Do the following:\r\n\n"
            "1 - Check the Serial, Link.\r\n2 - Make sure the Instrument is powered on.\r\n"
            "3 - Press Reset when ready.");
  EXPECT_FALSE(searchOpenAtWarning);
  EXPECT_TRUE(link.CommsLost);
  EXPECT_FALSE(link.DataReceived);
  EXPECT_FALSE(rig.timers.check.Enabled());
  EXPECT_EQ(rig.view.resetEnabled, true);
  EXPECT_EQ(rig.view.powerActive, false);
}

TEST_F(ConnectionSupervisorTest, AfterResetNoAnswerOffersPortsUntilOneIsChosen) {
  QTimer::singleShot(0, [this] { supervisor.NoResponseTimerTimer(); });
  supervisor.BtnWakeInstrumentClick();
  EXPECT_EQ(prompts.portQuestions, 1);
  EXPECT_TRUE(prompts.warnings.empty());
  EXPECT_TRUE(link.ForcePortSelect);
  EXPECT_TRUE(link.CommsLost);
  EXPECT_EQ(rig.view.resetEnabled, true) << "the operator can try again";

  AnswerPortQuestion(5);
  QTimer::singleShot(0, [this] { AnswerWhenSearching(); });
  supervisor.NoResponseTimerTimer();
  EXPECT_EQ(port.comNumber, 5);
  EXPECT_FALSE(link.ForcePortSelect);
  EXPECT_TRUE(searchSeen);
  EXPECT_FALSE(link.CommsLost);
}

TEST_F(ConnectionSupervisorTest, ResetSendsTheSettingsAgainOnlyToAnInstrumentThatIsThere) {
  AnswerWhenSearching();
  supervisor.BtnWakeInstrumentClick();
  EXPECT_EQ(rig.view.restores, 1);
  port.dsr = false;
  AnswerWhenSearching();
  supervisor.BtnWakeInstrumentClick();
  EXPECT_EQ(rig.view.restores, 1);
}

TEST_F(ConnectionSupervisorTest, TheAutomaticReconnectIsResetWithoutItsStandingPortOffer) {
  AnswerWhenSearching();
  supervisor.Reconnect();
  EXPECT_EQ(port.written, std::vector<std::string>{"?I\r"});
  EXPECT_EQ(rig.view.restores, 1);
  EXPECT_FALSE(link.ForcePortSelect);
}

// The device may come back while the warning waits for the operator, so the
// watch must be set before the box; a device that did not fail is not gone.
TEST_F(ConnectionSupervisorTest, AFailedDeviceIsToldBeforeTheWarningAndOnlyThen) {
  std::vector<std::size_t> boxesWhenTold;
  supervisor.SetOnDeviceGone([&] { boxesWhenTold.push_back(prompts.warnings.size()); });
  port.open = true;
  port.dsr = false;
  onBox = [this] { AnswerWhenSearching(); };
  supervisor.NoDataStreamTimerTimer();
  EXPECT_TRUE(boxesWhenTold.empty());

  port.open = true;
  port.failed = true;
  supervisor.NoDataStreamTimerTimer();
  port.open = true;
  onBox = nullptr;
  supervisor.NoResponseTimerTimer();
  EXPECT_EQ(boxesWhenTold, (std::vector<std::size_t>{1, 2}));
}

TEST_F(ConnectionSupervisorTest, ASilentLinkWithDsrUpIsOnlyMarkedLost) {
  port.open = true;
  supervisor.NoDataStreamTimerTimer();
  EXPECT_TRUE(link.CommsLost);
  EXPECT_TRUE(prompts.warnings.empty());
}

// The answer to a poll held back after a gain change arrives just before the
// stream watchdog fires; it must still count.
TEST_F(ConnectionSupervisorTest, AnAnswerStillAwaitedIsLeftToTheNoResponseWatchdog) {
  rig.Send("$F");
  supervisor.NoDataStreamTimerTimer();
  EXPECT_FALSE(link.CommsLost);
  EXPECT_FALSE(rig.view.Led(TLinkLed::Stream));
  rig.exchange.Receive("0100,$20\r");
  EXPECT_TRUE(rig.view.Led(TLinkLed::Stream));
  EXPECT_TRUE(prompts.warnings.empty());
}

TEST_F(ConnectionSupervisorTest, DsrDownWarnsOfTheLostLinkAndSearchesAgain) {
  port.open = true;
  port.dsr = false;
  rig.timers.check.SetEnabled(true);
  onBox = [this] { AnswerWhenSearching(); };
  supervisor.NoDataStreamTimerTimer();
  EXPECT_EQ(prompts.warnings, std::vector<QString>{"Lost Communication with Instrument"});
  EXPECT_EQ(rig.view.powerActive, false);
  EXPECT_TRUE(searchSeen);
  EXPECT_EQ(port.written, std::vector<std::string>{"?I\r"});
}

// Switched off while answering and on again between two polls: the first
// answer after power-on lands behind the cut-off reply, so it counts as
// activity but not as an answer, and the no-response watchdog still fires.
// The activity tick that follows must leave the lost link shown as lost.
TEST_F(ConnectionSupervisorTest, AnActivityTickAfterTheLinkWasFoundLostKeepsResetWithinReach) {
  port.open = true;
  rig.Send("?A");
  rig.exchange.Receive("00D9,A0");
  rig.Send("?J");
  rig.exchange.Receive("019C,J00\r");
  ASSERT_TRUE(rig.timers.activity.Enabled());
  supervisor.NoResponseTimerTimer();
  ASSERT_EQ(prompts.warnings.size(), 1u);
  EXPECT_FALSE(rig.timers.check.Enabled());
  supervisor.ActivityTimerTimer();
  EXPECT_EQ(rig.view.resetEnabled, true);
  EXPECT_EQ(rig.view.powerActive, false);
}

// Timers and port events go on under a box: the link may be lost and found
// again before the operator answers. The first box stays the only one, the
// link back and answering ends it, and nothing runs after it.
TEST_F(ConnectionSupervisorTest, OneBoxAboutTheLinkEndsOnceTheLinkIsBack) {
  port.open = true;
  port.dsr = false;
  int ended = 0;
  prompts.onWarning = [&](widgets::TBoxCloser& closer) {
    if (prompts.warnings.size() > 1) return true;
    QEventLoop box;
    closer.SetOnClose([&] {
      ++ended;
      box.quit();
    });
    QTimer::singleShot(0, [&] {
      supervisor.NoDataStreamTimerTimer();
      supervisor.NoResponseTimerTimer();
      link.ForcePortSelect = true;
      supervisor.NoResponseTimerTimer();
      port.dsr = true;
      AnswerWhenSearching();
      supervisor.Reconnect();
      supervisor.ActivityTimerTimer();
    });
    box.exec();
    return false;
  };
  supervisor.NoDataStreamTimerTimer();
  EXPECT_EQ(prompts.warnings, std::vector<QString>{TConnectionSupervisor::LostText()});
  EXPECT_EQ(prompts.portQuestions, 0);
  EXPECT_EQ(ended, 1);
  EXPECT_EQ(port.written, std::vector<std::string>{"?I\r"}) << "no connect after the box";
  EXPECT_EQ(rig.view.powerActive, true);
  EXPECT_FALSE(link.SettingsLost);
}

}  // namespace
}  // namespace orvane::instrument::test
