#include "trend/TrendCsv.h"

#include <charconv>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <string_view>

#include "trend/SettingLabels.h"

namespace orvane::trend {

namespace {

// The date and time of a whole second, and its offset from UTC.
struct TLocalSecond {
  std::string dateTime;  // "2026-12-09T22:02:35"
  std::string offset;    // "+01:00"
};

TLocalSecond LocalSecond(std::time_t seconds) {
  std::tm local{};
  localtime_r(&seconds, &local);
  char date[32];
  std::strftime(date, sizeof date, "%Y-%m-%dT%H:%M:%S", &local);
  const long offset = local.tm_gmtoff / 60;
  const long absolute = offset < 0 ? -offset : offset;
  char zone[48];
  std::snprintf(zone, sizeof zone, "%c%02ld:%02ld", offset < 0 ? '-' : '+', absolute / 60,
                absolute % 60);
  return {date, zone};
}

std::string Joined(const TLocalSecond& second, std::int64_t msSinceEpoch) {
  char ms[16];
  std::snprintf(ms, sizeof ms, ".%03d", static_cast<int>(msSinceEpoch % 1000));
  return second.dateTime + ms + second.offset;
}

}  // namespace

std::string IsoTime(std::int64_t msSinceEpoch) {
  return Joined(LocalSecond(static_cast<std::time_t>(msSinceEpoch / 1000)), msSinceEpoch);
}

std::vector<TReading> ReadingsIn(const TReadingRing& readings, TTimeWindow window) {
  std::vector<TReading> copy;
  const std::size_t first = readings.LowerBound(window.from);
  const std::size_t end = readings.LowerBound(window.to + 1);
  copy.reserve(end - first);
  readings.ForEachRun(first, end, [&](const TReading* begin, const TReading* stop) {
    copy.insert(copy.end(), begin, stop);
  });
  return copy;
}

void WriteCsv(std::ostream& out, const std::vector<TReading>& readings) {
  out << "time,signal,gain,mode\n";
  char signal[32];
  // The local time is worked out once a second: a day at the line's full
  // rate is 27 readings a second.
  std::time_t shown = -1;
  TLocalSecond second;
  for (const TReading& reading : readings) {
    const auto seconds = static_cast<std::time_t>(reading.time / 1000);
    if (seconds != shown) second = LocalSecond(shown = seconds);
    const auto written = std::to_chars(signal, signal + sizeof signal, reading.signal);
    out << Joined(second, reading.time) << ',' << std::string_view(signal, written.ptr) << ','
        << GainLabel(reading.gainCode) << ',' << ModeLabel(reading.modeCode) << '\n';
  }
}

bool WriteCsvFile(const std::filesystem::path& file, const std::vector<TReading>& readings) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  WriteCsv(out, readings);
  out.close();
  return !out.fail();
}

}  // namespace orvane::trend
