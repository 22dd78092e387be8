// Measures our serial layer against a baseline built on Qt's serial port
// module, both on the same pty in the same run, taking turns:
//  - read: from a byte written at the pty's far end to the data handler
//    holding it, back to back (each byte once the last was handled) and with
//    the bytes 4.17 ms apart, as a 2400 bit/s line delivers them;
//  - write: from the port's write call to the byte read at the far end;
//  - the CPU and wake-ups of the process with the port open and idle, and
//    while it polls orvane-sim at 2400 bit/s every 600 ms.
// A byte handled later than 1 s is a timeout; a byte never handled is lost;
// a byte doubled or out of order is wrong. Any of them fails the run.
// Usage: serial_bench [--count N] [--spacing MS] [--idle S] [--poll S]
//   --spacing 0 is back to back; without it both spacings are measured.

#include <QCoreApplication>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "ProcessSample.h"
#include "PtyPair.h"
#include "SerialMeasures.h"
#include "SimProcess.h"

namespace {

using namespace orvane::bench;
using std::chrono::microseconds;

constexpr int kRounds = 4;  // the two ports take turns, so drift hits both alike

struct TOptions {
  int Count = 1000;
  std::vector<microseconds> Spacings{microseconds(0), kCharacterTime2400};
  int IdleSeconds = 10;
  int PollSeconds = 20;
};

TOptions ParseOptions(int argc, char** argv) {
  TOptions options;
  for (int i = 1; i + 1 < argc; i += 2) {
    const double value = std::atof(argv[i + 1]);
    if (std::strcmp(argv[i], "--count") == 0) options.Count = std::max(kRounds, int(value));
    if (std::strcmp(argv[i], "--spacing") == 0) options.Spacings = {microseconds(long(value * 1000))};
    if (std::strcmp(argv[i], "--idle") == 0) options.IdleSeconds = std::max(1, int(value));
    if (std::strcmp(argv[i], "--poll") == 0) options.PollSeconds = std::max(1, int(value));
  }
  return options;
}

std::string SpacingName(microseconds spacing) {
  if (spacing.count() == 0) return "back-to-back";
  char name[32];
  std::snprintf(name, sizeof name, "%.2fms-apart", static_cast<double>(spacing.count()) / 1000.0);
  return name;
}

void Print(const char* path, microseconds spacing, const TBenchPort& port, const TLatency& l) {
  const bool any = !l.Ms.empty();
  std::printf("%-5s %-14s %-4s median %.3f p99 %.3f max %.3f ms, %zu samples, %d timeouts, "
              "%d lost, %d wrong\n",
              path, SpacingName(spacing).c_str(), port.Name(), any ? Percentile(l.Ms, 0.5) : 0,
              any ? Percentile(l.Ms, 0.99) : 0, any ? Percentile(l.Ms, 1.0) : 0, l.Ms.size(),
              l.Timeouts, l.Lost, l.Wrong);
}

// Both paths at one spacing, the ports taking turns on one pty.
bool MeasureLatencies(std::vector<TBenchPort*> ports, microseconds spacing, int count) {
  orvane::serial::test::TPtyPair pty;
  std::vector<TLatency> reads(ports.size());
  std::vector<TLatency> writes(ports.size());
  for (int round = 0; round < kRounds; ++round) {
    for (std::size_t p = 0; p < ports.size(); ++p) {
      if (!ports[p]->Open(pty.SlavePath())) return false;
      reads[p].Add(MeasureRead(*ports[p], pty, count / kRounds, spacing));
      writes[p].Add(MeasureWrite(*ports[p], pty, count / kRounds, spacing));
      ports[p]->Close();
    }
  }
  bool honest = true;
  for (std::size_t p = 0; p < ports.size(); ++p) {
    Print("read", spacing, *ports[p], reads[p]);
    Print("write", spacing, *ports[p], writes[p]);
    honest = honest && reads[p].Honest() && writes[p].Honest();
  }
  return honest;
}

void MeasureCosts(std::vector<TBenchPort*> ports, const TOptions& options) {
  orvane::serial::test::TPtyPair pty;
  for (TBenchPort* port : ports) {
    const TCost idle = MeasureIdle(*port, pty.SlavePath(), options.IdleSeconds);
    std::printf("idle    %-4s CPU %.3f %% of one core, %.2f wake-ups/s over %d s\n", port->Name(),
                idle.CpuPercent, idle.WakeUpsPerSecond, options.IdleSeconds);
  }
  char pattern[] = "/tmp/orvane-serial-bench-sim-XXXXXX";
  const std::string link = std::string(mkdtemp(pattern)) + "/link";
  SimProcess sim({"--model", "B", "--link", link, "--baud", "2400"});
  for (TBenchPort* port : ports) {
    const TCost polling = MeasurePolling(*port, sim, link, options.PollSeconds);
    std::printf("polling %-4s CPU %.3f %% of one core, %.2f wake-ups/s over %d s, %d replies\n",
                port->Name(), polling.CpuPercent, polling.WakeUpsPerSecond, options.PollSeconds,
                polling.Replies);
  }
  std::filesystem::remove_all(std::filesystem::path(link).parent_path());
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const TOptions options = ParseOptions(argc, argv);
  const auto ours = MakeOurPort();
  const auto qt = MakeQtPort();
  const std::vector<TBenchPort*> ports{ours.get(), qt.get()};
  bool honest = true;
  for (const microseconds spacing : options.Spacings) {
    honest = MeasureLatencies(ports, spacing, options.Count) && honest;
  }
  MeasureCosts(ports, options);
  if (!honest) std::fprintf(stderr, "serial_bench: timeouts, lost or wrong bytes (see above)\n");
  return honest ? 0 : 1;
}
