#include "serial/TimerTrigger.h"

#include <chrono>

namespace orvane::serial {

std::uint32_t MilliClock() {
  using namespace std::chrono;
  const auto ms = duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
  return static_cast<std::uint32_t>(ms);
}

std::uint32_t MsUntilDue(std::uint32_t nowMs, const TTimerTrigger& t) {
  const std::uint32_t nowTick = TickOf(nowMs);
  if (TimerExpired(nowTick, t)) return 0;
  const std::uint64_t ticksLeft = t.ExpiryTick - t.StartTick + 1 - TicksSinceStart(nowTick, t);
  return static_cast<std::uint32_t>(ticksLeft * kTickMs - nowMs % kTickMs);
}

}  // namespace orvane::serial
