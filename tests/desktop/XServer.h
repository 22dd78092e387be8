#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace orvane::test {

// A private X display (Xvfb on a free display number) with a window manager
// (openbox unless another is named; "xfwm4" is the other one known) managing
// its windows, for tests that need a real window manager. CI has no display
// of its own, and a test must never take a developer's.
class TXServer {
 public:
  explicit TXServer(std::string windowManager = "openbox");
  ~TXServer();
  TXServer(const TXServer&) = delete;
  TXServer& operator=(const TXServer&) = delete;

  // ":N", ready for clients, with the window manager running.
  const std::string& Display() const { return display_; }
  // Runs a command on this display and returns what it printed.
  std::string Run(const std::vector<std::string>& command) const;

 private:
  void StartServer();
  void StartWindowManager();

  std::string windowManagerName_;
  std::string display_;
  pid_t server_ = -1;
  pid_t windowManager_ = -1;
};

}  // namespace orvane::test
