#pragma once

#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

#include "trend/ReadingRing.h"

namespace orvane::trend {

// Times from `from` to `to`, both included, in milliseconds since the epoch.
struct TTimeWindow {
  std::int64_t from = 0;
  std::int64_t to = 0;

  std::int64_t Length() const { return to - from + 1; }
};

enum class TSpan { Minute, TenMinutes, Hour, All };

// The span that ends at `end` (the newest reading, or where a paused plot
// stopped); All begins at the oldest reading kept. The ring must not be empty.
TTimeWindow SpanWindow(const TReadingRing& readings, TSpan span, std::int64_t end);

struct TTrendPoint {
  std::int64_t time = 0;
  double signal = 0;

  bool operator==(const TTrendPoint&) const = default;
};

// The lowest and the highest reading of one pixel column (the first of equals).
struct TColumnExtremes {
  int column = 0;
  TTrendPoint low;
  TTrendPoint high;
};

// A reading taken under another gain or mode than the reading before it.
struct TMarker {
  std::int64_t time = 0;
  std::uint8_t gainCode = 0;
  std::uint8_t modeCode = 0;
  bool gainChanged = false;
  bool modeChanged = false;
};

// What one repaint shows: the envelope of the window's readings, one entry
// per pixel column that has any, and the changes of gain and mode in it.
struct TTrendFrame {
  TTimeWindow window;
  std::vector<TColumnExtremes> columns;
  std::vector<TMarker> markers;
};

// A reading at time t falls in column (t - from) * columns / window length.
// A plot is handed two points per column at most, never the readings.
TTrendFrame Decimate(const TReadingRing& readings, TTimeWindow window, int columns);

// The lowest low and the highest high; nothing when the frame is empty.
std::optional<std::pair<double, double>> SignalExtent(const TTrendFrame& frame);

}  // namespace orvane::trend
