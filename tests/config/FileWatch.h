#pragma once

#include <poll.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>

namespace orvane::config::test {

// Counts the replacements of one file (a file renamed over it) from inotify
// on its folder: each is one write of a file whose folder is writable.
class TFileWatch {
 public:
  explicit TFileWatch(const std::filesystem::path& file)
      : fd_(::inotify_init1(IN_NONBLOCK | IN_CLOEXEC)), name_(file.filename()) {
    ::inotify_add_watch(fd_, file.parent_path().c_str(), IN_MOVED_TO);
  }
  ~TFileWatch() { ::close(fd_); }
  TFileWatch(const TFileWatch&) = delete;
  TFileWatch& operator=(const TFileWatch&) = delete;

  // The writes seen so far; does not wait.
  int Writes() {
    alignas(inotify_event) char buffer[4096];
    for (ssize_t got; (got = ::read(fd_, buffer, sizeof buffer)) > 0;) {
      for (ssize_t at = 0; at < got;) {
        const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
        if (event->len > 0 && name_ == event->name) ++writes_;
        at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
      }
    }
    return writes_;
  }
  // Blocks until a write after which `done` holds; false at the deadline.
  bool WaitFor(const std::function<bool()>& done, std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
      Writes();
      if (done()) return true;
      const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
          deadline - std::chrono::steady_clock::now());
      pollfd watch{fd_, POLLIN, 0};
      if (left.count() <= 0 || ::poll(&watch, 1, static_cast<int>(left.count())) <= 0) {
        return false;
      }
    }
  }

 private:
  int fd_;
  std::string name_;
  int writes_ = 0;
};

}  // namespace orvane::config::test
