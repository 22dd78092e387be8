#include <gtest/gtest.h>

#include <vector>

#include "trend/ReadingRing.h"
#include "trend/SignalTrend.h"

namespace orvane::trend::test {
namespace {

TReading Nth(int n) { return {n * 10, n * 0.5, 0x80, 0x20}; }

std::vector<TReading> Runs(const TReadingRing& ring, std::size_t from, std::size_t to) {
  std::vector<TReading> seen;
  ring.ForEachRun(from, to, [&](const TReading* begin, const TReading* end) {
    EXPECT_LT(begin, end);
    seen.insert(seen.end(), begin, end);
  });
  return seen;
}

TEST(ReadingRingTest, HoldsADayOfRepliesAtTheLineRate) {
  // 37.5 ms a reply: 24 h is 2,304,000 of them.
  EXPECT_EQ(kDayCapacity, 2'304'000u);
  const TReadingRing day(kDayCapacity);
  EXPECT_GE(day.Capacity(), kDayCapacity);
  EXPECT_EQ(day.AllocatedBlocks(), 0u) << "nothing is taken before readings come";
}

TEST(ReadingRingTest, TakesStorageABlockAtATimeAndNoMoreOnceFull) {
  TReadingRing ring(10, 4, 2);
  EXPECT_EQ(ring.Capacity(), 12u);
  EXPECT_EQ(ring.AllocatedBlocks(), 0u);
  for (int n = 0; n < 12; ++n) {
    ring.Append(Nth(n));
    EXPECT_EQ(ring.AllocatedBlocks(), static_cast<std::size_t>(n / 4 + 1)) << n;
  }
  const TReading* kept = &ring[11];
  for (int n = 12; n < 100; ++n) ring.Append(Nth(n));
  EXPECT_EQ(ring.AllocatedBlocks(), 3u);
  EXPECT_EQ(ring.Size(), 12u);
  EXPECT_EQ(&ring[7], kept) << "a full ring overwrites its slots in place";
  EXPECT_EQ(*kept, Nth(95));
}

TEST(ReadingRingTest, AppendNeverMovesWhatIsKept) {
  TReadingRing ring(64, 8, 4);
  ring.Append(Nth(0));
  const TReading* first = &ring[0];
  for (int n = 1; n < 64; ++n) ring.Append(Nth(n));
  EXPECT_EQ(&ring[0], first);
  EXPECT_EQ(*first, Nth(0));
}

TEST(ReadingRingTest, DropsTheOldestOnceFullAndKeepsTheOrderAcrossTheWrap) {
  TReadingRing ring(12, 4, 2);
  for (int n = 0; n < 30; ++n) ring.Append(Nth(n));
  EXPECT_EQ(ring.Size(), 12u);
  EXPECT_EQ(ring.Appended(), 30u);
  for (std::size_t i = 0; i < ring.Size(); ++i) EXPECT_EQ(ring[i], Nth(18 + static_cast<int>(i)));
  EXPECT_EQ(ring.Back(), Nth(29));
}

TEST(ReadingRingTest, RunsCoverExactlyTheRangeAskedAcrossBlocksAndTheWrap) {
  TReadingRing ring(12, 4, 2);
  for (int n = 0; n < 17; ++n) ring.Append(Nth(n));
  for (std::size_t from = 0; from <= ring.Size(); ++from) {
    for (std::size_t to = from; to <= ring.Size(); ++to) {
      std::vector<TReading> expected;
      for (std::size_t i = from; i < to; ++i) expected.push_back(ring[i]);
      EXPECT_EQ(Runs(ring, from, to), expected) << from << ".." << to;
    }
  }
}

TEST(ReadingRingTest, LowerBoundFindsTheFirstReadingAtOrAfterATime) {
  TReadingRing ring(12, 4, 2);
  for (const int time : {5, 10, 10, 10, 20, 30, 30, 40, 50, 60, 70, 80, 90}) {
    ring.Append({time, 0, 0, 0});
  }
  EXPECT_EQ(ring[0].time, 10);  // the 5 was dropped
  EXPECT_EQ(ring.LowerBound(0), 0u);
  EXPECT_EQ(ring.LowerBound(10), 0u);
  EXPECT_EQ(ring.LowerBound(11), 3u);
  EXPECT_EQ(ring.LowerBound(30), 4u);
  EXPECT_EQ(ring.LowerBound(90), 11u);
  EXPECT_EQ(ring.LowerBound(91), 12u);
}

TEST(ReadingRingTest, ExtremesOfAnyRangeAreTheFirstLowestAndHighestAcrossTheWrap) {
  const double signals[] = {3, 1, 4, 1, 5, 9, 2, 6, 5, 3, 5, 8, 9, 7, 9, 3, 2, 3, 8, 4};
  for (const std::size_t appended : {9u, 16u, 23u, 37u}) {
    TReadingRing ring(16, 8, 4);
    for (std::size_t n = 0; n < appended; ++n) {
      ring.Append({static_cast<std::int64_t>(n), signals[n % 20], 0, 0});
    }
    for (std::size_t from = 0; from < ring.Size(); ++from) {
      std::size_t low = from;
      std::size_t high = from;
      for (std::size_t to = from + 1; to <= ring.Size(); ++to) {
        if (ring[to - 1].signal < ring[low].signal) low = to - 1;
        if (ring[to - 1].signal > ring[high].signal) high = to - 1;
        EXPECT_EQ(ring.Extremes(from, to), std::make_pair(low, high))
            << appended << " appended, " << from << ".." << to;
      }
    }
  }
}

TEST(ReadingRingTest, ChangesOfGainOrModeAreNotedAndDroppedWithTheirReading) {
  TReadingRing ring(4, 2, 2);
  const std::uint8_t gains[] = {0x80, 0x80, 0xC0, 0xC0, 0xC0, 0xC0, 0xC0};
  const std::uint8_t modes[] = {0x30, 0x30, 0x30, 0x20, 0x20, 0x20, 0x20};
  for (int n = 0; n < 5; ++n) ring.Append({n, 0, gains[n], modes[n]});
  ASSERT_EQ(ring.Changes().size(), 2u);
  EXPECT_EQ(ring.Changes()[0].sequence, 2u);
  EXPECT_TRUE(ring.Changes()[0].gain && !ring.Changes()[0].mode);
  EXPECT_EQ(ring.Changes()[1].sequence, 3u);
  EXPECT_TRUE(!ring.Changes()[1].gain && ring.Changes()[1].mode);
  ring.Append({5, 0, gains[5], modes[5]});
  ring.Append({6, 0, gains[6], modes[6]});
  ASSERT_EQ(ring.Changes().size(), 1u) << "reading 2 has been dropped";
  EXPECT_EQ(ring.Changes()[0].sequence - ring.Dropped(), 0u);
}

TEST(SignalTrendTest, StampsEachReadingAndNeverGoesBackInTime) {
  std::int64_t now = 1000;
  TSignalTrend trend(16, [&] { return now; });
  trend.Record(1.5, 0x40, 0x30);
  now = 400;  // the wall clock set back
  trend.Record(2.5, 0x80, 0x30);
  now = 2000;
  trend.Record(3.5, 0x80, 0x20);
  const TReadingRing& readings = trend.Readings();
  ASSERT_EQ(readings.Size(), 3u);
  EXPECT_EQ(readings[0], (TReading{1000, 1.5, 0x40, 0x30}));
  EXPECT_EQ(readings[1], (TReading{1000, 2.5, 0x80, 0x30}));
  EXPECT_EQ(readings[2], (TReading{2000, 3.5, 0x80, 0x20}));
  EXPECT_EQ(trend.Revision(), 3u);
}

}  // namespace
}  // namespace orvane::trend::test
