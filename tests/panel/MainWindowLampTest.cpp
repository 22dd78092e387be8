#include <gtest/gtest.h>

#include <QTableWidget>
#include <QTest>

#include "PanelRig.h"
#include "panel/ScreenNumber.h"
#include "widgets/TButton.h"
#include "widgets/TRadioGroup.h"
#include "widgets/TTrackBar.h"
#include "widgets/TantMovablePanel.h"

namespace orvane::panel::test {
namespace {

using Commands = std::vector<std::string>;

class MainWindowLampTest : public PanelRig {
 protected:
  void Connect() {
    StartSim('B');
    OpenWindow();
    ASSERT_TRUE(WaitConnected());
    ASSERT_TRUE(WaitStartSettled());
  }
  Commands LampCommandsSince(std::size_t before) {
    Commands sent = Received();
    sent.erase(sent.begin(), sent.begin() + static_cast<long>(before));
    std::erase_if(sent, [](const std::string& c) { return !c.starts_with("!L") && !c.starts_with("!M"); });
    return sent;
  }
};

TEST_F(MainWindowLampTest, PresetsPutTheSlidersAtTheElementsCurrentsAndSendNothing) {
  Connect();
  const std::size_t before = Received().size();
  C().rgElements->SetItemIndex(1);
  EXPECT_EQ(C().tbPrimary->Position(), 128);
  EXPECT_EQ(C().tbBoost->Position(), 107);
  EXPECT_EQ(C().Label5->text(), ScreenNumber("20.0 ma"));
  EXPECT_EQ(C().Label6->text(), ScreenNumber("25.1 ma"));
  EXPECT_EQ(C().tbBoost->toolTip(), ScreenNumber("25.1 ma"));
  EXPECT_TRUE(C().BtnSetCurrent->isEnabled());
  C().rgElements->SetItemIndex(4);
  EXPECT_EQ(C().tbPrimary->Position(), 77);
  EXPECT_EQ(C().tbBoost->Position(), 43);
  // The selected element again is no change, so its preset is not applied.
  C().tbPrimary->SetPosition(255);
  C().rgElements->SetItemIndex(4);
  EXPECT_EQ(C().Label5->text(), ScreenNumber("40.0 ma"));
  C().tbPrimary->SetPosition(254);
  EXPECT_EQ(C().Label5->text(), ScreenNumber("39.7 ma"));
  RunFor(300);
  EXPECT_TRUE(LampCommandsSince(before).empty());
}

TEST_F(MainWindowLampTest, SetSendsThePrimaryNowAndTheBoostAsItStandsFiveSecondsLater) {
  Connect();
  C().rgElements->SetItemIndex(0);
  const std::size_t before = Received().size();
  C().BtnSetCurrent->Click();
  EXPECT_FALSE(C().BtnSetCurrent->isEnabled());
  ASSERT_TRUE(WaitReceived(before + 1, 1000));
  EXPECT_EQ(LampCommandsSince(before), Commands{"!LB0"});
  RunFor(2000);
  C().tbBoost->SetPosition(64);
  RunFor(2000);
  EXPECT_EQ(LampCommandsSince(before), Commands{"!LB0"});
  ASSERT_TRUE(RunUntil([&] { return LampCommandsSince(before).size() == 2; }, 2000));
  EXPECT_EQ(LampCommandsSince(before), (Commands{"!LB0", "!M40"}));
}

TEST_F(MainWindowLampTest, TwoPressesThreeSecondsApartSendOneBoost) {
  Connect();
  C().rgElements->SetItemIndex(0);
  const std::size_t before = Received().size();
  C().BtnSetCurrent->Click();
  RunFor(3000);
  C().BtnSetCurrent->Click();
  RunFor(4500);
  EXPECT_EQ(LampCommandsSince(before), (Commands{"!LB0", "!LB0", "!M95"}));
}

TEST_F(MainWindowLampTest, TheConditionsTableSlidesOutAndBackWithTheArrowShowingTheWay) {
  StartSim('B');
  OpenWindow();
  widgets::TantMovablePanel& panel = *C().OptionsPanel;
  const QImage up = C().Image1->pixmap().toImage();
  QTest::mouseClick(&panel, Qt::LeftButton, {}, QPoint(100, 5));
  ASSERT_TRUE(RunUntil([&] { return !panel.MovingNow(); }, 2000));
  EXPECT_EQ(panel.y(), 239);
  EXPECT_NE(C().Image1->pixmap().toImage(), up);
  EXPECT_TRUE(C().StringGrid1->hasFocus() || !window->isActiveWindow());
  QTest::mouseClick(&panel, Qt::LeftButton, {}, QPoint(100, 5));
  ASSERT_TRUE(RunUntil([&] { return !panel.MovingNow(); }, 2000));
  EXPECT_EQ(panel.y(), 354);
  EXPECT_EQ(C().Image1->pixmap().toImage(), up);
}

}  // namespace
}  // namespace orvane::panel::test
