#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QElapsedTimer>
#include <QGraphicsScene>
#include <QGraphicsSimpleTextItem>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QtCharts/QLineSeries>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <random>
#include <string>

#include "panel/RunFeed.h"
#include "panel/TrendWindow.h"
#include "trend/TrendCsv.h"
#include "widgets/TMessageDlg.h"

namespace orvane::panel::test {
namespace {

class TrendWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    window.resize(760, 440);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  }

  void Feed(int count, double low, double high) {
    std::uniform_real_distribution<double> signal(low, high);
    for (int n = 0; n < count; ++n) {
      now += 40;
      trend.Record(signal(random), 0x80, 0x30);
    }
  }
  // One repaint period and a little more: what the window shows then is
  // what it shows for the record as it stands.
  static void Settle() { QTest::qWait(TTrendWindow::kRepaintInterval * 2); }

  QList<QPointF> Points() { return window.Chart().Series().points(); }
  static std::pair<double, double> YExtent(const QList<QPointF>& points) {
    const auto [low, high] = std::minmax_element(
        points.begin(), points.end(), [](QPointF a, QPointF b) { return a.y() < b.y(); });
    return {low->y(), high->y()};
  }

  std::int64_t now = 1'782'900'000'000;
  std::mt19937 random{11};
  trend::TSignalTrend trend{200'000, [this] { return now; }};
  TRunFeed runs{"/nonexistent/runs", {}, {}, nullptr};
  TTrendWindow window{trend, runs, nullptr};
};

TEST_F(TrendWindowTest, RepaintsAtMostTenTimesASecondAndNeverWhileHidden) {
  QSignalSpy repaints(&window.Chart().Series(), &QXYSeries::pointsReplaced);
  QElapsedTimer clock;
  clock.start();
  for (int n = 0; n < 200; ++n) {
    Feed(1, 0, 10);
    QTest::qWait(5);
  }
  const qint64 elapsed = clock.elapsed();
  EXPECT_GE(repaints.count(), 3);
  EXPECT_LE(repaints.count(), elapsed / TTrendWindow::kRepaintInterval + 1) << elapsed << " ms";

  window.hide();
  repaints.clear();
  for (int n = 0; n < 50; ++n) {
    Feed(1, 0, 10);
    QTest::qWait(5);
  }
  EXPECT_EQ(repaints.count(), 0);
  window.show();
  EXPECT_EQ(repaints.count(), 1) << "shown again, it catches up at once";
}

TEST_F(TrendWindowTest, AFullSpanIsPlottedAsAFewPointsPerColumnWithItsExtremesKept) {
  Feed(14'000, 100, 200);  // 9 min 20 s
  Feed(1, 5, 5);
  Feed(1, 900, 900);
  Feed(1'000, 100, 200);
  Settle();
  const QList<QPointF> points = Points();
  EXPECT_LE(points.size(), 2 * window.Chart().Columns());
  EXPECT_EQ(YExtent(points), std::make_pair(5.0, 900.0));
  EXPECT_TRUE(std::is_sorted(points.begin(), points.end(),
                             [](QPointF a, QPointF b) { return a.x() < b.x(); }));
}

TEST_F(TrendWindowTest, TheSpanChoosesHowFarBackThePlotReaches) {
  Feed(20'000, 0, 1);  // 13 min 20 s
  const double newest = static_cast<double>(now);
  const struct {
    int item;
    double reach;
  } spans[] = {{0, 60'000}, {1, 600'000}, {3, 20'000 * 40 - 40}};
  for (const auto& span : spans) {
    window.SpanBox().setCurrentIndex(span.item);
    Settle();
    // A column's extremes may be any of its readings.
    const double column = span.reach / window.Chart().Columns() + 40;
    const QList<QPointF> points = Points();
    ASSERT_FALSE(points.isEmpty());
    EXPECT_GE(points.front().x(), newest - span.reach) << span.item;
    EXPECT_LE(points.front().x(), newest - span.reach + column) << span.item;
    EXPECT_GE(points.back().x(), newest - column) << span.item;
  }
}

TEST_F(TrendWindowTest, PausedThePlotFreezesWhileReadingsAreStillRecorded) {
  Feed(500, 10, 20);
  Settle();
  window.PauseButton().click();
  EXPECT_EQ(window.PauseButton().text(), "&Resume");
  Settle();  // a new axis width may still take one more repaint
  const QList<QPointF> frozen = Points();
  Feed(500, 50, 60);
  Settle();
  EXPECT_EQ(Points(), frozen);
  EXPECT_EQ(trend.Readings().Size(), 1000u);
  window.PauseButton().click();
  Settle();
  EXPECT_GE(YExtent(Points()).second, 50.0);
}

TEST_F(TrendWindowTest, AFixedRangeHoldsTheAxisWhereAutoscaleFollowsTheSignal) {
  Feed(500, 10, 20);
  Settle();
  const auto [low, high] = window.Chart().SignalRange();
  EXPECT_LE(low, 10.0);
  EXPECT_GE(high, 20.0);
  EXPECT_LT(high - low, 12.0);
  EXPECT_FALSE(window.MinBox().isEnabled());

  window.FixedBox().click();
  EXPECT_DOUBLE_EQ(window.MinBox().value(), std::round(low * 1000) / 1000);
  window.MinBox().setValue(-5);
  window.MaxBox().setValue(5);
  Feed(100, 30, 40);
  Settle();
  EXPECT_EQ(window.Chart().SignalRange(), std::make_pair(-5.0, 5.0));

  window.FixedBox().click();
  Settle();
  EXPECT_GE(window.Chart().SignalRange().second, 40.0);
}

TEST_F(TrendWindowTest, CaptionsOfNearbyChangesAreStackedRatherThanDrawnOverEachOther) {
  Feed(1'000, 0, 1);
  for (const int gain : {0xC0, 0x80, 0x40, 0x80}) {
    now += 40;
    trend.Record(0.5, static_cast<std::uint8_t>(gain), 0x30);
  }
  Feed(1'000, 0, 1);
  Settle();
  ASSERT_EQ(window.Chart().MarkerCaptions(),
            (QStringList{"Gain 1000", "Gain 100", "Gain 10", "Gain 100"}));
  const QList<QRectF> boxes = window.Chart().MarkerCaptionBoxes();
  const QChart& chart = *window.Chart().chart();
  const QRectF area = chart.mapRectToScene(chart.plotArea());
  for (qsizetype i = 0; i < boxes.size(); ++i) {
    EXPECT_TRUE(area.contains(boxes[i])) << i;
    for (qsizetype j = 0; j < i; ++j) EXPECT_FALSE(boxes[i].intersects(boxes[j])) << j << i;
  }
}

// An instrument switched off for a minute: no line crosses the outage and a
// band marked "no data" fills it. A pause within the allowance (a held-back
// poll) leaves the trace whole.
TEST_F(TrendWindowTest, AnOutageBreaksTheTraceAndIsMarkedAsNoData) {
  Feed(500, 10, 20);
  const std::int64_t lastBefore = now;
  now += 66'000;
  const std::int64_t firstAfter = now + 40;
  Feed(500, 10, 20);
  now += TTrendWindow::kGapAfter - 40;
  Feed(500, 10, 20);
  Settle();
  const QList<QList<QPointF>> pieces = window.Chart().TracePieces();
  ASSERT_EQ(pieces.size(), 2);
  EXPECT_LE(pieces[0].back().x(), static_cast<double>(lastBefore));
  EXPECT_GE(pieces[1].front().x(), static_cast<double>(firstAfter));
  QChart& chart = *window.Chart().chart();
  const auto x = [&](std::int64_t time) {
    return chart.mapToScene(chart.mapToPosition(QPointF(static_cast<double>(time), 0))).x();
  };
  const QList<QRectF> gaps = window.Chart().GapBoxes();
  ASSERT_EQ(gaps.size(), 1);
  EXPECT_NEAR(gaps[0].left(), x(lastBefore), 1);
  EXPECT_NEAR(gaps[0].right(), x(firstAfter), 1);
  const QList<QGraphicsItem*> captions = chart.scene()->items(gaps[0]);
  EXPECT_TRUE(std::any_of(captions.begin(), captions.end(), [](QGraphicsItem* item) {
    auto* text = qgraphicsitem_cast<QGraphicsSimpleTextItem*>(item);
    return text && text->isVisible() && text->text() == "no data";
  }));
}

class TrendSaveTest : public TrendWindowTest {
 protected:
  void TearDown() override { widgets::TMessageDlg::SetScript({}); }
  bool WaitSaved() {
    return QTest::qWaitFor([this] { return !window.Saving(); }, 10'000);
  }
  QTemporaryDir dir;
};

TEST_F(TrendSaveTest, SavesTheReadingsOfTheWindowInView) {
  Feed(20'000, 0, 1);
  window.SpanBox().setCurrentIndex(0);
  Settle();
  const QString path = dir.filePath("trend.csv");
  window.SaveTo(path);
  EXPECT_FALSE(window.SaveButton().isEnabled());
  ASSERT_TRUE(WaitSaved());
  EXPECT_TRUE(window.SaveButton().isEnabled());
  std::ifstream in(path.toStdString());
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  ASSERT_EQ(lines.size(), 1u + 60'000 / 40);
  const trend::TReadingRing& readings = trend.Readings();
  EXPECT_TRUE(lines[1].starts_with(trend::IsoTime(readings[readings.Size() - 1500].time) + ","));
  EXPECT_TRUE(lines.back().starts_with(trend::IsoTime(now) + ","));
}

TEST_F(TrendSaveTest, AFileThatCannotBeWrittenIsReportedOnceTheWritingIsOver) {
  QStringList boxes;
  widgets::TMessageDlg::SetScript([&](const widgets::TMessageRequest& request) {
    boxes << request.text;
    return widgets::mrClose;
  });
  Feed(10, 0, 1);
  Settle();
  const QString path = dir.filePath("missing/trend.csv");
  window.SaveTo(path);
  ASSERT_TRUE(WaitSaved());
  ASSERT_TRUE(QTest::qWaitFor([&] { return !boxes.isEmpty(); }, 2000));
  EXPECT_EQ(boxes, QStringList{"Unable to write to " + path});
  EXPECT_TRUE(window.SaveButton().isEnabled());
}

}  // namespace
}  // namespace orvane::panel::test
