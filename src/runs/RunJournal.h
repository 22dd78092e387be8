#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "trend/ReadingRing.h"

namespace orvane::runs {

// Something that happened during a run besides a reading: a setting changed,
// the link was lost or came back. `kind` is one word.
struct TRunEvent {
  std::int64_t time = 0;  // milliseconds since the epoch, on the trend's clock
  std::string kind;
  std::string text;

  bool operator==(const TRunEvent&) const = default;
};

using TSettings = std::vector<std::pair<std::string, std::string>>;

// One injection's record. Times are the trend's: the wall-clock time of the
// program's start carried forward by the monotonic clock.
struct TRun {
  std::string sampleName;
  std::int64_t start = 0;
  std::int64_t end = 0;
  bool interrupted = false;
  TSettings settings;  // the detector's settings at the start
  std::vector<trend::TReading> readings;
  std::vector<TRunEvent> events;
};

// The journal is text, a line per record, only ever appended to:
//   orvane-run 1
//   start <ms> <sample name>
//   setting <key> <value>
//   r <ms> <signal> <gain code> <mode code>
//   e <ms> <kind> <text>
//   end <ms> stopped|interrupted
// Free text has '%', CR and LF escaped as %25, %0D, %0A, so a line is a record.
std::string HeaderLines(const TRun& run);
void AppendReading(std::string& out, const trend::TReading& reading);
void AppendEvent(std::string& out, const TRunEvent& event);
std::string EndLine(std::int64_t time, bool interrupted);

struct TParsedJournal {
  TRun run;
  bool finished = false;     // an end line was read
  std::size_t readable = 0;  // the length of the lines read
};

// What a journal holds up to its first line that is torn (a crash in the
// middle of a write) or unreadable; nothing when it is not a run journal.
std::optional<TParsedJournal> ParseJournal(std::string_view text);

}  // namespace orvane::runs
