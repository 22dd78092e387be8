#pragma once

#include <cstdint>
#include <limits>
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
  // A gap lies between this column and the one before: the trace breaks.
  bool afterGap = false;
};

// A time without readings, from the last reading before it (or the window's
// start, when that reading lies before the window) to the first after it.
struct TGap {
  std::int64_t from = 0;
  std::int64_t to = 0;
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
// per pixel column that has any, the changes of gain and mode in it, and the
// gaps in the readings.
struct TTrendFrame {
  TTimeWindow window;
  std::vector<TColumnExtremes> columns;
  std::vector<TMarker> markers;
  std::vector<TGap> gaps;
};

inline constexpr std::int64_t kNeverAGap = std::numeric_limits<std::int64_t>::max();

// A reading at time t falls in column (t - from) * columns / window length.
// A plot is handed two points per column at most, never the readings.
// Two readings more than `gapAfter` ms apart have a gap between them. Only
// gaps that cross a column boundary are found: one inside a column is less
// than a pixel wide.
TTrendFrame Decimate(const TReadingRing& readings, TTimeWindow window, int columns,
                     std::int64_t gapAfter = kNeverAGap);

// The lowest low and the highest high; nothing when the frame is empty.
std::optional<std::pair<double, double>> SignalExtent(const TTrendFrame& frame);

}  // namespace orvane::trend
