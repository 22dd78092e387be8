#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "runs/RunJournal.h"

namespace orvane::runs {

inline constexpr const char* kJournalSuffix = ".journal";

// "run-20261210-153012.journal" after the local time of the start; a second
// run started within the same second gets "-2", "-3"...
std::filesystem::path NewJournalPath(const std::filesystem::path& folder, std::int64_t start);

// Writes the run beside `stem` as stem.cdf and stem.csv, each through a
// temporary file renamed into place, so a crash never leaves half a file.
// Empty, or what went wrong in plain words.
std::string SaveRun(const TRun& run, const std::filesystem::path& stem);
// One file, its format after its suffix: ".csv" is CSV, anything else netCDF.
std::string SaveRunAs(const TRun& run, const std::filesystem::path& file);

// A saved run read back: a journal, or an AIA file (".cdf"), this program's
// or another's. Empty, or what went wrong in plain words.
std::string OpenRun(const std::filesystem::path& file, TRun& run);

// A run whose journal has no end: the program stopped while it recorded.
struct TInterrupted {
  std::filesystem::path journal;
  TRun run;
  std::string error;  // what went wrong saving it, if anything
};

// Finds the unfinished journals in `folder`, closes each as interrupted at
// the last moment it holds, and saves it beside its journal. Run at start,
// off the UI thread.
std::vector<TInterrupted> RecoverInterrupted(const std::filesystem::path& folder);

}  // namespace orvane::runs
