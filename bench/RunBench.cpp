// Measures what a run costs: the UI thread's time to record one reading (the
// line formatted and handed to the journal's writer thread, which writes and
// syncs meanwhile), and the time to save a 24-hour run as .cdf and as .csv, at the
// polling rate (a reading every 600 ms) and at the line's highest reply rate
// (one every 37.5 ms), and the comparison window's repaint with a day's run at
// that rate laid over another. The journal and the files go to a temporary
// folder.
// Usage: run_bench [readings recorded]   (default 200000)

#include <stdlib.h>
#include <time.h>

#include <QApplication>
#include <QtCharts/QChartView>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>

#include "instrument/InstrumentLink.h"
#include "instrument/InstrumentModel.h"
#include "panel/DetectorSettings.h"
#include "panel/MainLayout.h"
#include "panel/RunCompare.h"
#include "panel/RunFeed.h"
#include "runs/AiaCdf.h"
#include "runs/RunFiles.h"
#include "trend/TrendCsv.h"

namespace {

using namespace orvane;
namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr std::int64_t kStart = 1'782'900'000'000;

double ThreadCpuSeconds() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

double SecondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

void TimeRecording(const fs::path& folder, std::size_t count) {
  QWidget client;
  const panel::TMainControls controls = panel::BuildMainLayout(client);
  instrument::InstrumentLink link;
  link.InstrumentModel = instrument::kModelB;
  panel::TRunFeed feed(
      folder, [&] { return panel::DetectorSettings(controls, link); }, [] { return false; },
      nullptr);
  feed.Start("bench", 0);
  const double cpu = ThreadCpuSeconds();
  const auto wall = Clock::now();
  for (std::size_t i = 0; i < count; ++i) {
    feed.Record({kStart + static_cast<std::int64_t>(i) * 600, static_cast<double>(i % 65536) / 10,
                 0x80, 0x30});
  }
  const double perReading = SecondsSince(wall) / static_cast<double>(count) * 1e6;
  const double cpuPerReading = (ThreadCpuSeconds() - cpu) / static_cast<double>(count) * 1e6;
  std::printf("record: %.2f us a reading on the UI thread (%.2f us CPU), over %zu readings\n",
              perReading, cpuPerReading, count);
  feed.Stop();
}

// A day of readings `stepMs` apart: a slow peak every ten minutes.
runs::TRun DayRun(double stepMs, double height) {
  runs::TRun run;
  run.sampleName = "bench";
  run.start = kStart;
  run.end = kStart + 24 * 3600 * 1000;
  run.settings = {{"model", "B"}, {"gain", "100"}};
  const auto count = static_cast<std::size_t>(24 * 3600 * 1000 / stepMs);
  run.readings.reserve(count);
  for (std::size_t i = 0; i < count; ++i) {
    const double at = static_cast<double>(i) * stepMs;
    const double phase = std::fmod(at, 600'000) / 600'000 - 0.5;
    run.readings.push_back({kStart + static_cast<std::int64_t>(at),
                            height * std::exp(-phase * phase * 400) + 5, 0x80, 0x30});
  }
  return run;
}

void TimeSave(const fs::path& folder, double stepMs, const char* label) {
  const runs::TRun run = DayRun(stepMs, 100);
  const std::size_t count = run.readings.size();
  auto start = Clock::now();
  runs::SaveRunAs(run, folder / "day.cdf");
  const double cdf = SecondsSince(start);
  start = Clock::now();
  runs::SaveRunAs(run, folder / "day.csv");
  const double csv = SecondsSince(start);
  std::printf("save a 24-hour run, %s (%zu readings): .cdf %.3f s (%.1f MB), .csv %.3f s\n", label,
              count, cdf, static_cast<double>(fs::file_size(folder / "day.cdf")) / 1e6, csv);
}

// The comparison window with a day's run at the line's full rate laid over
// another: each repaint cuts both to the plot's columns and paints.
void TimeOverlay(int repaints) {
  panel::TRunCompare compare(nullptr);
  compare.resize(760, 440);
  compare.show();
  compare.Show(DayRun(37.5, 100), false);
  compare.Show(DayRun(37.5, 80), true);
  QCoreApplication::processEvents();
  std::vector<double> wall;
  for (int i = 0; i < repaints; ++i) {
    const auto start = Clock::now();
    compare.Replot();
    compare.View().viewport()->repaint();
    wall.push_back(SecondsSince(start) * 1000);
  }
  std::sort(wall.begin(), wall.end());
  std::printf(
      "overlay repaint, two 24-hour runs of 2304000 readings: median %.2f ms, max %.2f ms\n",
      wall[wall.size() / 2], wall.back());
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  const std::size_t count = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 200'000;
  char pattern[] = "/tmp/orvane-run-bench-XXXXXX";
  const fs::path folder = mkdtemp(pattern);
  TimeRecording(folder, count);
  TimeSave(folder, 600, "a reading every 600 ms");
  TimeSave(folder, 37.5, "a reading every 37.5 ms");
  TimeOverlay(50);
  fs::remove_all(folder);
  return 0;
}
