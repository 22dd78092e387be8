#include "instrument/Units.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <utility>

namespace orvane::units {
namespace {

constexpr std::uint8_t kTopPosition = 255;

// Digits beyond the shown precision that are read to decide a half. A
// double's expansion ends long before this for every value we format, so
// "exactly half" is judged on the true value and not on a rounded print.
constexpr int kGuardDigits = 40;

// Fixed-point text with '.' as its decimal point: std::to_chars reads no
// locale, where printf would take the C library's LC_NUMERIC, which a
// decimal-comma desktop sets to ','.
std::string FixedText(double value, int precision) {
  std::string text(static_cast<std::size_t>(std::numeric_limits<double>::max_exponent10 + 3 +
                                            std::max(precision, 0)),
                   '\0');
  const auto written = std::to_chars(text.data(), text.data() + text.size(), value,
                                     std::chars_format::fixed, precision);
  text.resize(static_cast<std::size_t>(written.ptr - text.data()));
  return text;
}

std::string PaddedLeft(std::string text, int width) {
  if (static_cast<int>(text.size()) < width) {
    text.insert(0, static_cast<std::size_t>(width) - text.size(), ' ');
  }
  return text;
}

// Adds one unit in the last place of a plain decimal text ("9.99" -> "10.00").
void IncrementLastDigit(std::string& text) {
  for (auto it = text.rbegin(); it != text.rend(); ++it) {
    if (*it == '.') continue;
    if (*it != '9') {
      ++*it;
      return;
    }
    *it = '0';
  }
  text.insert(text.begin(), '1');
}

std::string RoundHalfAway(double magnitude, int precision) {
  std::string text = FixedText(magnitude, precision + kGuardDigits);
  const std::size_t point = text.find('.');
  const std::size_t keep = precision > 0 ? point + 1 + static_cast<std::size_t>(precision) : point;
  const bool roundUp = text[point + 1 + static_cast<std::size_t>(precision)] >= '5';
  text.resize(keep);
  if (roundUp) IncrementLastDigit(text);
  return text;
}

}  // namespace

double PositionToMilliamps(std::uint8_t position, double fullScale) {
  if (position == kTopPosition) return fullScale;
  return position * fullScale / 256.0;
}

double PositionToPercent(std::uint8_t position) {
  if (position == kTopPosition) return 100.0;
  return position * 100.0 / 256.0;
}

std::uint8_t MilliampsToPosition(double milliamps, double fullScale) {
  const double position = std::round(milliamps * 256.0 / fullScale);
  return static_cast<std::uint8_t>(std::clamp(position, 0.0, 255.0));
}

double SignalCountToValue(std::uint16_t count) {
  return static_cast<double>(static_cast<long double>(count) * 6553.5L / 65535.0L);
}

std::string FormatFixed(double value, int width, int precision) {
  if (!std::isfinite(value)) return PaddedLeft(FixedText(value, precision), width);
  std::string text = RoundHalfAway(std::fabs(value), precision);
  if (std::signbit(value) && text.find_first_not_of("0.") != std::string::npos)
    text.insert(text.begin(), '-');
  return PaddedLeft(std::move(text), width);
}

std::string FormatSignal(double value) { return FormatFixed(value, 8, 3); }
std::string FormatMilliamps(double milliamps) { return FormatFixed(milliamps, 2, 1) + " ma"; }
std::string FormatPercent(double percent) { return FormatFixed(percent, 2, 0) + "%"; }

}  // namespace orvane::units
