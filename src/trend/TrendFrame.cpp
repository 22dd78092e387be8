#include "trend/TrendFrame.h"

#include <algorithm>

namespace orvane::trend {
namespace {

constexpr std::int64_t kSpanMs[] = {60'000, 600'000, 3'600'000};

// Walks the columns as times increase; it divides only when a reading leaves
// the column it is in, never once per reading.
class TColumnWalker {
 public:
  TColumnWalker(TTimeWindow window, int columns)
      : window_(window), columns_(std::max(columns, 1)) {}

  void Add(const TReading& reading, std::vector<TColumnExtremes>& out) {
    if (reading.time >= boundary_) {
      Flush(out);
      Enter(reading.time);
    }
    if (!low_) {
      low_ = high_ = &reading;
      return;
    }
    if (reading.signal < low_->signal) low_ = &reading;
    if (reading.signal > high_->signal) high_ = &reading;
  }

  void Flush(std::vector<TColumnExtremes>& out) {
    if (!low_) return;
    out.push_back({column_, {low_->time, low_->signal}, {high_->time, high_->signal}});
    low_ = high_ = nullptr;
  }

 private:
  void Enter(std::int64_t time) {
    const std::int64_t length = window_.Length();
    column_ = static_cast<int>((time - window_.from) * columns_ / length);
    boundary_ = window_.from + ((column_ + 1) * length + columns_ - 1) / columns_;
  }

  TTimeWindow window_;
  std::int64_t columns_;
  int column_ = -1;
  std::int64_t boundary_ = INT64_MIN;
  const TReading* low_ = nullptr;
  const TReading* high_ = nullptr;
};

}  // namespace

TTimeWindow SpanWindow(const TReadingRing& readings, TSpan span, std::int64_t end) {
  if (span == TSpan::All) return {readings[0].time, end};
  return {end - kSpanMs[static_cast<int>(span)] + 1, end};
}

TTrendFrame Decimate(const TReadingRing& readings, TTimeWindow window, int columns) {
  TTrendFrame frame{window, {}, {}};
  if (window.Length() <= 0) return frame;
  const std::size_t first = readings.LowerBound(window.from);
  const std::size_t end = readings.LowerBound(window.to + 1);
  TColumnWalker walker(window, columns);
  const TReading* previous = first > 0 ? &readings[first - 1] : nullptr;
  readings.ForEachRun(first, end, [&](const TReading* begin, const TReading* stop) {
    for (const TReading* reading = begin; reading != stop; ++reading) {
      walker.Add(*reading, frame.columns);
      if (previous &&
          (previous->gainCode != reading->gainCode || previous->modeCode != reading->modeCode)) {
        frame.markers.push_back({reading->time, reading->gainCode, reading->modeCode,
                                 previous->gainCode != reading->gainCode,
                                 previous->modeCode != reading->modeCode});
      }
      previous = reading;
    }
  });
  walker.Flush(frame.columns);
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
