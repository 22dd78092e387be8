#include "trend/SignalTrend.h"

#include <algorithm>
#include <chrono>

namespace orvane::trend {

TClock SteadyWallClock() {
  using namespace std::chrono;
  const auto wallStart = system_clock::now();
  const auto steadyStart = steady_clock::now();
  return [wallStart, steadyStart] {
    const auto now =
        wallStart + duration_cast<system_clock::duration>(steady_clock::now() - steadyStart);
    return duration_cast<milliseconds>(now.time_since_epoch()).count();
  };
}

TSignalTrend::TSignalTrend(std::size_t capacity, TClock clock)
    : readings_(capacity), clock_(std::move(clock)) {}

// A clock that stepped back is held at the last time: the ring's lookups by
// time need times that never decrease.
void TSignalTrend::Record(double signal, std::uint8_t gainCode, std::uint8_t modeCode) {
  std::int64_t time = clock_();
  if (!readings_.Empty()) time = std::max(time, readings_.Back().time);
  readings_.Append({time, signal, gainCode, modeCode});
}

}  // namespace orvane::trend
