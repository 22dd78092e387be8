#include "PanelProcess.h"

#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <stdexcept>
#include <string_view>

extern char** environ;

namespace orvane::app::test {

void TPanelProcess::Install(const std::filesystem::path& folder) {
  std::filesystem::create_directories(folder);
  std::filesystem::copy_file(ORVANE_PANEL_PATH, folder / "orvane",
                             std::filesystem::copy_options::overwrite_existing);
}

TPanelProcess::TPanelProcess(const std::filesystem::path& folder,
                             const std::vector<std::string>& environment,
                             std::vector<std::string> launcher) {
  // The given variables replace the inherited ones of the same name rather
  // than stand ahead of them: a shell in the launcher keeps the last of two.
  std::vector<std::string> vars = environment;
  const auto overridden = [&](std::string_view var) {
    const std::string_view name = var.substr(0, var.find('=') + 1);
    return std::any_of(environment.begin(), environment.end(),
                       [&](const std::string& given) { return given.starts_with(name); });
  };
  for (char** var = environ; *var != nullptr; ++var) {
    if (!overridden(*var)) vars.emplace_back(*var);
  }
  std::vector<char*> envp;
  for (std::string& var : vars) envp.push_back(var.data());
  envp.push_back(nullptr);
  launcher.push_back((folder / "orvane").string());
  std::vector<char*> argv;
  for (std::string& arg : launcher) argv.push_back(arg.data());
  argv.push_back(nullptr);
  if (posix_spawnp(&pid_, argv[0], nullptr, nullptr, argv.data(), envp.data()) != 0) {
    throw std::runtime_error(std::string("cannot start ") + argv[0]);
  }
}

TPanelProcess::~TPanelProcess() {
  if (pid_ <= 0) return;
  kill(pid_, SIGKILL);
  waitpid(pid_, nullptr, 0);
}

void TPanelProcess::Signal(int number) const { kill(pid_, number); }

std::optional<int> TPanelProcess::WaitExit(std::chrono::milliseconds timeout) {
  if (pid_ <= 0) return std::nullopt;
  const int pidFd = static_cast<int>(syscall(SYS_pidfd_open, pid_, 0));
  pollfd ended{pidFd, POLLIN, 0};
  const bool done = pidFd >= 0 && poll(&ended, 1, static_cast<int>(timeout.count())) > 0;
  close(pidFd);
  int status = 0;
  if (!done || waitpid(pid_, &status, 0) != pid_) return std::nullopt;
  pid_ = -1;
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

}  // namespace orvane::app::test
