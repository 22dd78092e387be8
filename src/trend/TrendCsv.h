#pragma once

#include <cstdint>
#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "trend/ReadingRing.h"
#include "trend/TrendFrame.h"

namespace orvane::trend {

// Local time in ISO 8601 with milliseconds and the offset from UTC,
// "2026-12-09T22:02:35.123+01:00".
std::string IsoTime(std::int64_t msSinceEpoch);

// The readings of `window`, copied out so that they can be written elsewhere
// while the ring goes on filling.
std::vector<TReading> ReadingsIn(const TReadingRing& readings, TTimeWindow window);

// "time,signal,gain,mode", then a line per reading. The signal is the
// shortest text that reads back as the same number, so a saved trend plots
// exactly as it did.
void WriteCsv(std::ostream& out, const std::vector<TReading>& readings);
// False when the file could not be written whole.
bool WriteCsvFile(const std::filesystem::path& file, const std::vector<TReading>& readings);

}  // namespace orvane::trend
