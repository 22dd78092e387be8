#pragma once

#include <cstdint>
#include <string>

// Conversions between the instrument's 0..255 positions and the units shown
// to the operator, and the texts the panel shows.
namespace orvane::units {

inline constexpr double kPrimaryFullScale = 40.0;  // mA
inline constexpr double kBoostFullScale = 60.0;    // mA

// Position 255 is exactly full scale; below it the step is full scale / 256.
double PositionToMilliamps(std::uint8_t position, double fullScale);
double PositionToPercent(std::uint8_t position);

// Nearest position for a current, held within 0..255.
std::uint8_t MilliampsToPosition(double milliamps, double fullScale);

// The detector count as the reading shown: count / 10, 0.0 .. 6553.5.
double SignalCountToValue(std::uint16_t count);

// printf-style "%<width>.<precision>f", but exact halves of the decimal
// expansion round away from zero (1.25 -> "1.3"), as the operator expects,
// and the decimal point is always '.', whatever the C library's locale: files
// and the line take the text as it is, the panel shows the desktop's
// separator in its place.
std::string FormatFixed(double value, int width, int precision);

std::string FormatSignal(double value);         // "%8.3f"
std::string FormatMilliamps(double milliamps);  // "%2.1f ma"
std::string FormatPercent(double percent);      // "%2.0f%"

}  // namespace orvane::units
