#pragma once

#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace orvane::app::test {

// The panel as the operator runs it: the program copied into a folder of its
// own (its own installation, config.ini beside it) and started there, with
// its own runtime folder so that it meets only the copies a test starts.
class TPanelProcess {
 public:
  // `environment` is added to this process's own ("NAME=value"); a
  // `launcher` runs first and is given the program's path as its last
  // argument.
  TPanelProcess(const std::filesystem::path& folder, const std::vector<std::string>& environment,
                std::vector<std::string> launcher = {});
  ~TPanelProcess();
  TPanelProcess(const TPanelProcess&) = delete;
  TPanelProcess& operator=(const TPanelProcess&) = delete;

  // Copies the program into `folder`, which becomes an installation.
  static void Install(const std::filesystem::path& folder);

  pid_t Pid() const { return pid_; }
  void Signal(int number) const;
  // The exit status once the process has ended within `timeout`.
  std::optional<int> WaitExit(std::chrono::milliseconds timeout);

 private:
  pid_t pid_ = -1;
};

}  // namespace orvane::app::test
