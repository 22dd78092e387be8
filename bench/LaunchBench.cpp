// Measures launch to first reading: the real program started as a process
// (offscreen), as the operator starts it, against orvane-sim at 2400 bit/s,
// timed from outside. Prints each start and the median.
// Usage: launch_bench [starts]   (default 10)

#include <signal.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "PanelProcess.h"
#include "ProcessSample.h"
#include "SimProcess.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using orvane::app::test::TPanelProcess;

// Every port number but COM3 maps to a path that does not exist.
void Configure(const fs::path& folder, const std::string& link) {
  std::ofstream ini(folder / "config.ini");
  ini << "[Ports]\n";
  for (int n = 1; n <= 50; ++n) {
    ini << "COM" << n << "=" << (n == 3 ? link : "/nonexistent/" + std::to_string(n)) << "\n";
  }
  ini << "[Instrument]\nConfiguration=Maravent\n[RV]\nComPort=3\n";
}

// The splash asks "?I" first and shows no reading; the main window's connect
// asks "?I" again, and its reply is the first the read-out shows. The time is
// taken when the simulator reports that reply's last character handed to the
// line (its TX log line arriving here).
double OneStart(const fs::path& dir) {
  fs::create_directories(dir);
  const std::string link = (dir / "link").string();
  SimProcess sim({"--model", "B", "--link", link, "--baud", "2400"});
  TPanelProcess::Install(dir / "panel");
  Configure(dir / "panel", link);
  fs::create_directories(dir / "run");
  chmod((dir / "run").c_str(), 0700);
  const auto launched = Clock::now();
  TPanelProcess panel(dir / "panel",
                      {"QT_QPA_PLATFORM=offscreen", "XDG_RUNTIME_DIR=" + (dir / "run").string()});
  double ms = -1;
  int identifies = 0;
  while (const auto line = sim.WaitForLog("", std::chrono::seconds(20))) {
    if (line->starts_with("RX ") && line->ends_with(" ?I")) ++identifies;
    if (line->starts_with("TX ") && identifies == 2) {
      ms = std::chrono::duration<double, std::milli>(Clock::now() - launched).count();
      break;
    }
  }
  panel.Signal(SIGTERM);
  panel.WaitExit(std::chrono::seconds(10));
  return ms;
}

}  // namespace

int main(int argc, char** argv) {
  const int starts = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;
  char pattern[] = "/tmp/orvane-launch-bench-XXXXXX";
  const fs::path dir = mkdtemp(pattern);
  std::vector<double> ms;
  for (int i = 0; i < starts; ++i) {
    const double one = OneStart(dir / std::to_string(i));
    std::printf("start %d: %.3f s\n", i + 1, one / 1000);
    if (one < 0) {
      std::fprintf(stderr, "launch_bench: no reading within 20 s\n");
      return 1;
    }
    ms.push_back(one);
  }
  fs::remove_all(dir);
  std::printf("median %.3f s over %d starts\n", orvane::bench::Percentile(ms, 0.5) / 1000, starts);
  // Twice "?I" and its reply.
  std::printf("limit %.3f s\n", (3 + 9 + 3 + 9) * 10 / 2400.0);
  std::printf(
      "# - Launch to first reading: from starting the program (offscreen, config.ini naming\n"
      "#   model B on the simulator's port) to the simulator handing the line the last\n"
      "#   character of its reply to the second \"?I\" of the start: the splash asks first\n"
      "#   and shows nothing; the main window's connect asks again, and the read-out shows\n"
      "#   the signal of that reply. Its limit is the line time of both questions and\n"
      "#   answers.\n");
  return 0;
}
