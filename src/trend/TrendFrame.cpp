#include "trend/TrendFrame.h"

#include <algorithm>

namespace orvane::trend {
namespace {

constexpr std::int64_t kSpanMs[] = {60'000, 600'000, 3'600'000};

TTrendPoint PointAt(const TReadingRing& readings, std::size_t i) {
  return {readings[i].time, readings[i].signal};
}

// A gain switched back and forth all day leaves many changes: only those in
// the window are visited.
void AddMarkers(const TReadingRing& readings, std::size_t first, std::size_t end,
                std::vector<TMarker>& markers) {
  const std::deque<TSettingChange>& changes = readings.Changes();
  const auto from = std::partition_point(changes.begin(), changes.end(), [&](const auto& change) {
    return change.sequence < readings.Dropped() + first;
  });
  for (auto change = from; change != changes.end(); ++change) {
    const auto i = static_cast<std::size_t>(change->sequence - readings.Dropped());
    if (i >= end) break;
    const TReading& reading = readings[i];
    markers.push_back(
        {reading.time, reading.gainCode, reading.modeCode, change->gain, change->mode});
  }
}

}  // namespace

TTimeWindow SpanWindow(const TReadingRing& readings, TSpan span, std::int64_t end) {
  if (span == TSpan::All) return {readings[0].time, end};
  return {end - kSpanMs[static_cast<int>(span)] + 1, end};
}

// A binary search finds where each column ends, and the ring gives the
// extremes of the column's readings a chunk at a time: the cost follows the
// number of columns far more than the number of readings.
TTrendFrame Decimate(const TReadingRing& readings, TTimeWindow window, int columns,
                     std::int64_t gapAfter) {
  TTrendFrame frame{window, {}, {}, {}};
  if (window.Length() <= 0) return frame;
  const std::int64_t length = window.Length();
  const std::int64_t count = std::max(columns, 1);
  const std::size_t first = readings.LowerBound(window.from);
  const std::size_t end = readings.LowerBound(window.to + 1, first);
  for (std::size_t i = first; i < end;) {
    const auto column = static_cast<int>((readings[i].time - window.from) * count / length);
    const std::int64_t boundary = window.from + ((column + 1) * length + count - 1) / count;
    const std::size_t next = std::min(readings.LowerBound(boundary, i), end);
    const auto [low, high] = readings.Extremes(i, next);
    const bool afterGap = i > 0 && readings[i].time - readings[i - 1].time > gapAfter;
    if (afterGap)
      frame.gaps.push_back({std::max(readings[i - 1].time, window.from), readings[i].time});
    frame.columns.push_back({column, PointAt(readings, low), PointAt(readings, high),
                             afterGap && !frame.columns.empty()});
    i = next;
  }
  AddMarkers(readings, first, end, frame.markers);
  return frame;
}

std::optional<std::pair<double, double>> SignalExtent(const TTrendFrame& frame) {
  if (frame.columns.empty()) return std::nullopt;
  std::pair<double, double> extent{frame.columns[0].low.signal, frame.columns[0].high.signal};
  for (const TColumnExtremes& column : frame.columns) {
    extent.first = std::min(extent.first, column.low.signal);
    extent.second = std::max(extent.second, column.high.signal);
  }
  return extent;
}

}  // namespace orvane::trend
