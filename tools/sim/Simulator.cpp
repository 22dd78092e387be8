#include "Simulator.h"

#include <poll.h>
#include <signal.h>
#include <sys/signalfd.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <system_error>

namespace orvane::sim {
namespace {

constexpr std::size_t kMaxControlLine = 4096;
constexpr std::size_t kReadChunk = 4096;

int OpenSignalFd() {
  sigset_t signals;
  sigemptyset(&signals);
  sigaddset(&signals, SIGINT);
  sigaddset(&signals, SIGTERM);
  sigprocmask(SIG_BLOCK, &signals, nullptr);
  signal(SIGPIPE, SIG_IGN);
  int fd = signalfd(-1, &signals, SFD_CLOEXEC);
  if (fd < 0) throw std::system_error(errno, std::generic_category(), "signalfd");
  return fd;
}

timespec Until(TimePoint deadline, TimePoint now) {
  auto left = std::chrono::duration_cast<std::chrono::nanoseconds>(
      std::max(deadline - now, Duration::zero()));
  auto seconds = std::chrono::duration_cast<std::chrono::seconds>(left);
  return {static_cast<time_t>(seconds.count()), static_cast<long>((left - seconds).count())};
}

}  // namespace

Simulator::Simulator(const Options& options)
    : start_(Clock::now()),
      log_(start_),
      device_(options, log_, start_),
      console_(device_, log_),
      controlLines_('\n', '\r', kMaxControlLine),
      signalFd_(OpenSignalFd()) {
  EventLog::WriteBare(device_.Path());
}

Simulator::~Simulator() { close(signalFd_); }

void Simulator::Run() {
  for (;;) {
    pollfd fds[] = {{signalFd_, POLLIN, 0},
                    {controlOpen_ ? STDIN_FILENO : -1, POLLIN, 0},
                    {device_.Fd(), POLLIN, 0}};
    std::optional<TimePoint> deadline = device_.NextDeadline();
    timespec timeout = deadline ? Until(*deadline, Clock::now()) : timespec{};
    if (ppoll(fds, std::size(fds), deadline ? &timeout : nullptr, nullptr) < 0 && errno != EINTR) {
      throw std::system_error(errno, std::generic_category(), "ppoll");
    }
    TimePoint now = Clock::now();
    if (fds[0].revents) return;
    if (fds[2].revents) device_.OnPollEvents(fds[2].revents, now);
    if (fds[1].revents && !OnControlInput(now)) return;
    device_.SendDue(Clock::now());
  }
}

// End of the control input leaves the simulator running: it is often started
// with nothing on its standard input.
bool Simulator::OnControlInput(TimePoint now) {
  std::string bytes(kReadChunk, '\0');
  ssize_t got = read(STDIN_FILENO, bytes.data(), bytes.size());
  if (got <= 0) {
    controlOpen_ = got < 0 && (errno == EINTR || errno == EAGAIN);
    return true;
  }
  bytes.resize(static_cast<std::size_t>(got));
  for (const ReceivedLine& line : controlLines_.Feed(bytes)) {
    if (!console_.Execute(line.text, now)) return false;
  }
  return true;
}

}  // namespace orvane::sim
