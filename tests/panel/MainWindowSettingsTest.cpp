#include <gtest/gtest.h>

#include <QLineEdit>
#include <QTest>

#include "PanelRig.h"
#include "TestSupport.h"
#include "widgets/TButton.h"
#include "widgets/TRadioGroup.h"
#include "widgets/TSpinEdit.h"
#include "widgets/TTrackBar.h"
#include "widgets/TVrUserLed.h"

namespace orvane::panel::test {
namespace {

using widgets::test::PaintCounter;

class MainWindowSettingsTest : public PanelRig {
 protected:
  void Connect(char model) {
    StartSim(model);
    OpenWindow();
    ASSERT_TRUE(WaitConnected());
  }
  // Runs `act`, then returns the first `count` commands the instrument received
  // after it, leaving out the status polling that goes on meanwhile.
  std::vector<std::string> SentBy(const std::function<void()>& act, std::size_t count) {
    const std::size_t before = Received().size();
    act();
    std::vector<std::string> sent;
    RunUntil(
        [&] {
          const std::vector<std::string> all = Received();
          sent.assign(all.begin() + static_cast<long>(before), all.end());
          std::erase_if(sent, [](const std::string& c) { return c.starts_with('?'); });
          return sent.size() >= count;
        },
        4000);
    sent.resize(count);
    return sent;
  }
  std::string LastSentBy(const std::function<void()>& act) { return SentBy(act, 1).back(); }
};

using Commands = std::vector<std::string>;

TEST_F(MainWindowSettingsTest, GainAndModeGoOutAsOneCodeAndHoldThePollBack) {
  Connect('A');
  EXPECT_EQ(LastSentBy([&] { C().rgGain->SetItemIndex(1); }), "!B70");
  EXPECT_EQ(LastSentBy([&] { C().rgMode->SetItemIndex(0); }), "!B40");
  const Commands all = Received();
  const auto modeAt = static_cast<std::size_t>(std::find(all.begin(), all.end(), "!B40") - all.begin());
  ASSERT_TRUE(WaitReceived(modeAt + 2, 8000));
  EXPECT_GE(ReceivedAt(modeAt + 1) - ReceivedAt(modeAt), 2900);
}

TEST_F(MainWindowSettingsTest, ModelBTakesGainWithItsEmissionMode) {
  Connect('B');
  EXPECT_EQ(LastSentBy([&] { C().rgGain->SetItemIndex(3); }), "!BE0");
}

TEST_F(MainWindowSettingsTest, PumpSlidersSendTheirPositionAndShowItAsPercent) {
  Connect('B');
  const struct {
    int position;
    const char* command;
    const char* label;
  } cases[] = {{128, "!K80", "Pump 2: 50%"}, {255, "!KFF", "Pump 2: 100%"},
               {5, "!K05", "Pump 2:  2%"}};
  for (const auto& pump : cases) {
    EXPECT_EQ(LastSentBy([&] { C().tbPump2->SetPosition(pump.position); }), pump.command);
    EXPECT_EQ(C().Label2->text(), pump.label);
    EXPECT_EQ(C().tbPump2->toolTip(), QString(pump.label).mid(8));
    EXPECT_EQ(C().tbPump2->SelEnd(), pump.position);
  }
  EXPECT_EQ(LastSentBy([&] { C().tbPump1->SetPosition(32); }), "!J20");
  EXPECT_EQ(C().Label1->text(), "Pump 1: 13%");
}

TEST_F(MainWindowSettingsTest, GasSelectorsSwitchEachGas) {
  Connect('B');
  EXPECT_EQ(LastSentBy([&] { C().rgDryerGas->SetItemIndex(1); }), "!G2H");
  EXPECT_EQ(LastSentBy([&] { C().rgAnalysisGas->SetItemIndex(1); }), "!G1H");
  EXPECT_EQ(LastSentBy([&] { C().rgAnalysisGas->SetItemIndex(0); }), "!G1L");
  // The indicator beside each selector answers that selector.
  EXPECT_TRUE(RunUntil(
      [&] { return C().pnlGas1Stat->text() == "Present" && C().pnlGas2Stat->text() == "Absent"; },
      8000));
}

TEST_F(MainWindowSettingsTest, TheFilterBoxKeepsItsRangeAndIsReadBackAfterApplying) {
  Connect('B');
  QLineEdit* edit = C().speFilter->findChild<QLineEdit*>();
  edit->selectAll();
  QTest::keyClicks(edit, "99");
  EXPECT_EQ(C().speFilter->Value(), 64);
  edit->selectAll();
  QTest::keyClicks(edit, "0");
  EXPECT_EQ(C().speFilter->Value(), 1);
  C().speFilter->SetValue(32);
  EXPECT_EQ(SentBy([&] { C().btnSetFilter->Click(); }, 2), (Commands{"*F20", "$F"}));
  edit->clear();
  EXPECT_EQ(LastSentBy([&] { C().btnSetFilter->Click(); }), "*F01");
}

// Every position the drag passes sends a command, each replacing the last;
// the window repaints all along and ends on the answer to the final one (the
// instrument echoes the position it was set to).
TEST_F(MainWindowSettingsTest, DraggingAPumpSendsABurstThatEndsOnTheLastAnswer) {
  Connect('B');
  widgets::TTrackBar& slider = *C().tbPump1;
  PaintCounter paints(*C().Label1);
  window->Timers().CheckTimer.SetEnabled(false);
  const std::size_t before = Received().size();
  const int y = slider.height() / 2;
  QTest::mousePress(&slider, Qt::LeftButton, {}, QPoint(8, y));
  for (int x = 20; x <= 200; x += 20) {
    QTest::mouseMove(&slider, QPoint(x, y));
    RunFor(15);
  }
  QTest::mouseRelease(&slider, Qt::LeftButton, {}, QPoint(200, y));
  const std::string last = Link().CurrentCommand;
  ASSERT_TRUE(last.starts_with("!J"));
  const auto position = static_cast<std::uint8_t>(std::stoi(last.substr(2), nullptr, 16));
  EXPECT_TRUE(RunUntil([&] { return C().ReplyLed->Active() && Link().ReplyValue == position; },
                       400));
  const std::vector<std::string> all = Received();
  EXPECT_GE(std::count_if(all.begin() + static_cast<long>(before), all.end(),
                          [](const std::string& c) { return c.starts_with("!J"); }),
            5);
  EXPECT_GE(paints.count, 5);
}

// F1 shows the About box over the window, with the port and line of the
// moment and where config.ini is; the window keeps its size.
TEST_F(MainWindowSettingsTest, F1ShowsTheAboutBoxAndTheWindowKeepsItsSize) {
  Connect('B');
  const QSize size = window->size();
  window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  QTest::keyClick(window.get(), Qt::Key_F1);
  ASSERT_EQ(boxes.size(), 1u);
  const QString line = QString::fromStdString("Line: COM3 (" + LinkPath() + ")") +
                       ", 2400 bit/s, 7 data bits, no parity, 2 stop bits\n";
  EXPECT_TRUE(boxes[0].contains(line)) << boxes[0].toStdString();
  EXPECT_TRUE(
      boxes[0].contains(QString::fromStdString("Settings: " + (Dir / "config.ini").string())));
  EXPECT_EQ(window->size(), size);
}

}  // namespace
}  // namespace orvane::panel::test
