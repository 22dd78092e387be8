#pragma once

#include <filesystem>
#include <string>

#include "runs/RunJournal.h"

namespace orvane::runs {

// The run as an AIA chromatography file, netCDF classic, written by libnetcdf.
// Readings come as replies do, not evenly spaced, so `raw_data_retention`
// carries each reading's time from the start (the injection) and
// `ordinate_values:uniform_sampling_flag` is "N". Readings lost to an
// outage are simply absent. Empty, or what went wrong in plain words.
std::string WriteAiaCdf(const TRun& run, const std::filesystem::path& file);

// Reads back a run from an AIA file, this program's or another's: the sample
// name, and each reading's time from `raw_data_retention` (or, for a file
// evenly sampled, from the delay and the sampling interval) as milliseconds
// from the start, which is 0. Empty, or what went wrong in plain words.
std::string ReadAiaCdf(const std::filesystem::path& file, TRun& run);

// "20261210153012+0100": the template's date-time stamp, in local time.
std::string AiaTimeStamp(std::int64_t msSinceEpoch);

}  // namespace orvane::runs
