#include "SignalModel.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace orvane::sim {
namespace {

struct Peak {
  double at;      // seconds into the minute
  double width;   // standard deviation, seconds
  double height;  // counts at gain 1
};

constexpr std::array<Peak, 4> kPeaks{{
    {9.0, 1.2, 14.0},
    {18.5, 1.6, 32.0},
    {31.0, 2.2, 9.0},
    {45.0, 2.8, 22.0},
}};
constexpr double kCycleSeconds = 60.0;
constexpr double kBaseline = 2.0;
constexpr double kDriftAmplitude = 0.2;
constexpr double kDriftPeriodSeconds = 300.0;
constexpr double kNoise = 0.4;      // counts at gain 1, before filtering
constexpr double kIdleNoise = 1.5;  // counts, independent of gain
constexpr double kSettlingSeconds = 0.7;
constexpr double kPi = 3.14159265358979323846;

double Seconds(Duration d) { return std::chrono::duration<double>(d).count(); }

std::uint16_t ToCount(double counts) {
  return static_cast<std::uint16_t>(std::clamp(std::round(counts), 0.0, 65535.0));
}

}  // namespace

SignalModel::SignalModel(std::uint32_t seed, TimePoint start)
    : random_(seed), start_(start), wokeAt_(start - std::chrono::hours(1)) {}

void SignalModel::Sleep() { asleep_ = true; }

void SignalModel::Wake(TimePoint now) {
  if (!asleep_) return;
  asleep_ = false;
  wokeAt_ = now;
}

double SignalModel::Chromatogram(double seconds) {
  double inCycle = std::fmod(seconds, kCycleSeconds);
  double drift = kDriftAmplitude * std::sin(2.0 * kPi * seconds / kDriftPeriodSeconds);
  double total = kBaseline + drift;
  for (const Peak& peak : kPeaks) {
    double z = (inCycle - peak.at) / peak.width;
    total += peak.height * std::exp(-0.5 * z * z);
  }
  return total;
}

double SignalModel::Settling(TimePoint now) const {
  return 1.0 - std::exp(-Seconds(now - wokeAt_) / kSettlingSeconds);
}

std::uint16_t SignalModel::Count(TimePoint now, int gain, int filter) {
  if (asleep_) return ToCount(std::abs(noise_(random_)) * kIdleNoise);
  double noise = noise_(random_) * kNoise / std::sqrt(std::max(filter, 1));
  return ToCount((Chromatogram(Seconds(now - start_)) + noise) * Settling(now) * gain);
}

}  // namespace orvane::sim
