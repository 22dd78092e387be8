#pragma once

#include <cstdint>

namespace orvane::serial {

// A trigger tick is 55 ms of a 32-bit millisecond clock that wraps after
// about 49.7 days; stamps are in ticks of that clock.
inline constexpr std::uint32_t kTickMs = 55;
// Ticks in one period of the millisecond clock, and the longest interval: half
// of it.
inline constexpr std::uint32_t kTicksPerWrap = 78090315;
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

// Ticks since the trigger was armed, across a wrap of the clock.
inline std::uint32_t TicksSinceStart(std::uint32_t nowTick, const TTimerTrigger& t) {
  return nowTick >= t.StartTick ? nowTick - t.StartTick : nowTick + kTicksPerWrap - t.StartTick;
}

// Expired once more ticks than the interval have passed since the start. The
// count is taken from the start rather than by comparing with the expiry
// tick, so a trigger armed shortly before the clock wraps still fires on time.
inline bool TimerExpired(std::uint32_t nowTick, const TTimerTrigger& t) {
  return TicksSinceStart(nowTick, t) > t.ExpiryTick - t.StartTick;
}

// Milliseconds from `nowMs` until an active trigger is due, 0 when it
// already is.
std::uint32_t MsUntilDue(std::uint32_t nowMs, const TTimerTrigger& t);

}  // namespace orvane::serial
