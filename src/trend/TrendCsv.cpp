#include "trend/TrendCsv.h"

#include <charconv>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <string_view>

#include "trend/SettingLabels.h"

namespace orvane::trend {

std::string IsoTime(std::int64_t msSinceEpoch) {
  const std::time_t seconds = static_cast<std::time_t>(msSinceEpoch / 1000);
  std::tm local{};
  localtime_r(&seconds, &local);
  char date[32];
  std::strftime(date, sizeof date, "%Y-%m-%dT%H:%M:%S", &local);
  const long offset = local.tm_gmtoff / 60;
  const long absolute = offset < 0 ? -offset : offset;
  char text[64];
  std::snprintf(text, sizeof text, "%s.%03d%c%02ld:%02ld", date,
                static_cast<int>(msSinceEpoch % 1000), offset < 0 ? '-' : '+', absolute / 60,
                absolute % 60);
  return text;
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
  for (const TReading& reading : readings) {
    const auto written = std::to_chars(signal, signal + sizeof signal, reading.signal);
    out << IsoTime(reading.time) << ',' << std::string_view(signal, written.ptr) << ','
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
