#pragma once

#include <cstdint>

namespace orvane::serial {

// A trigger tick is 55 ms of a 32-bit millisecond clock that wraps after
// about 49.7 days; stamps are in ticks of that clock.
inline constexpr std::uint32_t kTickMs = 55;
// Longest interval, in ticks, that the wrap rule of TimerExpired can tell
// apart: half the ticks of one clock period.
inline constexpr std::uint32_t kMaxTimerTicks = 39045157;

struct TTimerTrigger {
  std::int32_t Handle = 0;
  std::uint32_t StartTick = 0;
  std::uint32_t ExpiryTick = 0;
  std::int32_t Interval = 0;
  bool Active = false;
};

// Milliseconds of the monotonic clock, truncated to 32 bits.
std::uint32_t MilliClock();

inline std::uint32_t TickOf(std::uint32_t ms) { return ms / kTickMs; }

// Expired once the clock has passed the expiry tick, or, when the clock
// wrapped since the start, once it has come that far round.
inline bool TimerExpired(std::uint32_t nowTick, const TTimerTrigger& t) {
  return nowTick > t.ExpiryTick ||
         (nowTick < t.StartTick && nowTick + kMaxTimerTicks > t.ExpiryTick);
}

// Milliseconds from `nowMs` until an active trigger is due, 0 when it
// already is; a wrapped clock yields an upper bound, after which the trigger
// is tested again.
std::uint32_t MsUntilDue(std::uint32_t nowMs, const TTimerTrigger& t);

}  // namespace orvane::serial
