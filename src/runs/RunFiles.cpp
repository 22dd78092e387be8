#include "runs/RunFiles.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <ctime>
#include <fstream>
#include <functional>
#include <sstream>

#include "runs/AiaCdf.h"
#include "trend/TrendCsv.h"

namespace orvane::runs {
namespace fs = std::filesystem;
namespace {

std::string ReadAll(const fs::path& file) {
  std::stringstream text;
  text << std::ifstream(file, std::ios::binary).rdbuf();
  return text.str();
}

// The last moment the journal speaks of.
std::int64_t LastMoment(const TRun& run) {
  std::int64_t last = run.start;
  if (!run.readings.empty()) last = std::max(last, run.readings.back().time);
  if (!run.events.empty()) last = std::max(last, run.events.back().time);
  return last;
}

// A line torn by the crash is cut off first, so the end line stands alone.
std::string CloseJournal(const fs::path& journal, std::size_t whole, std::int64_t end) {
  const int fd = ::open(journal.c_str(), O_WRONLY | O_CLOEXEC);
  const std::string line = EndLine(end, true);
  const bool ok = fd >= 0 && ::ftruncate(fd, static_cast<off_t>(whole)) == 0 &&
                  ::lseek(fd, 0, SEEK_END) >= 0 &&
                  ::write(fd, line.data(), line.size()) == static_cast<ssize_t>(line.size()) &&
                  ::fdatasync(fd) == 0;
  const int error = errno;
  if (fd >= 0) ::close(fd);
  return ok ? std::string() : journal.string() + " cannot be closed: " + std::strerror(error) + ".";
}

// Writes through `part` renamed into `file`.
std::string Replace(const fs::path& file,
                    const std::function<std::string(const fs::path&)>& write) {
  fs::path part = file;
  part += ".part";
  if (std::string error = write(part); !error.empty()) {
    fs::remove(part);
    return error;
  }
  std::error_code error;
  fs::rename(part, file, error);
  return error ? "Unable to write to " + file.string() + ": " + error.message() + "." : "";
}

std::string WriteCsv(const TRun& run, const fs::path& file) {
  return trend::WriteCsvFile(file, run.readings) ? "" : "Unable to write to " + file.string() + ".";
}

}  // namespace

fs::path NewJournalPath(const fs::path& folder, std::int64_t start) {
  const std::time_t seconds = static_cast<std::time_t>(start / 1000);
  std::tm local{};
  localtime_r(&seconds, &local);
  char name[32];
  std::strftime(name, sizeof name, "run-%Y%m%d-%H%M%S", &local);
  fs::path file = folder / (std::string(name) + kJournalSuffix);
  for (int n = 2; fs::exists(file); ++n) {
    file = folder / (std::string(name) + '-' + std::to_string(n) + kJournalSuffix);
  }
  return file;
}

std::string SaveRunAs(const TRun& run, const fs::path& file) {
  const bool csv = file.extension() == ".csv";
  return Replace(file, [&](const fs::path& part) {
    return csv ? WriteCsv(run, part) : WriteAiaCdf(run, part);
  });
}

std::string SaveRun(const TRun& run, const fs::path& stem) {
  fs::path cdf = stem;
  fs::path csv = stem;
  std::string error = SaveRunAs(run, cdf += ".cdf");
  return error.empty() ? SaveRunAs(run, csv += ".csv") : error;
}

std::string OpenRun(const fs::path& file, TRun& run) {
  if (file.extension() != kJournalSuffix) return ReadAiaCdf(file, run);
  std::optional<TParsedJournal> journal = ParseJournal(ReadAll(file));
  if (!journal) return file.string() + " is not a run's journal.";
  run = std::move(journal->run);
  if (!journal->finished) run.end = LastMoment(run);
  return {};
}

std::vector<TInterrupted> RecoverInterrupted(const fs::path& folder) {
  std::vector<TInterrupted> found;
  std::error_code error;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder, error)) {
    if (entry.path().extension() != kJournalSuffix) continue;
    std::optional<TParsedJournal> journal = ParseJournal(ReadAll(entry.path()));
    if (!journal || journal->finished) continue;
    TInterrupted run{entry.path(), std::move(journal->run), {}};
    run.run.interrupted = true;
    run.run.end = LastMoment(run.run);
    run.error = CloseJournal(run.journal, journal->readable, run.run.end);
    if (run.error.empty()) run.error = SaveRun(run.run, fs::path(run.journal).replace_extension());
    found.push_back(std::move(run));
  }
  std::sort(found.begin(), found.end(),
            [](const auto& a, const auto& b) { return a.run.start < b.run.start; });
  return found;
}

}  // namespace orvane::runs
