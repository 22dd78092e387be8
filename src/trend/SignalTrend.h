#pragma once

#include <cstdint>
#include <functional>

#include "trend/ReadingRing.h"

namespace orvane::trend {

// Milliseconds since the epoch.
using TClock = std::function<std::int64_t()>;

// The wall-clock time of the start, carried forward by a steady clock: setting
// the system clock never sends a trend back in time or makes it jump.
TClock SteadyWallClock();

// The record behind the trend window: every accepted reply, stamped as it
// comes. The link calls Record inside the reply's own event, so it does no
// more than one append.
class TSignalTrend {
 public:
  explicit TSignalTrend(std::size_t capacity = kDayCapacity, TClock clock = SteadyWallClock());

  void Record(double signal, std::uint8_t gainCode, std::uint8_t modeCode);

  const TReadingRing& Readings() const { return readings_; }
  // Changes with every reading, so a viewer can tell there is something new.
  std::uint64_t Revision() const { return readings_.Appended(); }

 private:
  TReadingRing readings_;
  TClock clock_;
};

}  // namespace orvane::trend
