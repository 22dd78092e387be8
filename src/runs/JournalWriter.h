#pragma once

#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>

namespace orvane::runs {

// Appends to a journal file on a thread of its own. The caller's Append only
// copies the text into a buffer and wakes the thread, which writes it at
// once (a killed program loses nothing written) and makes it durable with
// fdatasync at most once a second (a power cut loses at most that second).
// The first failure (a full disk, a folder that may not be written) goes to
// `onError`, on the writer's thread, with the system's own words; nothing
// further is written after it.
class TJournalWriter {
 public:
  static constexpr std::chrono::milliseconds kSyncInterval{1000};
  using TOnError = std::function<void(const std::string& message)>;

  // The folders on the way to `file` are made; `file` is appended to.
  TJournalWriter(std::filesystem::path file, TOnError onError);
  // Writes and syncs whatever is still buffered, then ends the thread.
  ~TJournalWriter();
  TJournalWriter(const TJournalWriter&) = delete;
  TJournalWriter& operator=(const TJournalWriter&) = delete;

  void Append(std::string_view text);
  const std::filesystem::path& File() const { return file_; }

 private:
  void Run();
  bool Open();
  void Write(const std::string& text);
  void Sync();
  void Fail(const std::string& what, int error);

  std::filesystem::path file_;
  TOnError onError_;
  std::mutex mutex_;
  std::condition_variable wake_;
  std::string pending_;
  bool stopping_ = false;
  // The writer thread's own.
  int fd_ = -1;
  bool failed_ = false;
  bool unsynced_ = false;
  std::chrono::steady_clock::time_point lastSync_{};
  std::thread thread_;
};

}  // namespace orvane::runs
