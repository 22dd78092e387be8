// Measures what the operator feels of the main window:
//  (a) the latency from the last byte of a reply leaving the instrument's end
//      of the line to the signal read-out painting it (median and 99th
//      percentile over 500 replies, the line not paced);
//  (b) connected to orvane-sim at 2400 bit/s and polling for a while, the CPU
//      the panel uses, its wake-ups per second and its resident memory.
// Usage: panel_bench [polling seconds]   (default 60)

#include <QApplication>
#include <QEventLoop>
#include <QLabel>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "ProcessSample.h"
#include "PtyPair.h"
#include "SimProcess.h"
#include "instrument/Protocol.h"
#include "instrument/Units.h"
#include "panel/PY_ORVANEFrm.h"
#include "panel/ScreenNumber.h"
#include "serial/PortNames.h"
#include "widgets/FontSubstitutes.h"
#include "widgets/TErrorGuard.h"
#include "widgets/TMessageDlg.h"
#include "widgets/TVrPowerButton.h"

namespace {

using namespace orvane;
using Clock = std::chrono::steady_clock;

// Notes when the read-out paints the text it waits for.
class TPaintWatch : public QObject {
 public:
  QString Awaited;
  Clock::time_point Painted;
  QEventLoop* Loop = nullptr;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint && Loop != nullptr &&
        static_cast<QLabel*>(watched)->text() == Awaited) {
      Painted = Clock::now();
      Loop->quit();
    }
    return false;
  }
};

void RunFor(int ms) {
  QEventLoop loop;
  QTimer::singleShot(ms, Qt::PreciseTimer, &loop, &QEventLoop::quit);
  loop.exec();
}

bool WaitConnected(panel::TPY_ORVANEFrm& window, int ms) {
  for (int waited = 0; waited < ms; waited += 50) {
    if (!window.Link().SearchDialog && window.Controls().VrPowerButton->Caption() == "OFF") {
      return true;
    }
    RunFor(50);
  }
  return false;
}

void MapPort(const std::filesystem::path& dir, const std::string& device) {
  std::ofstream(dir / "config.ini") << "[Ports]\nCOM3=" << device << "\n";
  serial::SetPortMapFile(dir / "config.ini");
}

// Polling stops so that every reply answers the command the panel holds;
// each reply carries its own signal so the paint of it can be told apart.
void MeasureLatency(const std::filesystem::path& dir) {
  serial::test::TPtyPair pty;
  MapPort(dir, pty.SlavePath());
  panel::TPY_ORVANEFrm window(dir / "config.ini");
  window.Port().SetComNumber(3);
  window.Link().DataReceived = true;
  window.Link().InstrumentModel = instrument::kModelB;
  window.Link().CurrentCommand = "?A";
  window.Link().ReplyMatched = true;
  window.show();
  window.Timers().StartupTimer.SetEnabled(false);
  window.Timers().CheckTimer.SetEnabled(false);
  window.Port().SetOpen(true);
  TPaintWatch watch;
  window.Controls().Signal->installEventFilter(&watch);
  constexpr int kReplies = 500;
  std::vector<double> ms;
  for (int i = 0; i < kReplies; ++i) {
    const auto count = static_cast<std::uint16_t>(1000 + i);
    watch.Awaited = panel::ScreenNumber(units::FormatSignal(units::SignalCountToValue(count)));
    QEventLoop loop;
    watch.Loop = &loop;
    QTimer limit;
    limit.setSingleShot(true);
    QObject::connect(&limit, &QTimer::timeout, &loop, &QEventLoop::quit);
    limit.start(1000);
    pty.Write(protocol::EncodeReplyFrame({count, 'A', 0x14}));
    const auto written = Clock::now();
    loop.exec();
    watch.Loop = nullptr;
    if (limit.isActive()) {
      ms.push_back(std::chrono::duration<double, std::milli>(watch.Painted - written).count());
    }
    RunFor(2);
  }
  std::printf(
      "reply to read-out over %zu of %d replies: median %.3f ms, p99 %.3f ms, max %.3f ms\n",
      ms.size(), kReplies, bench::Percentile(ms, 0.5), bench::Percentile(ms, 0.99),
      bench::Percentile(ms, 1.0));
}

void MeasurePolling(const std::filesystem::path& dir, int seconds) {
  SimProcess sim({"--model", "B", "--link", (dir / "link").string(), "--baud", "2400"});
  MapPort(dir, (dir / "link").string());
  panel::TPY_ORVANEFrm window(dir / "config.ini");
  window.Port().SetComNumber(3);
  window.show();
  if (!WaitConnected(window, 10000)) {
    std::fprintf(stderr, "the panel did not connect to orvane-sim\n");
    std::exit(1);
  }
  RunFor(3000);
  const auto before = bench::SampleThreads();
  const double cpuBefore = bench::CpuSeconds();
  const std::size_t commandsBefore = sim.Received().size();
  RunFor(seconds * 1000);
  const double cpu = bench::CpuSeconds() - cpuBefore;
  std::printf(
      "connected and polling %d s: %zu commands answered, CPU %.3f s = %.3f %% of one core\n",
      seconds, sim.Received().size() - commandsBefore, cpu, 100.0 * cpu / seconds);
  bench::PrintWakeUps(before, bench::SampleThreads(), seconds);
  std::printf("resident memory %ld kB\n", bench::ResidentKilobytes());
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  widgets::InstallFontSubstitutes();
  widgets::TMessageDlg::SetScript([](const widgets::TMessageRequest& request) {
    std::fprintf(stderr, "box: %s\n", qPrintable(request.text));
    return widgets::mrOk;
  });
  widgets::TErrorGuard::SetRecorder(
      [](const QString& message) { std::fprintf(stderr, "error: %s\n", qPrintable(message)); });
  const int seconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 60;
  char pattern[] = "/tmp/orvane-bench-XXXXXX";
  const std::filesystem::path dir = mkdtemp(pattern);
  MeasureLatency(dir);
  MeasurePolling(dir, seconds);
  std::filesystem::remove_all(dir);
  return 0;
}
