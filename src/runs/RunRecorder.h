#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "runs/JournalWriter.h"
#include "runs/RunJournal.h"
#include "trend/SignalTrend.h"

namespace orvane::runs {

// Records a run as it happens: every reading and event goes into memory (for
// the files saved at the stop) and, as a journal line, to the writer thread.
// Called on the UI thread; the cost of a reading is one line's formatting and
// a lock.
class TRunRecorder {
 public:
  // Journals go in `folder`; `clock` is the trend's, so readings and events
  // share one time line.
  TRunRecorder(std::filesystem::path folder, trend::TClock clock, TJournalWriter::TOnError onError);

  // The journal of the new run, named after its start.
  std::filesystem::path Start(std::string sampleName, TSettings settings);
  bool Recording() const { return writer_ != nullptr; }
  // A reading as the trend stamped it; ignored when no run is recording.
  void Record(const trend::TReading& reading);
  // Stamped now.
  void RecordEvent(std::string kind, std::string text);
  // The run as recorded, and its journal with the stop written to it. The
  // journal's end waits for its last sync: let it go off the UI thread.
  struct TStopped {
    TRun run;
    std::unique_ptr<TJournalWriter> journal;
  };
  std::optional<TStopped> Stop();

  const TRun& Current() const { return run_; }
  std::int64_t Now() const { return clock_(); }
  const std::filesystem::path& Folder() const { return folder_; }

 private:
  std::filesystem::path folder_;
  trend::TClock clock_;
  TJournalWriter::TOnError onError_;
  TRun run_;
  std::unique_ptr<TJournalWriter> writer_;
  std::string line_;
};

}  // namespace orvane::runs
