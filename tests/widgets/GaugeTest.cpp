#include <algorithm>
#include <climits>

#include <QLabel>
#include <QScreen>
#include <QTest>

#include "TestSupport.h"
#include "widgets/EInvalidOperation.h"
#include "widgets/TGauge.h"

namespace orvane::widgets::test {
namespace {

void MakeReadoutGauge(TGauge& gauge, int height) {
  gauge.resize(174, height);
  gauge.SetForeColor(Qt::red);
  gauge.SetMaxValue(255);
  gauge.SetShowText(false);
}

// Columns of row `y` that are red, as [first, last], or {-1, -1} for none.
std::pair<int, int> RedSpan(const QImage& image, int y) {
  int first = -1;
  int last = -1;
  for (int x = 0; x < image.width(); ++x) {
    if (At(image, x, y) != Qt::red) continue;
    if (first < 0) first = x;
    last = x;
  }
  return {first, last};
}

TEST(Gauge, PrimaryGaugeBarMovesInWholePercent) {
  TGauge gauge;
  MakeReadoutGauge(gauge, 19);
  const struct {
    int progress, percent, lastRed;
  } table[] = {{0, 0, -1}, {2, 0, -1}, {3, 1, -1}, {64, 25, 42}, {128, 50, 85}, {255, 100, 172}};
  for (const auto& row : table) {
    gauge.SetProgress(row.progress);
    EXPECT_EQ(gauge.PercentDone(), row.percent);
    const QImage image = Render(gauge);
    for (int y : {1, 9, 17}) {
      const auto span = RedSpan(image, y);
      EXPECT_EQ(span.second, row.lastRed) << row.progress;
      EXPECT_EQ(span.first, row.lastRed > 0 ? 1 : -1);
    }
    EXPECT_EQ(RedSpan(image, 0).first, -1);
    EXPECT_EQ(RedSpan(image, 18).first, -1);
    EXPECT_EQ(At(image, 173, 9), Qt::black);
    EXPECT_EQ(At(image, row.lastRed < 0 ? 1 : std::min(row.lastRed + 1, 172), 9),
              row.lastRed == 172 ? Qt::red : Qt::white);
  }
}

TEST(Gauge, ProgressIsLimitedToTheRange) {
  TGauge gauge;
  MakeReadoutGauge(gauge, 18);
  gauge.SetProgress(300);
  EXPECT_EQ(gauge.Progress(), 255);
  gauge.SetProgress(-5);
  EXPECT_EQ(gauge.Progress(), 0);
  gauge.AddProgress(INT_MAX);
  EXPECT_EQ(gauge.Progress(), 255);
  gauge.SetMinValue(100);
  EXPECT_EQ(gauge.Progress(), 255);
  gauge.SetMaxValue(150);
  EXPECT_EQ(gauge.Progress(), 150);
}

TEST(Gauge, OutOfOrderBoundsAreRefusedWithTheirMessage) {
  TGauge gauge;
  MakeReadoutGauge(gauge, 18);
  gauge.SetProgress(10);
  try {
    gauge.SetMinValue(256);
    FAIL();
  } catch (const EInvalidOperation& error) {
    EXPECT_STREQ(error.what(), "Value must be between -2147483647 and 254");
  }
  try {
    gauge.SetMaxValue(-1);
    FAIL();
  } catch (const EInvalidOperation& error) {
    EXPECT_STREQ(error.what(), "Value must be between 1 and 2147483647");
  }
  EXPECT_EQ(gauge.MinValue(), 0);
  EXPECT_EQ(gauge.MaxValue(), 255);
  EXPECT_EQ(gauge.Progress(), 10);
}

TEST(Gauge, EmptyOrHugeRangesGiveSensiblePercentages) {
  TGauge gauge;
  MakeReadoutGauge(gauge, 19);
  gauge.SetProgress(200);
  gauge.SetMaxValue(0);
  EXPECT_EQ(gauge.PercentDone(), 0);
  EXPECT_EQ(RedSpan(Render(gauge), 9).first, -1);
  gauge.SetMinValue(INT_MIN);
  gauge.SetMaxValue(INT_MAX);
  gauge.SetProgress(0);
  EXPECT_EQ(gauge.PercentDone(), 50);
}

TEST(Gauge, VerticalBarFillsFromTheBottomAndStopsBelowTheBorder) {
  TGauge gauge;
  gauge.resize(10, 21);
  gauge.SetShowText(false);
  gauge.SetForeColor(Qt::red);
  gauge.SetKind(TGaugeKind::gkVerticalBar);
  gauge.SetProgress(50);
  QImage image = Render(gauge);
  EXPECT_EQ(At(image, 5, 9), Qt::white);
  EXPECT_EQ(At(image, 5, 10), Qt::red);
  EXPECT_EQ(At(image, 5, 19), Qt::red);
  EXPECT_EQ(At(image, 5, 20), Qt::black);
  gauge.SetProgress(100);
  image = Render(gauge);
  EXPECT_EQ(At(image, 5, 1), Qt::red);
  EXPECT_EQ(At(image, 5, 0), Qt::black);
}

// The percentage is combined by exclusive-or: over red it shows cyan, over
// white black, and nothing of it is left outside those two colours.
TEST(Gauge, TextShowsInTheInverseOfWhatLiesBeneath) {
  TGauge gauge;
  gauge.resize(60, 30);
  gauge.SetForeColor(Qt::red);
  gauge.SetProgress(50);
  QFont font("MS Sans Serif");
  font.setPixelSize(20);
  gauge.setFont(font);
  const QImage image = Render(gauge);
  int cyan = 0;
  int black = 0;
  for (int y = 1; y < 29; ++y) {
    for (int x = 1; x < 59; ++x) {
      const QColor c = At(image, x, y);
      if (c == Qt::cyan) ++cyan;
      if (c == Qt::black) ++black;
      const bool onBar = x < 29;
      EXPECT_TRUE(onBar ? (c == Qt::red || c == Qt::cyan) : (c == Qt::white || c == Qt::black))
          << x << "," << y;
    }
  }
  EXPECT_GT(cyan, 0);
  EXPECT_GT(black, 0);
}

class ShownGauge : public ::testing::Test {
 protected:
  void SetUp() override {
    host.resize(200, 40);
    MakeReadoutGauge(*gauge, 19);
    label->setAutoFillBackground(true);
    label->setGeometry(80, 2, 19, 16);
    host.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&host));
    QCoreApplication::processEvents();
    paints.count = 0;
  }
  QWidget host;
  TGauge* gauge = new TGauge(&host);
  QLabel* label = new QLabel("ma", &host);
  PaintCounter paints{*gauge};
};

TEST_F(ShownGauge, RepaintsOnlyWhenThePercentageMoves) {
  gauge->SetProgress(1);
  const int afterFirst = paints.count;
  gauge->SetProgress(2);
  EXPECT_EQ(gauge->Progress(), 2);
  EXPECT_EQ(paints.count, afterFirst);
  gauge->SetProgress(3);
  EXPECT_EQ(paints.count, afterFirst + 1);
  gauge->SetForeColor(Qt::red);
  EXPECT_EQ(paints.count, afterFirst + 1);
}

TEST_F(ShownGauge, LabelLyingOverTheBarStaysVisible) {
  gauge->SetProgress(255);
  const QImage screen = host.screen()->grabWindow(host.winId()).toImage();
  EXPECT_EQ(At(screen, 150, 10), Qt::red);
  EXPECT_EQ(At(screen, 81, 3).rgb(), label->palette().color(QPalette::Window).rgb());
}

}  // namespace
}  // namespace orvane::widgets::test
