#include "XServer.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <stdexcept>
#include <string_view>
#include <utility>

extern char** environ;

namespace orvane::test {
namespace {

using Clock = std::chrono::steady_clock;

// Starts `command` with `env` in front of this process's environment and the
// given descriptors in place (child's number, ours); in a process group of
// its own when `grouped`, so that whatever it starts can be ended with it.
pid_t Spawn(std::vector<std::string> args, const std::vector<std::string>& env,
            const std::vector<std::pair<int, int>>& fds, bool grouped = false) {
  std::vector<char*> argv;
  for (std::string& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);
  std::vector<std::string> vars = env;
  for (char** var = environ; *var != nullptr; ++var) vars.emplace_back(*var);
  std::vector<char*> envp;
  for (std::string& var : vars) envp.push_back(var.data());
  envp.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  for (const auto& [child, ours] : fds) posix_spawn_file_actions_adddup2(&actions, ours, child);
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  if (grouped) {
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
    posix_spawnattr_setpgroup(&attributes, 0);
  }
  pid_t pid = -1;
  const int failed = posix_spawnp(&pid, argv[0], &actions, &attributes, argv.data(), envp.data());
  posix_spawnattr_destroy(&attributes);
  posix_spawn_file_actions_destroy(&actions);
  if (failed != 0) throw std::runtime_error("cannot start " + args.front());
  return pid;
}

// Everything `fd` gives until its writers close it or `timeout` passes.
std::string ReadAll(int fd, std::chrono::milliseconds timeout, bool lineOnly = false) {
  std::string text;
  const auto deadline = Clock::now() + timeout;
  for (;;) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    pollfd readable{fd, POLLIN, 0};
    if (left.count() <= 0 || poll(&readable, 1, static_cast<int>(left.count())) <= 0) return text;
    char buffer[256];
    const ssize_t got = read(fd, buffer, sizeof buffer);
    if (got <= 0) return text;
    text.append(buffer, static_cast<std::size_t>(got));
    if (lineOnly && text.find('\n') != std::string::npos) return text;
  }
}

// Ends `pid`, with the whole group it leads when it was started `grouped`.
void Stop(pid_t pid, bool grouped = false) {
  if (pid <= 0) return;
  kill(grouped ? -pid : pid, SIGTERM);
  waitpid(pid, nullptr, 0);
}

// Neither joins a session; xfwm4's compositor would only slow Xvfb down.
// xfwm4 will not start without its settings service, which it reaches over
// a session bus: it gets a private one, ended with it, and no accessibility
// bus, which would outlive it.
std::vector<std::string> WindowManagerCommand(const std::string& name) {
  if (name == "openbox") return {"openbox", "--sm-disable"};
  if (name == "xfwm4") {
    return {"dbus-run-session", "--", "xfwm4", "--compositor=off", "--sm-client-disable"};
  }
  throw std::runtime_error("no window manager " + name);
}

}  // namespace

TXServer::TXServer(std::string windowManager) : windowManagerName_(std::move(windowManager)) {
  try {
    StartServer();
    StartWindowManager();
  } catch (...) {
    Stop(windowManager_, true);
    Stop(server_);
    throw;
  }
}

TXServer::~TXServer() {
  Stop(windowManager_, true);
  Stop(server_);
}

// Xvfb picks a free display itself and writes its number once it accepts
// clients, so two test runs never meet.
void TXServer::StartServer() {
  int ends[2];
  if (pipe2(ends, O_CLOEXEC) != 0) throw std::runtime_error("pipe");
  server_ = Spawn({"Xvfb", "-displayfd", "3", "-screen", "0", "1280x1024x24", "-nolisten", "tcp"},
                  {}, {{3, ends[1]}});
  close(ends[1]);
  const std::string number = ReadAll(ends[0], std::chrono::seconds(10), true);
  close(ends[0]);
  if (number.empty()) throw std::runtime_error("Xvfb did not start");
  // Put together by appending: g++ 12 at -O3 takes ":" + text, or ":"
  // assigned, for an overlapping copy and stops the Release build (-Wrestrict).
  display_.assign(1, ':');
  display_.append(number, 0, number.find('\n'));
}

// A window manager announces itself on the root window once it manages
// windows; xprop -spy prints the property now and at each change, so nothing
// polls.
void TXServer::StartWindowManager() {
  windowManager_ = Spawn(WindowManagerCommand(windowManagerName_),
                         {"DISPLAY=" + display_, "NO_AT_BRIDGE=1"}, {}, true);
  int ends[2];
  if (pipe2(ends, O_CLOEXEC) != 0) throw std::runtime_error("pipe");
  // Spying on one property would miss it: its atom does not exist until the
  // window manager makes it. The root's every property is printed instead.
  const pid_t spy = Spawn({"xprop", "-root", "-spy"}, {"DISPLAY=" + display_},
                          {{STDOUT_FILENO, ends[1]}});
  close(ends[1]);
  std::string seen;
  const auto deadline = Clock::now() + std::chrono::seconds(10);
  constexpr std::string_view kReady = "_NET_SUPPORTING_WM_CHECK(WINDOW): window id";
  while (seen.find(kReady) == std::string::npos && Clock::now() < deadline) {
    const std::string more = ReadAll(ends[0], std::chrono::seconds(10), true);
    if (more.empty()) break;
    seen += more;
  }
  close(ends[0]);
  Stop(spy);
  if (seen.find(kReady) == std::string::npos) {
    throw std::runtime_error(windowManagerName_ + " did not start");
  }
}

std::string TXServer::Run(const std::vector<std::string>& command) const {
  int ends[2];
  if (pipe2(ends, O_CLOEXEC) != 0) throw std::runtime_error("pipe");
  const pid_t pid = Spawn(command, {"DISPLAY=" + display_}, {{STDOUT_FILENO, ends[1]}});
  close(ends[1]);
  std::string out = ReadAll(ends[0], std::chrono::seconds(15));
  close(ends[0]);
  waitpid(pid, nullptr, 0);
  return out;
}

}  // namespace orvane::test
