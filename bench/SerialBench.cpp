// Measures what the operator feels of the serial link:
//  (a) the latency from a byte written at the pty's other end to the start
//      of the data-available handler on the UI thread (median and 99th
//      percentile over 1000 single writes);
//  (b) with the port open and idle for 10 s, the CPU the process uses and
//      the wake-ups (voluntary context switches) of each of its threads.
// Usage: serial_bench [idle seconds]

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "ProcessSample.h"
#include "PtyPair.h"
#include "serial/DispatcherOwner.h"
#include "serial/NotifyReceiver.h"
#include "serial/Win32Dispatcher.h"

namespace {

using namespace orvane::serial;
using namespace orvane::bench;
using Clock = std::chrono::steady_clock;

class TLatencyOwner : public TApdDispatcherOwner {
 public:
  Clock::time_point HandlerStart;
  QEventLoop* Loop = nullptr;

  void TriggerAvail(TApdBaseDispatcher& d, std::uint16_t count) override {
    HandlerStart = Clock::now();
    std::uint8_t byte = 0;
    for (int i = 0; i < count; ++i) d.GetChar(byte);
    if (Loop != nullptr) Loop->quit();
  }
  void TriggerTimer(TApdBaseDispatcher&, std::uint16_t) override {}
  void HandlerFailed(std::exception_ptr) noexcept override {}
};

void MeasureLatency(test::TPtyPair& pty, TLatencyOwner& owner) {
  constexpr int kWrites = 1000;
  std::vector<double> ms;
  for (int i = 0; i < kWrites; ++i) {
    QEventLoop loop;
    owner.Loop = &loop;
    QTimer limit;  // destroyed with the loop, so no timer outlives the write
    limit.setSingleShot(true);
    QObject::connect(&limit, &QTimer::timeout, &loop, &QEventLoop::quit);
    limit.start(1000);
    const auto written = Clock::now();
    pty.Write("x");
    loop.exec();
    owner.Loop = nullptr;
    ms.push_back(std::chrono::duration<double, std::milli>(owner.HandlerStart - written).count());
  }
  std::printf("latency over %d single writes: median %.3f ms, p99 %.3f ms, max %.3f ms\n", kWrites,
              Percentile(ms, 0.5), Percentile(ms, 0.99), Percentile(ms, 1.0));
}

void MeasureIdle(int seconds) {
  const auto before = SampleThreads();
  const double cpuBefore = CpuSeconds();
  QEventLoop loop;
  QTimer::singleShot(seconds * 1000, Qt::PreciseTimer, &loop, &QEventLoop::quit);
  loop.exec();
  const double cpu = CpuSeconds() - cpuBefore;
  std::printf("idle %d s: CPU %.3f s = %.3f %% of one core\n", seconds, cpu, 100.0 * cpu / seconds);
  PrintWakeUps(before, SampleThreads(), seconds);
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const int idleSeconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;
  test::TPtyPair pty;
  TLatencyOwner owner;
  TApdNotifyReceiver receiver;
  TApdWin32Dispatcher port(&owner);
  if (port.InitPort(pty.SlavePath(), TLineSettings{}, 4096, 4096, lfRaiseDTR) != ecOK) {
    std::fprintf(stderr, "open failed: %s\n", port.LastOpenError().Text.c_str());
    return 1;
  }
  port.UpdateHandlerFlags(1);
  port.RegisterWndTriggerHandler(&receiver);
  port.ChangeLengthTrigger(1);
  MeasureLatency(pty, owner);
  MeasureIdle(idleSeconds);
  port.DonePort();
  return 0;
}
