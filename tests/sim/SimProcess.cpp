#include "SimProcess.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <stdexcept>

extern char** environ;

namespace {

using std::chrono::steady_clock;

int MillisecondsLeft(steady_clock::time_point deadline) {
  auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - steady_clock::now());
  return static_cast<int>(std::max<long>(left.count(), 0));
}

}  // namespace

SimProcess::SimProcess(std::vector<std::string> args) {
  int toChild[2];
  int fromChild[2];
  if (pipe2(toChild, O_CLOEXEC) != 0 || pipe2(fromChild, O_CLOEXEC) != 0) {
    throw std::runtime_error("pipe");
  }
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, toChild[0], STDIN_FILENO);
  posix_spawn_file_actions_adddup2(&actions, fromChild[1], STDOUT_FILENO);
  args.insert(args.begin(), ORVANE_SIM_PATH);
  std::vector<char*> argv;
  for (std::string& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);
  int failed = posix_spawn(&pid_, ORVANE_SIM_PATH, &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(toChild[0]);
  close(fromChild[1]);
  control_ = toChild[1];
  logPipe_ = fromChild[0];
  if (failed != 0) throw std::runtime_error("posix_spawn");
  if (ReadLogLine(steady_clock::now() + std::chrono::seconds(5))) {
    slavePath_ = log_.front();
    consumed_ = 1;
  }
}

SimProcess::~SimProcess() {
  if (pid_ > 0 && !WaitExit(std::chrono::milliseconds(0))) {
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
  }
  CloseControl();
  close(logPipe_);
}

bool SimProcess::Control(std::string_view line) {
  WriteControlRaw(std::string(line) + "\n");
  std::string logged;  // the log doubles backslashes
  for (char c : line) logged += c == '\\' ? std::string(2, c) : std::string(1, c);
  for (;;) {
    std::optional<std::string> echo = WaitForLog("CTL ");
    if (!echo || echo->ends_with(logged)) return echo.has_value();
  }
}

void SimProcess::WriteControlRaw(std::string_view bytes) {
  while (!bytes.empty()) {
    ssize_t written = write(control_, bytes.data(), bytes.size());
    if (written <= 0) return;
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
}

void SimProcess::CloseControl() {
  if (control_ >= 0) close(control_);
  control_ = -1;
}

std::optional<std::string> SimProcess::WaitForLog(std::string_view prefix,
                                                  std::chrono::milliseconds timeout) {
  auto deadline = steady_clock::now() + timeout;
  for (;;) {
    while (consumed_ < log_.size()) {
      const std::string& line = log_[consumed_++];
      if (line.starts_with(prefix)) return line;
    }
    if (!ReadLogLine(deadline)) return std::nullopt;
  }
}

bool SimProcess::ReadLogLine(steady_clock::time_point deadline) {
  for (;;) {
    if (std::size_t end = pending_.find('\n'); end != std::string::npos) {
      log_.push_back(pending_.substr(0, end));
      pending_.erase(0, end + 1);
      return true;
    }
    pollfd fd{logPipe_, POLLIN, 0};
    if (poll(&fd, 1, MillisecondsLeft(deadline)) <= 0) return false;
    char buffer[4096];
    ssize_t got = read(logPipe_, buffer, sizeof buffer);
    if (got <= 0) return false;
    pending_.append(buffer, static_cast<std::size_t>(got));
  }
}

void SimProcess::Drain() {
  while (ReadLogLine(steady_clock::now())) {
  }
}

// Log lines read "RX <ms> <command>".
std::vector<std::string> SimProcess::Received() {
  Drain();
  std::vector<std::string> commands;
  for (const std::string& line : log_) {
    if (!line.starts_with("RX ")) continue;
    const std::size_t text = line.find(' ', 3);
    if (text != std::string::npos) commands.push_back(line.substr(text + 1));
  }
  return commands;
}

void SimProcess::Signal(int signalNumber) const { kill(pid_, signalNumber); }

std::optional<int> SimProcess::WaitExit(std::chrono::milliseconds timeout) {
  if (pid_ < 0) return std::nullopt;
  int pidFd = static_cast<int>(syscall(SYS_pidfd_open, pid_, 0));
  pollfd fd{pidFd, POLLIN, 0};
  bool ended = pidFd >= 0 && poll(&fd, 1, static_cast<int>(timeout.count())) > 0;
  close(pidFd);
  int status = 0;
  if (!ended || waitpid(pid_, &status, 0) != pid_) return std::nullopt;
  pid_ = -1;
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}
