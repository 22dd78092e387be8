#pragma once

#include <cstdint>
#include <random>

#include "Clock.h"

namespace orvane::sim {

// The detector reading: a slowly drifting baseline with noise and a
// chromatogram of a few Gaussian peaks that repeats every minute, amplified by
// the gain. The filter averages the noise down. While idle the detector is
// off and reads near zero; after waking the baseline settles back over a
// couple of seconds, as a real detector's high voltage would.
class SignalModel {
 public:
  SignalModel(std::uint32_t seed, TimePoint start);

  void Sleep();
  void Wake(TimePoint now);
  bool Asleep() const { return asleep_; }

  std::uint16_t Count(TimePoint now, int gain, int filter);

  // The noise-free detector output at gain 1, in counts.
  static double Chromatogram(double seconds);

 private:
  double Settling(TimePoint now) const;

  std::mt19937 random_;
  std::normal_distribution<double> noise_{0.0, 1.0};
  TimePoint start_;
  TimePoint wokeAt_;
  bool asleep_ = false;
};

}  // namespace orvane::sim
