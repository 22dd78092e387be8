#include "serial/TimerTrigger.h"

#include <algorithm>
#include <chrono>

namespace orvane::serial {

std::uint32_t MilliClock() {
  using namespace std::chrono;
  const auto ms = duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
  return static_cast<std::uint32_t>(ms);
}

std::uint32_t MsUntilDue(std::uint32_t nowMs, const TTimerTrigger& t) {
  constexpr std::uint64_t kRecheckMs = 60000;
  const std::uint32_t nowTick = TickOf(nowMs);
  if (TimerExpired(nowTick, t)) return 0;
  if (t.ExpiryTick < nowTick) return kRecheckMs;
  const std::uint64_t dueMs = (static_cast<std::uint64_t>(t.ExpiryTick) + 1) * kTickMs;
  return static_cast<std::uint32_t>(std::min(dueMs - nowMs, kRecheckMs));
}

}  // namespace orvane::serial
