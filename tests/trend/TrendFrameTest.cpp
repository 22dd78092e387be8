#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "trend/TrendFrame.h"

namespace orvane::trend::test {
namespace {

// Bursts, pauses and equal times, with values that repeat so that ties occur.
TReadingRing RandomReadings(std::size_t count, unsigned seed, std::size_t capacity) {
  std::mt19937 random(seed);
  TReadingRing ring(capacity, 64, 8);
  std::int64_t time = 1'700'000'000'000;
  for (std::size_t n = 0; n < count; ++n) {
    const int gap = static_cast<int>(random() % 100);
    time += gap < 10 ? 0 : gap < 95 ? gap : 5000;
    ring.Append({time, static_cast<double>(random() % 50) / 10, 0x80, 0x20});
  }
  return ring;
}

// The definition, reading by reading: the first lowest and first highest.
std::vector<TColumnExtremes> BruteEnvelope(const TReadingRing& ring, TTimeWindow window,
                                           int columns) {
  std::vector<TColumnExtremes> out;
  for (std::size_t i = 0; i < ring.Size(); ++i) {
    const TReading& r = ring[i];
    if (r.time < window.from || r.time > window.to) continue;
    const int column = static_cast<int>((r.time - window.from) * columns / window.Length());
    const TTrendPoint point{r.time, r.signal};
    if (out.empty() || out.back().column != column) {
      out.push_back({column, point, point});
      continue;
    }
    if (r.signal < out.back().low.signal) out.back().low = point;
    if (r.signal > out.back().high.signal) out.back().high = point;
  }
  return out;
}

void ExpectSame(const std::vector<TColumnExtremes>& got, const std::vector<TColumnExtremes>& want) {
  ASSERT_EQ(got.size(), want.size());
  for (std::size_t i = 0; i < got.size(); ++i) {
    EXPECT_EQ(got[i].column, want[i].column) << i;
    EXPECT_EQ(got[i].low, want[i].low) << "column " << want[i].column;
    EXPECT_EQ(got[i].high, want[i].high) << "column " << want[i].column;
  }
}

TEST(TrendEnvelopeTest, EachColumnHoldsExactlyItsLowestAndHighestReading) {
  const TReadingRing ring = RandomReadings(20'005, 7, 16'384);  // wrapped mid-chunk
  const std::int64_t first = ring[0].time;
  const std::int64_t last = ring.Back().time;
  const TTimeWindow windows[] = {{first, last},
                                 {first - 12'345, last + 999},
                                 {first + 333'333, first + 333'333 + 59'999},
                                 {last - 7, last}};
  for (const TTimeWindow& window : windows) {
    for (const int columns : {1, 3, 640, 1913, 100'000}) {
      SCOPED_TRACE(testing::Message()
                   << window.from - first << "+" << window.Length() << " in " << columns);
      ExpectSame(Decimate(ring, window, columns).columns, BruteEnvelope(ring, window, columns));
    }
  }
}

TEST(TrendEnvelopeTest, AWindowWithoutReadingsIsEmpty) {
  const TReadingRing ring = RandomReadings(100, 3, 128);
  EXPECT_TRUE(
      Decimate(ring, {ring.Back().time + 1, ring.Back().time + 60'000}, 640).columns.empty());
  EXPECT_TRUE(Decimate(ring, {0, ring[0].time - 1}, 640).columns.empty());
  EXPECT_FALSE(SignalExtent(Decimate(ring, {0, ring[0].time - 1}, 640)));
}

TEST(TrendEnvelopeTest, ExtentSpansTheLowestAndHighestReading) {
  TReadingRing ring(16);
  for (const double signal : {3.0, -1.5, 8.25, 2.0})
    ring.Append({static_cast<std::int64_t>(ring.Size()) * 1000 + 1, signal, 0, 0});
  const auto extent =
      SignalExtent(Decimate(ring, SpanWindow(ring, TSpan::All, ring.Back().time), 2));
  ASSERT_TRUE(extent);
  EXPECT_EQ(*extent, std::make_pair(-1.5, 8.25));
}

TEST(TrendWindowTest, RollingSpansEndWhereAskedAndAllStartsAtTheOldestKept) {
  TReadingRing ring(4, 2, 2);
  for (const std::int64_t time : {100'000, 200'000, 300'000, 400'000, 5'000'000}) {
    ring.Append({time, 0, 0, 0});
  }
  const struct {
    TSpan span;
    std::int64_t end;
    TTimeWindow window;
  } cases[] = {{TSpan::Minute, 5'000'000, {4'940'001, 5'000'000}},
               {TSpan::TenMinutes, 400'000, {-199'999, 400'000}},
               {TSpan::Hour, 5'000'000, {1'400'001, 5'000'000}},
               {TSpan::All, 5'000'000, {200'000, 5'000'000}},
               {TSpan::All, 300'000, {200'000, 300'000}}};
  for (const auto& c : cases) {
    const TTimeWindow window = SpanWindow(ring, c.span, c.end);
    EXPECT_EQ(window.from, c.window.from) << static_cast<int>(c.span) << " to " << c.end;
    EXPECT_EQ(window.to, c.window.to) << static_cast<int>(c.span) << " to " << c.end;
  }
}

struct Setting {
  std::uint8_t gain;
  std::uint8_t mode;
};

TReadingRing WithSettings(const std::vector<Setting>& settings) {
  TReadingRing ring(64, 4, 4);
  for (const Setting& s : settings)
    ring.Append({static_cast<std::int64_t>(ring.Size()) * 100 + 100, 1.0, s.gain, s.mode});
  return ring;
}

TEST(TrendMarkerTest, MarksTheFirstReadingUnderANewGainOrMode) {
  const TReadingRing ring = WithSettings(
      {{0x80, 0x30}, {0x80, 0x30}, {0xC0, 0x30}, {0xC0, 0x30}, {0xC0, 0x20}, {0x00, 0x00}});
  const auto markers = Decimate(ring, SpanWindow(ring, TSpan::All, ring.Back().time), 3).markers;
  ASSERT_EQ(markers.size(), 3u);
  EXPECT_EQ(markers[0].time, 300);
  EXPECT_EQ(markers[0].gainCode, 0xC0);
  EXPECT_TRUE(markers[0].gainChanged);
  EXPECT_FALSE(markers[0].modeChanged);
  EXPECT_EQ(markers[1].time, 500);
  EXPECT_FALSE(markers[1].gainChanged);
  EXPECT_TRUE(markers[1].modeChanged);
  EXPECT_EQ(markers[1].modeCode, 0x20);
  EXPECT_TRUE(markers[2].gainChanged && markers[2].modeChanged);
}

TEST(TrendMarkerTest, AChangeAtTheWindowsFirstReadingIsMarkedButTheFirstReadingEverIsNot) {
  const TReadingRing ring = WithSettings({{0x40, 0x30}, {0x80, 0x30}, {0x80, 0x30}});
  EXPECT_EQ(Decimate(ring, {200, 300}, 10).markers.size(), 1u);
  EXPECT_TRUE(Decimate(ring, {250, 300}, 10).markers.empty());
  EXPECT_TRUE(Decimate(WithSettings({{0x40, 0x30}}), {0, 1000}, 10).markers.empty());
}

// Readings every 100 ms from 0 to 1000, then from 10,000 to 11,000.
TEST(TrendGapTest, APauseLongerThanTheAllowanceIsAGapAndTheTraceBreaksThere) {
  TReadingRing ring(64, 8, 4);
  for (std::int64_t time = 0; time <= 11'000; time += 100) {
    if (time <= 1000 || time >= 10'000) ring.Append({time, 1.0, 0, 0});
  }
  const TTrendFrame whole = Decimate(ring, {0, 11'000}, 110, 1000);
  ASSERT_EQ(whole.gaps.size(), 1u);
  EXPECT_EQ(whole.gaps[0].from, 1000);
  EXPECT_EQ(whole.gaps[0].to, 10'000);
  EXPECT_EQ(std::count_if(whole.columns.begin(), whole.columns.end(),
                          [](const TColumnExtremes& c) { return c.afterGap; }),
            1);
  const TTrendFrame cut = Decimate(ring, {5000, 11'000}, 60, 1000);
  ASSERT_EQ(cut.gaps.size(), 1u) << "a gap the window starts in is clipped to it";
  EXPECT_EQ(cut.gaps[0].from, 5000);
  EXPECT_FALSE(cut.columns.front().afterGap) << "nothing before it to break from";
  EXPECT_TRUE(Decimate(ring, {0, 11'000}, 110, 9000).gaps.empty());
}

}  // namespace
}  // namespace orvane::trend::test
