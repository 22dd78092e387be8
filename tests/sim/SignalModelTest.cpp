#include "SignalModel.h"

#include <gtest/gtest.h>

#include <chrono>

namespace {

using orvane::sim::SignalModel;
using orvane::sim::TimePoint;
using std::chrono::milliseconds;
using std::chrono::seconds;

constexpr int kFilter = 64;

TEST(SignalModel, PeaksStandOutOfTheBaselineAndRepeatEveryMinute) {
  EXPECT_GT(SignalModel::Chromatogram(18.5), 5 * SignalModel::Chromatogram(3.0));
  EXPECT_NEAR(SignalModel::Chromatogram(78.5), SignalModel::Chromatogram(18.5), 0.5);
  EXPECT_NEAR(SignalModel::Chromatogram(3.0), SignalModel::Chromatogram(3.0 + 60.0 * 7), 0.5);
}

TEST(SignalModel, GainScalesTheReadingAndClipsAtFullScale) {
  TimePoint start{};
  SignalModel model(5, start);
  TimePoint later = start + seconds(3);
  double low = model.Count(later, 10, kFilter);
  double high = model.Count(later, 1000, kFilter);
  EXPECT_NEAR(high / low, 100.0, 10.0);
  EXPECT_LT(model.Count(start + milliseconds(18500), 1000, kFilter), 65535);
  EXPECT_GT(model.Count(start + milliseconds(18500), 1000, kFilter), 20000);
}

TEST(SignalModel, IdleReadsNearZeroAtAnyGainAndWakingSettles) {
  TimePoint start{};
  SignalModel model(5, start);
  model.Sleep();
  for (int i = 0; i < 50; ++i) EXPECT_LT(model.Count(start + milliseconds(18500), 1000, 1), 10);
  TimePoint woke = start + seconds(61);
  model.Wake(woke);
  EXPECT_LT(model.Count(woke, 1000, kFilter), 10);
  EXPECT_LT(model.Count(woke + milliseconds(200), 1000, kFilter), 1000);
  EXPECT_GT(model.Count(woke + seconds(4), 1000, kFilter), 1500);
}

TEST(SignalModel, SameSeedSameTrace) {
  TimePoint start{};
  SignalModel a(9, start);
  SignalModel b(9, start);
  SignalModel c(10, start);
  bool differs = false;
  for (int i = 0; i < 20; ++i) {
    TimePoint t = start + milliseconds(600 * i);
    auto reading = a.Count(t, 1000, 1);
    EXPECT_EQ(reading, b.Count(t, 1000, 1));
    differs = differs || reading != c.Count(t, 1000, 1);
  }
  EXPECT_TRUE(differs);
}

}  // namespace
