#include <gtest/gtest.h>

#include <QTest>
#include <QtCharts/QLineSeries>

#include "PanelRig.h"
#include "panel/TrendWindow.h"
#include "widgets/TRadioGroup.h"

namespace orvane::panel::test {
namespace {

class MainWindowTrendTest : public PanelRig {
 protected:
  void Connect() {
    StartSim('A', 0);
    OpenWindow();
    ASSERT_TRUE(WaitConnected());
  }
  TTrendWindow* Trend() { return window->TrendOpener().Window(); }
};

TEST_F(MainWindowTrendTest, ADoubleClickOnTheReadOutOrCtrlTOpensOneWindowBesideThePanel) {
  Connect();
  EXPECT_EQ(Trend(), nullptr) << "nothing is built before the operator asks";
  QTest::mouseDClick(C().Signal, Qt::LeftButton);
  TTrendWindow* trend = Trend();
  ASSERT_NE(trend, nullptr);
  EXPECT_TRUE(trend->isVisible());
  EXPECT_EQ(trend->windowTitle(), "Signal Trend");
  EXPECT_FALSE(trend->isModal());
  EXPECT_FALSE(trend->frameGeometry().intersects(window->frameGeometry()));
  EXPECT_TRUE(window->screen()->availableGeometry().contains(trend->frameGeometry()));

  trend->close();
  window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  QTest::keyClick(window.get(), Qt::Key_T, Qt::ControlModifier);
  EXPECT_EQ(Trend(), trend) << "opened again, the same window comes back";
  EXPECT_TRUE(trend->isVisible());
  EXPECT_TRUE(RunUntil([&] { return trend->Chart().Series().count() > 2; }, 3000))
      << "the replies since the start are plotted";
}

TEST_F(MainWindowTrendTest, GainAndModeChangesAreMarkedWithTheNewSetting) {
  Connect();
  window->TrendOpener().Open();
  const std::size_t before = window->Trend().Readings().Size();
  C().rgGain->SetItemIndex(3);
  ASSERT_TRUE(RunUntil([&] { return window->Trend().Readings().Back().gainCode == 0xC0; }, 4000));
  C().rgMode->SetItemIndex(0);
  ASSERT_TRUE(RunUntil([&] { return window->Trend().Readings().Back().modeCode == 0x00; }, 4000));
  EXPECT_GT(window->Trend().Readings().Size(), before);
  EXPECT_TRUE(RunUntil([&] { return Trend()->Chart().MarkerCaptions().size() == 2; }, 1000));
  EXPECT_EQ(Trend()->Chart().MarkerCaptions(), (QStringList{"Gain 1000", "Ratio"}));
}

}  // namespace
}  // namespace orvane::panel::test
