#pragma once

#include <sys/types.h>

#include <chrono>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// orvane-sim as a child process: its control input, its log, its exit.
class SimProcess {
 public:
  explicit SimProcess(std::vector<std::string> args);
  ~SimProcess();
  SimProcess(const SimProcess&) = delete;
  SimProcess& operator=(const SimProcess&) = delete;

  // The first line of the log: where the panel would open the line.
  const std::string& SlavePath() const { return slavePath_; }

  // Sends a control line and waits until the log shows it carried out.
  bool Control(std::string_view line);
  void WriteControlRaw(std::string_view bytes);
  void CloseControl();

  // Waits for the next log line starting with `prefix`, skipping others.
  std::optional<std::string> WaitForLog(
      std::string_view prefix, std::chrono::milliseconds timeout = std::chrono::seconds(2));
  const std::vector<std::string>& LogSoFar() const { return log_; }
  // Takes in whatever log lines have arrived, without waiting.
  void Drain();
  // The commands the instrument received so far, in order.
  std::vector<std::string> Received();

  void Signal(int signalNumber) const;
  // The exit status once the process has ended within `timeout`.
  std::optional<int> WaitExit(std::chrono::milliseconds timeout = std::chrono::seconds(2));

 private:
  bool ReadLogLine(std::chrono::steady_clock::time_point deadline);

  pid_t pid_ = -1;
  int control_ = -1;
  int logPipe_ = -1;
  std::string pending_;
  std::vector<std::string> log_;
  std::size_t consumed_ = 0;
  std::string slavePath_;
};
