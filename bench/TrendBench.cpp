// Measures the trend window's repaint: the record cut to one min/max pair per
// pixel column, handed to the chart and painted, for a record of 150,000
// readings and for a full ring (a day at the line's highest reply rate).
// The readings are the simulator's own chromatogram, one every 37.5 ms; each
// repaint follows one new reading. Prints the median and the maximum over
// the repaints, wall clock and the UI thread's CPU time, for the cut alone and
// for the whole repaint; the cost of an append; the memory the record holds.
// Usage: trend_bench [repaints]   (default 200)

#include <QApplication>
#include <QComboBox>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <vector>

#include "ProcessSample.h"
#include "SignalModel.h"
#include "instrument/Units.h"
#include "panel/RunFeed.h"
#include "panel/TrendWindow.h"
#include "widgets/FontSubstitutes.h"

namespace {

using namespace orvane;
using Clock = std::chrono::steady_clock;

constexpr std::int64_t kStart = 1'782'900'000'000;
constexpr double kReplyMs = 37.5;

// Readings as the instrument would send them at full speed, gain 100.
class TFeed {
 public:
  explicit TFeed(std::size_t capacity)
      : trend_(capacity, [this] { return Now(); }), model_(7, sim::TimePoint{}) {}

  // The model's values are worked out first, so that the time returned, in
  // nanoseconds, is that of the records alone.
  double Add(std::size_t count) {
    std::vector<double> values(count);
    for (std::size_t i = 0; i < count; ++i) {
      const auto at =
          sim::TimePoint{} + std::chrono::microseconds(static_cast<long>((n_ + i) * 37'500));
      values[i] = units::SignalCountToValue(model_.Count(at, 100, 8));
    }
    const auto start = Clock::now();
    for (const double signal : values) {
      trend_.Record(signal, 0x80, 0x20);
      ++n_;
    }
    return std::chrono::duration<double, std::nano>(Clock::now() - start).count();
  }
  const trend::TSignalTrend& Trend() const { return trend_; }

 private:
  std::int64_t Now() const {
    return kStart + static_cast<std::int64_t>(static_cast<double>(n_) * kReplyMs);
  }

  std::size_t n_ = 0;
  trend::TSignalTrend trend_;
  sim::SignalModel model_;
};

// CPU time of the calling thread: on a shared machine the wall clock also
// counts the time other processes held the core.
double ThreadCpuMs() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

struct TTimes {
  std::vector<double> wall;
  std::vector<double> cpu;

  template <class Work>
  void Take(Work&& work) {
    const auto start = Clock::now();
    const double cpuStart = ThreadCpuMs();
    work();
    cpu.push_back(ThreadCpuMs() - cpuStart);
    wall.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
  }
  void Print(const char* what) const {
    std::printf(
        "  %-10s wall median %6.2f  p95 %6.2f  max %6.2f ms | cpu median %6.2f  p95 %6.2f ms\n",
        what, bench::Percentile(wall, 0.5), bench::Percentile(wall, 0.95),
        bench::Percentile(wall, 1.0), bench::Percentile(cpu, 0.5), bench::Percentile(cpu, 0.95));
  }
};

// Each round appends one reading, then times the cut alone and the whole
// repaint (cut, hand-over to the chart, painting).
void TimeRepaints(TFeed& feed, panel::TTrendWindow& window, trend::TSpan span, int repaints,
                  const char* what) {
  window.SpanBox().setCurrentIndex(static_cast<int>(span));
  const trend::TReadingRing& readings = feed.Trend().Readings();
  TTimes cut;
  TTimes repaint;
  for (int i = 0; i < repaints; ++i) {
    feed.Add(1);
    const trend::TTimeWindow view = trend::SpanWindow(readings, span, readings.Back().time);
    cut.Take([&] { trend::Decimate(readings, view, window.Chart().Columns()); });
    repaint.Take([&] {
      window.Replot();
      QCoreApplication::sendPostedEvents();
      window.Chart().viewport()->repaint();
    });
  }
  std::printf("%s (%zu readings, %d columns)\n", what, readings.Size(), window.Chart().Columns());
  cut.Print("cut");
  repaint.Print("repaint");
}

// The cost of Record, which runs inside each reply's event.
void TimeAppends(TFeed& feed, std::size_t count) {
  const double ns = feed.Add(count);
  std::printf("append: %.1f ns a reading over %zu readings\n", ns / static_cast<double>(count),
              count);
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  widgets::InstallFontSubstitutes();
  const int repaints = argc > 1 ? std::atoi(argv[1]) : 200;

  TFeed feed(trend::kDayCapacity);
  panel::TRunFeed runs("/nonexistent/runs", {}, {}, nullptr);
  panel::TTrendWindow window(feed.Trend(), runs, nullptr);
  window.resize(760, 440);
  window.show();
  QCoreApplication::processEvents();

  feed.Add(150'000);
  TimeRepaints(feed, window, trend::TSpan::All, repaints, "150,000 readings, all since start");
  TimeRepaints(feed, window, trend::TSpan::Hour, repaints, "150,000 readings, 1 h");
  const long before = bench::ResidentKilobytes();
  TimeAppends(feed, trend::kDayCapacity);
  std::printf("a full ring holds %.1f MB more\n",
              static_cast<double>(bench::ResidentKilobytes() - before) / 1024.0);
  TimeRepaints(feed, window, trend::TSpan::All, repaints, "full ring, all since start");
  TimeRepaints(feed, window, trend::TSpan::Hour, repaints, "full ring, 1 h");
  TimeRepaints(feed, window, trend::TSpan::TenMinutes, repaints, "full ring, 10 min");
  return 0;
}
