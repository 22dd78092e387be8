#include "SerialMeasures.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <QEventLoop>
#include <QObject>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <cerrno>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "ProcessSample.h"
#include "PtyPair.h"
#include "SimProcess.h"

namespace orvane::bench {
namespace {

using std::chrono::microseconds;
using std::chrono::milliseconds;

// Byte k of a run; a doubled, lost or swapped byte breaks the sequence.
char Pattern(int k) { return static_cast<char>('0' + k % 64); }

double MsBetween(Clock::time_point from, Clock::time_point to) {
  return std::chrono::duration<double, std::milli>(to - from).count();
}

// Sorts each byte into a sample, a timeout or a loss.
TLatency Judge(const std::vector<Clock::time_point>& sent,
               const std::vector<Clock::time_point>& handled, int received, int wrong) {
  TLatency result;
  result.Wrong = wrong;
  for (int k = 0; k < static_cast<int>(sent.size()); ++k) {
    if (k >= received) {
      ++result.Lost;
    } else if (handled[k] - sent[k] > kDeliveryLimit) {
      ++result.Timeouts;
    } else {
      result.Ms.push_back(MsBetween(sent[k], handled[k]));
    }
  }
  return result;
}

// Runs the UI thread's event loop until `done` holds or `until` passes.
// Whoever changes what `done` looks at calls Wake() on the UI thread.
class TWait {
 public:
  bool Until(const std::function<bool()>& done, Clock::time_point until) {
    while (!done() && Clock::now() < until) {
      QEventLoop loop;
      loop_ = &loop;
      const auto left = std::chrono::ceil<milliseconds>(until - Clock::now());
      // A timer of this scope dies with it: a single-shot left armed after an
      // early wake would still fire later and be counted as the port's.
      QTimer deadline;
      deadline.setSingleShot(true);
      deadline.setTimerType(Qt::PreciseTimer);
      QObject::connect(&deadline, &QTimer::timeout, &loop, &QEventLoop::quit);
      deadline.start(std::max<milliseconds>(left, milliseconds(0)));
      loop.exec();
      loop_ = nullptr;
    }
    return done();
  }
  void Wake() {
    if (loop_ != nullptr) loop_->quit();
  }
  // From any thread; a wake still queued when the wait ends is dropped with it.
  void WakeLater() {
    QMetaObject::invokeMethod(&context_, [this] { Wake(); }, Qt::QueuedConnection);
  }

 private:
  QObject context_;
  QEventLoop* loop_ = nullptr;
};

}  // namespace

void TLatency::Add(const TLatency& other) {
  Ms.insert(Ms.end(), other.Ms.begin(), other.Ms.end());
  Timeouts += other.Timeouts;
  Lost += other.Lost;
  Wrong += other.Wrong;
}

TLatency MeasureRead(TBenchPort& port, serial::test::TPtyPair& pty, int count,
                     microseconds spacing) {
  std::vector<Clock::time_point> sent(count);
  std::vector<Clock::time_point> handled(count);
  std::mutex lock;
  std::condition_variable progress;
  int received = 0;
  int wrong = 0;
  TWait wait;
  port.OnData = [&](Clock::time_point, std::string_view bytes) {
    const auto held = Clock::now();
    std::lock_guard guard(lock);
    for (char byte : bytes) {
      if (received >= count || byte != Pattern(received)) {
        ++wrong;
        continue;
      }
      handled[received++] = held;
    }
    progress.notify_all();
    wait.Wake();
  };
  std::thread writer([&] {
    const auto begin = Clock::now();
    for (int k = 0; k < count; ++k) {
      if (spacing.count() == 0) {
        std::unique_lock guard(lock);
        progress.wait_for(guard, kDeliveryLimit, [&] { return received >= k; });
      } else {
        std::this_thread::sleep_until(begin + k * spacing);
      }
      sent[k] = Clock::now();
      pty.Write(std::string(1, Pattern(k)));
    }
    wait.WakeLater();
  });
  const auto until = Clock::now() + count * (spacing + kDeliveryLimit) + std::chrono::seconds(3);
  wait.Until(
      [&] {
        std::lock_guard guard(lock);
        return received == count;
      },
      until);
  writer.join();
  port.OnData = nullptr;
  return Judge(sent, handled, received, wrong);
}

TLatency MeasureWrite(TBenchPort& port, serial::test::TPtyPair& pty, int count,
                      microseconds spacing) {
  std::vector<Clock::time_point> sent(count);
  std::vector<Clock::time_point> arrived(count);
  std::atomic<int> received{0};
  std::atomic<int> wrong{0};
  const int stop = eventfd(0, EFD_CLOEXEC);
  TWait wait;
  std::thread farEnd([&] {
    pollfd fds[] = {{pty.MasterFd(), POLLIN, 0}, {stop, POLLIN, 0}};
    while (received < count) {
      if (poll(fds, 2, -1) < 0 && errno == EINTR) continue;
      if (fds[1].revents != 0) break;
      char bytes[256];
      const ssize_t got = read(pty.MasterFd(), bytes, sizeof bytes);
      if (got <= 0) break;  // the port went away: what is missing counts as lost
      const auto at = Clock::now();
      for (ssize_t i = 0; i < got; ++i) {
        if (received >= count || bytes[i] != Pattern(received)) {
          ++wrong;
        } else {
          arrived[received++] = at;
        }
      }
      wait.WakeLater();
    }
  });
  const auto begin = Clock::now();
  for (int k = 0; k < count; ++k) {
    if (spacing.count() == 0) {
      wait.Until([&] { return received >= k; }, Clock::now() + kDeliveryLimit);
    } else {
      wait.Until([] { return false; }, begin + k * spacing);
    }
    sent[k] = Clock::now();
    port.Write(std::string(1, Pattern(k)));
  }
  wait.Until([&] { return received == count; }, Clock::now() + std::chrono::seconds(3));
  eventfd_write(stop, 1);
  farEnd.join();
  close(stop);
  return Judge(sent, arrived, received, wrong);
}

namespace {

// CPU and wake-ups of the whole process while the event loop runs `seconds`.
TCost CostOf(int seconds) {
  const auto before = SampleThreads();
  const double cpuBefore = CpuSeconds();
  QEventLoop loop;
  QTimer::singleShot(seconds * 1000, Qt::PreciseTimer, &loop, &QEventLoop::quit);
  loop.exec();
  TCost cost;
  cost.CpuPercent = 100.0 * (CpuSeconds() - cpuBefore) / seconds;
  cost.WakeUpsPerSecond = static_cast<double>(WakeUps(before, SampleThreads())) / seconds;
  return cost;
}

}  // namespace

TCost MeasureIdle(TBenchPort& port, const std::string& device, int seconds) {
  if (!port.Open(device)) return {};
  // The threads an open starts take their first waits just after it; idle is
  // what follows, for either port.
  TWait().Until([] { return false; }, Clock::now() + std::chrono::seconds(1));
  const TCost cost = CostOf(seconds);
  port.Close();
  return cost;
}

TCost MeasurePolling(TBenchPort& port, SimProcess& sim, const std::string& device, int seconds) {
  if (!port.Open(device)) return {};
  int replies = 0;
  port.OnData = [&](Clock::time_point, std::string_view bytes) {
    replies += static_cast<int>(std::count(bytes.begin(), bytes.end(), '\r'));
  };
  QTimer poll;
  poll.setTimerType(Qt::PreciseTimer);
  QObject::connect(&poll, &QTimer::timeout, [&] { port.Write("?A\r"); });
  poll.start(600);
  TCost cost = CostOf(seconds);
  poll.stop();
  port.Close();
  port.OnData = nullptr;
  cost.Replies = replies;
  sim.Drain();
  return cost;
}

}  // namespace orvane::bench
