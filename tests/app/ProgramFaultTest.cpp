#include <gtest/gtest.h>

#include <signal.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <sstream>
#include <thread>

#include "PanelProcess.h"
#include "PortHolder.h"
#include "ProgramDesktop.h"
#include "SimProcess.h"
#include "app/ProgramEntry.h"
#include "runs/RunJournal.h"

namespace orvane::app::test {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using namespace std::string_literals;
using Clock = std::chrono::steady_clock;

std::string Contents(const fs::path& file) {
  std::stringstream text;
  text << std::ifstream(file, std::ios::binary).rdbuf();
  return text.str();
}

// Faults around the whole program, started as the operator starts it, on a
// private X display against orvane-sim: where the entry, the splash or the
// settings file beside the executable take part.
class ProgramFaultTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/orvane-fault-XXXXXX";
    dir_ = mkdtemp(pattern);
    fs::create_directory(dir_ / "run");
    chmod((dir_ / "run").c_str(), 0700);
  }
  // At the instrument's own line speed, as the panel is made for.
  void StartSim() {
    sim_ = std::make_unique<SimProcess>(
        std::vector<std::string>{"--model", "B", "--link", Link(), "--baud", "2400"});
  }
  void TearDown() override {
    panel_.reset();
    fs::remove_all(dir_);
  }

  std::string Link() const { return (dir_ / "link").string(); }
  // Model B on COM3, which the simulator answers; every other number maps to
  // a path that does not exist, so the port dialog never probes a device.
  static std::string Ports(const std::string& com3) {
    std::string text = "[Ports]\n";
    for (int n = 1; n <= 50; ++n) {
      text += "COM" + std::to_string(n) + "=" +
              (n == 3 ? com3 : "/nonexistent/" + std::to_string(n)) + "\n";
    }
    return text + "[Instrument]\nConfiguration=Maravent\n[RV]\nComPort=3\n";
  }
  fs::path Install(const std::string& name) {
    const fs::path folder = dir_ / name;
    TPanelProcess::Install(folder);
    return folder;
  }
  // The panel installed with a config.ini that names the simulator's line.
  fs::path InstallOnSimulator() {
    const fs::path folder = Install("panel");
    std::ofstream(folder / "config.ini") << Ports(Link());
    return folder;
  }
  void Start(const fs::path& folder, std::vector<std::string> environment = {}) {
    environment.push_back("DISPLAY=" + desktop_.Display());
    environment.push_back("QT_QPA_PLATFORM=xcb");
    environment.push_back("XDG_RUNTIME_DIR=" + (dir_ / "run").string());
    panel_ = std::make_unique<TPanelProcess>(folder, environment);
  }
  bool WaitPolling(std::chrono::milliseconds timeout = 15s) {
    const auto deadline = Clock::now() + timeout;
    while (Clock::now() < deadline) {
      const auto line = sim_->WaitForLog(
          "RX ", std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()));
      if (line && (line->ends_with(" ?K") || line->ends_with(" ?J"))) return true;
    }
    return false;
  }
  std::string SimLog() const {
    std::string text;
    for (const std::string& line : sim_->LogSoFar()) text += line + "\n";
    return text;
  }
  // The ids of the shown windows whose title matches `pattern`, once there
  // are any, within `timeout`.
  std::string WaitWindow(const std::string& pattern, std::chrono::milliseconds timeout) {
    const auto deadline = Clock::now() + timeout;
    for (;;) {
      const std::string ids =
          desktop_.Run({"xdotool", "search", "--onlyvisible", "--name", pattern});
      if (!ids.empty() || Clock::now() >= deadline) return ids;
      std::this_thread::sleep_for(100ms);
    }
  }
  void Press(const std::string& window, const std::string& key) {
    desktop_.Run(
        {"xdotool", "windowactivate", "--sync", window.substr(0, window.find('\n')), "key", key});
  }
  // Ends the panel as a session end does and returns its exit status.
  std::optional<int> Terminate() {
    panel_->Signal(SIGTERM);
    return panel_->WaitExit(30s);
  }

  const orvane::test::TXServer& desktop_ = ProgramDesktop();
  fs::path dir_;
  std::unique_ptr<SimProcess> sim_;
  std::unique_ptr<TPanelProcess> panel_;
};

// The splash finds the line taken and gives up silently; the main window's
// connect offers the port dialog. Once the other program lets go, OK on the
// dialog connects.
TEST_F(ProgramFaultTest, APortTakenAtStartIsOfferedAgainAndConnectsOnceFree) {
  StartSim();
  const fs::path folder = InstallOnSimulator();
  auto other = std::make_unique<serial::test::TPortHolder>(Link());
  Start(folder);
  const std::string dialog = WaitWindow("^Select Port$", 15s);
  ASSERT_FALSE(dialog.empty()) << SimLog();
  EXPECT_EQ(sim_->Received(), std::vector<std::string>{}) << "nothing reaches a taken line";
  other.reset();
  Press(dialog, "Return");
  EXPECT_TRUE(WaitPolling()) << SimLog();
  EXPECT_EQ(Terminate(), 0);
}

struct TConfigCase {
  const char* name;
  // The text before the panel's sections and after them, which must stay.
  std::string head;
  std::string tail;
  bool linked = false;
};

// Whatever config.ini looks like, the panel starts, connects, and at the end
// of the session writes its settings once, keeping every other byte: the
// settings go after the last line of their section, so the odd text is put
// before the panel's sections and in a section of its own after them.
TEST_F(ProgramFaultTest, AnOddConfigFileKeepsEveryOtherByteAndGetsTheSettingsOnce) {
  StartSim();
  std::string comments;
  while (comments.size() < 10u << 20) comments += ";" + std::string(99, 'c') + "\n";
  const std::vector<TConfigCase> cases = {
      {"garbage and binary", "\xEF\xBB\xBF\x00\xFF[[broken\n=no key\n"s,
       "[Junk]\n\x01\x02\x7F binary\x00\x00 tail\rno line end"s},
      {"10 MB", comments, ""},
      {"a symlink", "", "", true},
  };
  int n = 0;
  for (const TConfigCase& c : cases) {
    SCOPED_TRACE(c.name);
    const fs::path folder = Install("panel" + std::to_string(++n));
    const fs::path file = c.linked ? folder / "shared" / "real.ini" : folder / "config.ini";
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << c.head << Ports(Link()) << c.tail;
    if (c.linked) fs::create_symlink("shared/real.ini", folder / "config.ini");
    Start(folder);
    // Every read of a setting reads the whole file again, so under the
    // sanitizers on a busy machine the 10 MB start takes many seconds.
    ASSERT_TRUE(WaitPolling(60s)) << SimLog();
    EXPECT_EQ(Terminate(), 0);
    const std::string text = Contents(file);
    EXPECT_TRUE(text.starts_with(c.head + Ports(Link())));
    EXPECT_TRUE(text.ends_with(c.tail));
    EXPECT_EQ(text.find("Gain="), text.rfind("Gain="));
    EXPECT_NE(text.find("[RV]\nComPort=3\nGain=2\nMode=2\nKeepOnTop=1\n"), std::string::npos);
    EXPECT_EQ(fs::is_symlink(folder / "config.ini"), c.linked);
    // The simulator takes its line closing for an unplug.
    ASSERT_TRUE(sim_->Control("plug"));
  }
}

TEST_F(ProgramFaultTest, AConfigFileDeletedWhileRunningIsWrittenAgainAtTheEnd) {
  StartSim();
  const fs::path folder = InstallOnSimulator();
  Start(folder);
  ASSERT_TRUE(WaitPolling()) << SimLog();
  fs::remove(folder / "config.ini");
  EXPECT_EQ(Terminate(), 0);
  EXPECT_EQ(Contents(folder / "config.ini"),
            "[RV]\nComPort=3\nGain=2\nMode=2\nKeepOnTop=1\nPump1=0\nPump2=0\nDryerGas=0\n"
            "AnalysisGas=0\nLampType=-1\n");
}

// Settings that cannot be saved at the end are shown in the error box, and
// the program then ends with a failure status.
TEST_F(ProgramFaultTest, SettingsThatCannotBeSavedEndTheProgramWithAFailure) {
  StartSim();
  const fs::path folder = InstallOnSimulator();
  Start(folder);
  ASSERT_TRUE(WaitPolling()) << SimLog();
  fs::remove(folder / "config.ini");
  fs::create_directory(folder / "config.ini");
  panel_->Signal(SIGTERM);
  const std::string box = WaitWindow("^ORVANE - AFS$", 15s);
  ASSERT_FALSE(box.empty()) << "nobody was told";
  Press(box, "Return");
  EXPECT_EQ(panel_->WaitExit(30s), kSettingsNotSaved);
}

// A runtime folder open to others holds no guard against a second copy: the
// operator is told once, in a box, and the panel works on.
TEST_F(ProgramFaultTest, AnOpenRuntimeFolderIsToldOnceAndThePanelWorksOn) {
  StartSim();
  const fs::path folder = InstallOnSimulator();
  chmod((dir_ / "run").c_str(), 0755);
  Start(folder);
  const std::string box = WaitWindow("^Warning$", 15s);
  ASSERT_EQ(std::count(box.begin(), box.end(), '\n'), 1) << box;
  Press(box, "Return");
  EXPECT_TRUE(WaitPolling()) << SimLog();
  EXPECT_EQ(WaitWindow("^Warning$", 0ms), "");
  EXPECT_EQ(Terminate(), 0);
}

using TJournals = std::vector<runs::TParsedJournal>;

// The journals in the panel's data folder, oldest first, once `ready` holds
// for them or `timeout` has passed.
TJournals WaitJournals(const fs::path& folder, const std::function<bool(const TJournals&)>& ready,
                       std::chrono::milliseconds timeout = 30s) {
  const auto deadline = Clock::now() + timeout;
  for (;;) {
    std::vector<fs::path> files;
    std::error_code absent;
    for (const auto& entry : fs::directory_iterator(folder, absent)) {
      if (entry.path().extension() == ".journal") files.push_back(entry.path());
    }
    TJournals found;
    for (const fs::path& file : files) {
      if (auto journal = runs::ParseJournal(Contents(file))) found.push_back(std::move(*journal));
    }
    std::sort(found.begin(), found.end(),
              [](const auto& a, const auto& b) { return a.run.start < b.run.start; });
    if (ready(found) || Clock::now() >= deadline) return found;
    std::this_thread::sleep_for(100ms);
  }
}

// The last journal holds `count` readings.
std::function<bool(const TJournals&)> Readings(std::size_t runs, std::size_t count) {
  return [=](const TJournals& found) {
    return found.size() == runs && found.back().run.readings.size() >= count;
  };
}

// A run the operator stops is saved beside its journal. A second one, cut
// short by SIGKILL, is offered at the next start, closed as interrupted with
// the readings it had: only the last second may miss, the journal being
// synced once a second (a kill loses nothing written; allowed here are that
// second, a polling step and the reply's way through a loaded machine).
TEST_F(ProgramFaultTest, ARunKilledMidwayIsOfferedAtTheNextStartWithItsReadings) {
  StartSim();
  const fs::path folder = InstallOnSimulator();
  const std::string dataHome = "XDG_DATA_HOME=" + (dir_ / "data").string();
  const fs::path runs = dir_ / "data" / "ORVANE - AFS" / "runs";
  Start(folder, {dataHome});
  ASSERT_TRUE(WaitPolling()) << SimLog();
  Press(WaitWindow("^RV ORVANE - AFS", 10s), "ctrl+t");
  const std::string trend = WaitWindow("^Signal Trend$", 10s);
  ASSERT_FALSE(trend.empty());
  Press(trend, "alt+m");
  desktop_.Run({"xdotool", "type", "Se std"});
  Press(trend, "alt+t");
  ASSERT_TRUE(Readings(1, 3)(WaitJournals(runs, Readings(1, 3))));
  Press(trend, "alt+o");
  // A button's Alt letter clicks it a moment later: start again once stopped.
  const auto stopped = [](const TJournals& found) {
    return found.size() == 1 && found[0].finished;
  };
  ASSERT_TRUE(stopped(WaitJournals(runs, stopped)));
  Press(trend, "alt+t");
  ASSERT_TRUE(Readings(2, 5)(WaitJournals(runs, Readings(2, 5))));
  const auto killedAt = std::chrono::duration_cast<std::chrono::milliseconds>(
      std::chrono::system_clock::now().time_since_epoch());
  panel_->Signal(SIGKILL);
  ASSERT_TRUE(panel_->WaitExit(10s));

  Start(folder, {dataHome});
  const std::string offer = WaitWindow("^Interrupted Run$", 60s);
  ASSERT_FALSE(offer.empty());
  Press(offer, "Return");
  const TJournals found = WaitJournals(
      runs, [](const TJournals& journals) { return journals.size() == 2 && journals[1].finished; });
  ASSERT_EQ(found.size(), 2u);
  EXPECT_TRUE(found[0].finished);
  EXPECT_FALSE(found[0].run.interrupted);
  EXPECT_EQ(found[0].run.sampleName, "Se std");
  EXPECT_TRUE(found[1].finished);
  EXPECT_TRUE(found[1].run.interrupted);
  EXPECT_EQ(found[1].run.sampleName, "Se std");
  ASSERT_FALSE(found[1].run.readings.empty());
  EXPECT_GE(found[1].run.readings.back().time, killedAt.count() - 2500);
  std::size_t saved = 0;
  for (const auto& entry : fs::directory_iterator(runs)) {
    saved += entry.path().extension() == ".cdf" || entry.path().extension() == ".csv";
  }
  EXPECT_EQ(saved, 4u) << "each run as .cdf and .csv";
  EXPECT_EQ(Terminate(), 0);
}

}  // namespace
}  // namespace orvane::app::test
