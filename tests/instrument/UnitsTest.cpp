#include "instrument/Units.h"

#include <gtest/gtest.h>

namespace orvane::units {
namespace {

TEST(Units, TopPositionIsExactlyFullScale) {
  EXPECT_EQ(PositionToMilliamps(255, kPrimaryFullScale), 40.0);
  EXPECT_EQ(PositionToMilliamps(255, kBoostFullScale), 60.0);
  EXPECT_EQ(PositionToPercent(255), 100.0);
  EXPECT_EQ(PositionToMilliamps(254, kBoostFullScale), 254 * 60.0 / 256);
  EXPECT_EQ(PositionToPercent(0), 0.0);
}

TEST(Units, PresetCurrentsRoundToTheNearestPosition) {
  EXPECT_EQ(MilliampsToPosition(27.5, kPrimaryFullScale), 176);
  EXPECT_EQ(MilliampsToPosition(35.0, kBoostFullScale), 149);
  EXPECT_EQ(MilliampsToPosition(40.0, kPrimaryFullScale), 255) << "held within the slider";
  EXPECT_EQ(MilliampsToPosition(-3.0, kPrimaryFullScale), 0);
}

TEST(Units, SignalIsATenthOfTheCount) {
  EXPECT_EQ(FormatSignal(SignalCountToValue(0x0123)), "  29.100");
  EXPECT_EQ(FormatSignal(SignalCountToValue(0x0064)), "  10.000");
  EXPECT_EQ(FormatSignal(SignalCountToValue(0x00FF)), "  25.500");
  EXPECT_EQ(FormatSignal(SignalCountToValue(0xFFFF)), "6553.500");
  EXPECT_EQ(FormatSignal(SignalCountToValue(0)), "   0.000");
  for (unsigned count = 0; count <= 0xFFFF; count += 7) {
    ASSERT_NEAR(SignalCountToValue(static_cast<std::uint16_t>(count)), count / 10.0, 1e-9);
  }
}

// printf would round these exact halves to even; the operator sees them
// rounded away from zero.
TEST(Format, ExactHalvesRoundAwayFromZero) {
  EXPECT_EQ(FormatMilliamps(PositionToMilliamps(8, kPrimaryFullScale)), "1.3 ma");
  EXPECT_EQ(FormatPercent(12.5), "13%");
  EXPECT_EQ(FormatPercent(PositionToPercent(32)), "13%");
  EXPECT_EQ(FormatPercent(PositionToPercent(96)), "38%");
  EXPECT_EQ(FormatFixed(0.5, 1, 0), "1");
  EXPECT_EQ(FormatFixed(2.5, 1, 0), "3");
  EXPECT_EQ(FormatFixed(-2.5, 1, 0), "-3");
  EXPECT_EQ(FormatFixed(9.95, 3, 1), "9.9") << "9.95 is below the half in binary";
  EXPECT_EQ(FormatFixed(99.5, 2, 0), "100") << "a carry widens the text";
  EXPECT_EQ(FormatFixed(0.0625, 5, 3), "0.063");
}

TEST(Format, ReadBacksAndPumpTexts) {
  EXPECT_EQ(FormatMilliamps(PositionToMilliamps(255, kPrimaryFullScale)), "40.0 ma");
  EXPECT_EQ(FormatMilliamps(PositionToMilliamps(128, kBoostFullScale)), "30.0 ma");
  EXPECT_EQ(FormatMilliamps(PositionToMilliamps(254, kBoostFullScale)), "59.5 ma");
  EXPECT_EQ(FormatMilliamps(PositionToMilliamps(255, kBoostFullScale)), "60.0 ma");
  EXPECT_EQ(FormatMilliamps(PositionToMilliamps(154, kPrimaryFullScale)), "24.1 ma");
  EXPECT_EQ(FormatPercent(PositionToPercent(0)), " 0%");
  EXPECT_EQ(FormatPercent(PositionToPercent(13)), " 5%");
  EXPECT_EQ(FormatPercent(PositionToPercent(255)), "100%");
}

TEST(Format, EveryPositionMatchesADecimalReference) {
  // Reference: all positions are multiples of 1/256, so the exact value in
  // thousandths of a unit decides the rounding.
  for (int position = 0; position < 255; ++position) {
    const long thousandths = position * 40000L * 1000 / 256;  // 1e-6 mA
    const long tenths = (thousandths + 50000) / 100000;
    const std::string expected =
        std::to_string(tenths / 10) + "." + std::to_string(tenths % 10) + " ma";
    ASSERT_EQ(FormatMilliamps(
                  PositionToMilliamps(static_cast<std::uint8_t>(position), kPrimaryFullScale)),
              expected)
        << position;
  }
}

}  // namespace
}  // namespace orvane::units
