#include <cstdlib>

#include <QGroupBox>
#include <QScreen>
#include <QTableWidget>
#include <QTest>

#include "LayoutFixture.h"
#include "widgets/TCheckBox.h"
#include "widgets/TGauge.h"
#include "widgets/TantMovablePanel.h"

namespace orvane::panel::test {
namespace {

// The band a control belongs to: its ancestor placed on the client area.
QString BandOf(QWidget* control, const QWidget& client) {
  while (control->parentWidget() != &client) control = control->parentWidget();
  return control->objectName();
}

TEST_F(Layout, TabVisitsTheBandsInTheirFixedOrder) {
  QStringList bands;
  QWidget* control = c.cbKeepOnTop;
  do {
    if ((control->focusPolicy() & Qt::TabFocus) && client.isAncestorOf(control)) {
      const QString band = BandOf(control, client);
      if (bands.isEmpty() || bands.last() != band) bands << band;
    }
    control = control->nextInFocusChain();
  } while (control != c.cbKeepOnTop);
  EXPECT_EQ(bands, (QStringList{"cbKeepOnTop", "gbPumps", "gbLamp", "OptionsPanel", "gbGases",
                                "pnlGainMode"}));
}

TEST_F(Layout, TabInTheLampTableStepsThroughTheValuesOnly) {
  QTableWidget& grid = *c.StringGrid1;
  EXPECT_EQ(grid.currentIndex(), grid.model()->index(1, 1));
  EXPECT_TRUE(grid.selectedItems().isEmpty());
  QTest::keyClick(&grid, Qt::Key_Tab);
  QTest::keyClick(&grid, Qt::Key_Tab);
  EXPECT_EQ(grid.currentIndex(), grid.model()->index(2, 1));
}

TEST_F(Layout, ModelAHeightShowsTheGasesGroupWholeAndNothingOfTheLamp) {
  client.resize(666, 197);
  const QImage cut = Render(client);
  EXPECT_EQ(cut.copy(c.gbGases->geometry()), Render(*c.gbGases));
  c.gbLamp->hide();
  c.OptionsPanel->hide();
  EXPECT_EQ(Render(client), cut);
}

TEST_F(Layout, StatusPanelsAreRaisedOutsideAndLoweredInside) {
  const QImage panel = Render(*c.pnlGas1Stat);
  const QRgb light = client.palette().color(QPalette::Light).rgb();
  const QRgb dark = client.palette().color(QPalette::Dark).rgb();
  const int right = panel.width() - 1;
  const int bottom = panel.height() - 1;
  EXPECT_EQ(panel.pixel(0, 0), light);
  EXPECT_EQ(panel.pixel(right, bottom), dark);
  EXPECT_EQ(panel.pixel(1, 1), dark);
  EXPECT_EQ(panel.pixel(right - 1, bottom - 1), light);
}

// Pixels near `colour`, so that smoothed glyph edges count as well.
int CountColour(const QImage& image, const QRect& area, const QColor& colour) {
  int count = 0;
  for (int y = area.top(); y <= area.bottom(); ++y) {
    for (int x = area.left(); x <= area.right(); ++x) {
      const QColor at = At(image, x, y);
      count += std::abs(at.red() - colour.red()) + std::abs(at.green() - colour.green()) +
                   std::abs(at.blue() - colour.blue()) <
               96;
    }
  }
  return count;
}

TEST_F(Layout, CaptionsAndReadingsShowInTheirColours) {
  const QImage pumps = Render(*c.gbPumps);
  EXPECT_GT(CountColour(pumps, {8, 0, 80, 16}, QColor(0x000080)), 20);
  const QImage signal = Render(*c.Signal);
  EXPECT_EQ(At(signal, 3, 3), Qt::white);
  EXPECT_GT(CountColour(signal, signal.rect(), Qt::red), 20);
  const QImage readOut = Render(*c.Label10);
  EXPECT_EQ(At(readOut, 0, 0), client.palette().color(QPalette::HighlightedText));
}

// A caption that outgrows its box runs over the frame's top-right corner;
// it must end with room to spare before the box's right edge, on a scaled
// screen too (the test runs again under QT_SCALE_FACTOR=2).
TEST_F(Layout, EveryGroupCaptionEndsInsideItsBox) {
  for (QGroupBox* box : client.findChildren<QGroupBox*>()) {
    if (box->title().isEmpty()) continue;
    const QImage image = Render(*box);
    const auto ratio = static_cast<int>(image.devicePixelRatio());
    const QRect rightEnd(image.width() - 6 * ratio, 0, 6 * ratio,
                         box->fontMetrics().height() * ratio);
    EXPECT_EQ(CountColour(image, rightEnd, QColor(0x000080)), 0) << box->objectName().toStdString();
  }
}

class ShownLayout : public Layout {
 protected:
  void SetUp() override {
    client.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&client));
  }
  // A click the window system delivers, found by what lies under the point.
  void ClickOn(QWidget& control, QPoint at) {
    QTest::mouseClick(client.windowHandle(), Qt::LeftButton, {}, control.mapTo(&client, at));
  }
};

TEST_F(ShownLayout, ArrowPassesClicksToThePanelButTitleAndGridKeepThem) {
  int clicks = 0;
  c.OptionsPanel->SetOnClick([&clicks](QObject*) { ++clicks; });
  ClickOn(*c.Image1, {5, 5});
  EXPECT_EQ(clicks, 1);
  c.OptionsPanel->move(437, 239);
  ClickOn(*c.Label14, {20, 8});
  ClickOn(*c.StringGrid1, {80, 30});
  EXPECT_EQ(clicks, 1);
  ClickOn(*c.OptionsPanel, {20, 5});
  EXPECT_EQ(clicks, 2);
}

TEST_F(ShownLayout, ReadOutStaysOnTopOfItsGaugeWhenTheBarRepaints) {
  c.PrimaryGauge->SetProgress(255);
  const QImage screen = client.screen()->grabWindow(client.winId()).toImage();
  const QPoint bar = c.PrimaryGauge->mapTo(&client, QPoint(20, 9));
  const QPoint field = c.Label10->mapTo(&client, QPoint(0, 0));
  EXPECT_EQ(At(screen, bar.x(), bar.y()).rgb(), QColor(Qt::red).rgb());
  EXPECT_EQ(At(screen, field.x(), field.y()).rgb(),
            client.palette().color(QPalette::HighlightedText).rgb());
}

}  // namespace
}  // namespace orvane::panel::test
