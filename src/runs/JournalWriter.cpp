#include "runs/JournalWriter.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <system_error>

namespace orvane::runs {

TJournalWriter::TJournalWriter(std::filesystem::path file, TOnError onError)
    : file_(std::move(file)), onError_(std::move(onError)), thread_([this] { Run(); }) {}

TJournalWriter::~TJournalWriter() {
  {
    const std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  wake_.notify_one();
  thread_.join();
}

void TJournalWriter::Append(std::string_view text) {
  {
    const std::lock_guard lock(mutex_);
    pending_.append(text);
  }
  wake_.notify_one();
}

// Waits for text, or while written text is not yet durable for the moment
// the next sync is due; writes what came, syncs when a second has passed
// since the last sync, and on stopping writes and syncs what is left.
void TJournalWriter::Run() {
  const bool opened = Open();
  std::unique_lock lock(mutex_);
  for (;;) {
    const auto ready = [this] { return !pending_.empty() || stopping_; };
    if (unsynced_) {
      wake_.wait_until(lock, lastSync_ + kSyncInterval, ready);
    } else {
      wake_.wait(lock, ready);
    }
    std::string text;
    text.swap(pending_);
    const bool stopping = stopping_;
    lock.unlock();
    if (opened) Write(text);
    if (unsynced_ && (stopping || std::chrono::steady_clock::now() >= lastSync_ + kSyncInterval)) {
      Sync();
    }
    lock.lock();
    if (stopping && pending_.empty()) break;
  }
  if (fd_ >= 0) ::close(fd_);
}

bool TJournalWriter::Open() {
  std::error_code error;
  std::filesystem::create_directories(file_.parent_path(), error);
  if (error) {
    Fail("The folder " + file_.parent_path().string() + " cannot be made", error.value());
    return false;
  }
  fd_ = ::open(file_.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0600);
  if (fd_ < 0) Fail("The run cannot be written to " + file_.string(), errno);
  return fd_ >= 0;
}

void TJournalWriter::Write(const std::string& text) {
  std::size_t done = 0;
  while (!failed_ && done < text.size()) {
    const ssize_t written = ::write(fd_, text.data() + done, text.size() - done);
    if (written < 0 && errno == EINTR) continue;
    if (written < 0) return Fail("The run cannot be written to " + file_.string(), errno);
    done += static_cast<std::size_t>(written);
    unsynced_ = true;
  }
}

void TJournalWriter::Sync() {
  if (::fdatasync(fd_) != 0) Fail("The run cannot be saved safely to " + file_.string(), errno);
  unsynced_ = false;
  lastSync_ = std::chrono::steady_clock::now();
}

void TJournalWriter::Fail(const std::string& what, int error) {
  if (failed_) return;
  failed_ = true;
  if (onError_) onError_(what + ": " + std::strerror(error) + ".");
}

}  // namespace orvane::runs
