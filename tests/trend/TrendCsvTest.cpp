#include <gtest/gtest.h>

#include <QDateTime>
#include <QString>

#include <charconv>
#include <cstdlib>
#include <ctime>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "instrument/Units.h"
#include "trend/SettingLabels.h"
#include "trend/SignalTrend.h"
#include "trend/TrendCsv.h"

namespace orvane::trend::test {
namespace {

class ZoneGuard {
 public:
  explicit ZoneGuard(const char* zone) {
    if (const char* old = std::getenv("TZ")) old_ = old;
    setenv("TZ", zone, 1);
    tzset();
  }
  ~ZoneGuard() {
    if (old_) {
      setenv("TZ", old_->c_str(), 1);
    } else {
      unsetenv("TZ");
    }
    tzset();
  }

 private:
  std::optional<std::string> old_;
};

TEST(TrendCsvTest, TimesAreLocalIso8601WithMillisecondsAndTheOffset) {
  {
    const ZoneGuard zone("CET-1CEST,M3.5.0,M10.5.0/3");
    EXPECT_EQ(IsoTime(1'782'900'000'007), "2026-07-01T12:00:00.007+02:00");
    EXPECT_EQ(IsoTime(1'768'446'245'000), "2026-01-15T04:04:05.000+01:00");
  }
  const ZoneGuard zone("NST3:30");
  EXPECT_EQ(IsoTime(1'768'446'245'999), "2026-01-14T23:34:05.999-03:30");
}

std::uint8_t CodeOf(const std::string& label, std::string (*name)(std::uint8_t)) {
  for (int code = 0; code < 256; ++code) {
    if (name(static_cast<std::uint8_t>(code)) == label) return static_cast<std::uint8_t>(code);
  }
  ADD_FAILURE() << "no code is called " << label;
  return 0;
}

// Read back as a spreadsheet would: the time through Qt's own ISO 8601 parser.
std::vector<TReading> ParseCsv(const std::string& text) {
  std::istringstream in(text);
  std::string line;
  std::getline(in, line);
  EXPECT_EQ(line, "time,signal,gain,mode");
  std::vector<TReading> readings;
  while (std::getline(in, line)) {
    std::vector<std::string> fields;
    std::istringstream cells(line);
    for (std::string cell; std::getline(cells, cell, ',');) fields.push_back(cell);
    EXPECT_EQ(fields.size(), 4u) << line;
    if (fields.size() != 4) break;
    const QDateTime time =
        QDateTime::fromString(QString::fromStdString(fields[0]), Qt::ISODateWithMs);
    EXPECT_TRUE(time.isValid()) << fields[0];
    TReading reading{time.toMSecsSinceEpoch(), 0, CodeOf(fields[2], GainLabel),
                     CodeOf(fields[3], ModeLabel)};
    std::from_chars(fields[1].data(), fields[1].data() + fields[1].size(), reading.signal);
    readings.push_back(reading);
  }
  return readings;
}

TEST(TrendCsvTest, WhatWasPlottedComesBack) {
  std::int64_t now = 1'782'900'000'000;
  TSignalTrend trend(4096, [&] { return now; });
  const std::uint8_t gains[] = {0x00, 0x40, 0x80, 0xC0};
  const std::uint8_t modes[] = {0x00, 0x30, 0x20};
  for (int n = 0; n < 5000; ++n) {
    now += 37 + n % 3;
    const auto count = static_cast<std::uint16_t>((n * 7919) % 65536);
    trend.Record(units::SignalCountToValue(count), gains[n / 700 % 4], modes[n / 1100 % 3]);
  }
  const TTimeWindow window =
      SpanWindow(trend.Readings(), TSpan::Minute, trend.Readings().Back().time);
  const std::vector<TReading> shown = ReadingsIn(trend.Readings(), window);
  ASSERT_FALSE(shown.empty());
  EXPECT_LT(shown.size(), trend.Readings().Size()) << "only the window is saved";
  EXPECT_EQ(shown.front().time, trend.Readings()[trend.Readings().LowerBound(window.from)].time);

  std::ostringstream csv;
  WriteCsv(csv, shown);
  const std::vector<TReading> back = ParseCsv(csv.str());
  EXPECT_EQ(back, shown);

  TReadingRing reread(back.size());
  for (const TReading& reading : back) reread.Append(reading);
  const TTrendFrame plotted = Decimate(trend.Readings(), window, 640);
  const TTrendFrame replotted = Decimate(reread, window, 640);
  ASSERT_EQ(replotted.columns.size(), plotted.columns.size());
  for (std::size_t i = 0; i < plotted.columns.size(); ++i) {
    EXPECT_EQ(replotted.columns[i].low, plotted.columns[i].low);
    EXPECT_EQ(replotted.columns[i].high, plotted.columns[i].high);
  }
  EXPECT_EQ(replotted.markers.size(), plotted.markers.size());
}

TEST(TrendCsvTest, SettingsAreNamedAsTheSelectorsNameThem) {
  EXPECT_EQ(GainLabel(0x00), "1");
  EXPECT_EQ(GainLabel(0xC0), "1000");
  EXPECT_EQ(ModeLabel(0x30), "Ref");
  EXPECT_EQ(ModeLabel(0x20), "Emission");
  EXPECT_EQ(ModeLabel(0x10), "0x10");
}

}  // namespace
}  // namespace orvane::trend::test
