#include <gtest/gtest.h>

#include <stdlib.h>

#include <algorithm>
#include <condition_variable>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <sstream>

#include "runs/RunFiles.h"
#include "runs/RunRecorder.h"

namespace orvane::runs::test {
namespace {

namespace fs = std::filesystem;

class TempFolder {
 public:
  TempFolder() {
    char pattern[] = "/tmp/orvane-runs-XXXXXX";
    path_ = mkdtemp(pattern);
  }
  ~TempFolder() { fs::remove_all(path_); }
  const fs::path& Path() const { return path_; }

 private:
  fs::path path_;
};

std::string Contents(const fs::path& file) {
  std::stringstream text;
  text << std::ifstream(file, std::ios::binary).rdbuf();
  return text.str();
}

// The first error a writer reports, waited for on a condition.
class ErrorCatch {
 public:
  TJournalWriter::TOnError Handler() {
    return [this](const std::string& message) {
      const std::lock_guard lock(mutex_);
      message_ = message;
      told_.notify_all();
    };
  }
  std::string Wait() {
    std::unique_lock lock(mutex_);
    told_.wait_for(lock, std::chrono::seconds(10), [this] { return !message_.empty(); });
    return message_;
  }

 private:
  std::mutex mutex_;
  std::condition_variable told_;
  std::string message_;
};

// A run whose program died mid-way (the recorder goes without Stop, the last
// line torn by the crash) is found, closed as interrupted with every whole
// line it holds, saved beside its journal, and not found again.
TEST(RunJournal, AnUnfinishedRunIsRecoveredWholeOnceAndATornLineIsDropped) {
  TempFolder folder;
  std::int64_t now = 1'782'900'000'000;
  fs::path journal;
  std::vector<trend::TReading> readings;
  {
    TRunRecorder recorder(folder.Path(), [&] { return now; }, {});
    journal = recorder.Start("Se std 10 %\nppb", {{"gain", "100"}, {"element", "Se"}});
    for (int i = 0; i < 50; ++i) {
      readings.push_back({now += 600, 12.5 + i, 0x80, 0x30});
      recorder.Record(readings.back());
    }
    recorder.RecordEvent("link", "lost");
  }
  std::ofstream(journal, std::ios::app) << "r 1782900031000 99.";

  const std::vector<TInterrupted> found = RecoverInterrupted(folder.Path());
  ASSERT_EQ(found.size(), 1u);
  const TRun& run = found[0].run;
  EXPECT_EQ(found[0].error, "");
  EXPECT_TRUE(run.interrupted);
  EXPECT_EQ(run.sampleName, "Se std 10 %\nppb");
  EXPECT_EQ(run.settings, (TSettings{{"gain", "100"}, {"element", "Se"}}));
  EXPECT_EQ(run.readings, readings);
  EXPECT_EQ(run.events, (std::vector<TRunEvent>{{now, "link", "lost"}}));
  EXPECT_EQ(run.end, now);
  fs::path stem = journal;
  stem.replace_extension();
  EXPECT_TRUE(fs::exists(fs::path(stem) += ".cdf"));
  const std::string csv = Contents(fs::path(stem) += ".csv");
  EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 51);
  EXPECT_TRUE(RecoverInterrupted(folder.Path()).empty());
  EXPECT_TRUE(ParseJournal(Contents(journal))->finished);
}

TEST(RunJournal, AStoppedRunIsNotRecoveredAndKeepsItsReadings) {
  TempFolder folder;
  std::int64_t now = 1'782'900'000'000;
  TRunRecorder recorder(folder.Path(), [&] { return now; }, {});
  recorder.Start("blank", {});
  recorder.Record({now += 600, 1.5, 0x80, 0x30});
  now += 400;
  auto stopped = recorder.Stop();
  ASSERT_TRUE(stopped);
  stopped->journal.reset();
  EXPECT_EQ(stopped->run.readings.size(), 1u);
  EXPECT_EQ(stopped->run.end - stopped->run.start, 1000);
  EXPECT_FALSE(recorder.Recording());
  EXPECT_TRUE(RecoverInterrupted(folder.Path()).empty());
}

// Told in words, once, from the writer: the run itself goes on in memory.
TEST(JournalWriter, AFullDiskAndAFolderThatCannotBeMadeAreTold) {
  ErrorCatch full;
  {
    TJournalWriter writer("/dev/full", full.Handler());
    writer.Append("r 1 2 3 4\n");
    EXPECT_EQ(full.Wait(), "The run cannot be written to /dev/full: No space left on device.");
  }
  ErrorCatch folder;
  TJournalWriter writer("/dev/null/runs/run.journal", folder.Handler());
  EXPECT_EQ(folder.Wait(), "The folder /dev/null/runs cannot be made: Not a directory.");
}

}  // namespace
}  // namespace orvane::runs::test
