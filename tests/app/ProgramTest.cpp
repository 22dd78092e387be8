#include <gtest/gtest.h>

#include <signal.h>
#include <stdlib.h>
#include <unistd.h>
#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <memory>
#include <regex>
#include <sstream>

#include "FileWatch.h"
#include "PanelProcess.h"
#include "ProgramDesktop.h"
#include "PtyPair.h"
#include "SimProcess.h"

namespace orvane::app::test {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

// The whole program as separate processes on a private X display with a
// window manager, against orvane-sim: what only the real entry shows.
class ProgramTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/orvane-program-XXXXXX";
    dir_ = mkdtemp(pattern);
    fs::create_directory(dir_ / "run");
    chmod((dir_ / "run").c_str(), 0700);
  }
  void TearDown() override { fs::remove_all(dir_); }

  std::vector<std::string> Environment() const {
    return {"DISPLAY=" + desktop_.Display(), "QT_QPA_PLATFORM=xcb",
            "XDG_RUNTIME_DIR=" + (dir_ / "run").string()};
  }
  // An installation in `name` whose config.ini names model B on COM3, which
  // the simulator (or `device`) answers.
  fs::path Install(const std::string& name, const std::string& device) {
    const fs::path folder = dir_ / name;
    TPanelProcess::Install(folder);
    std::ofstream(folder / "config.ini") << "[Ports]\nCOM3=" << device
                                         << "\n[Instrument]\nConfiguration=Maravent\n"
                                            "[RV]\nComPort=3\n";
    return folder;
  }
  void StartSim() {
    sim_ = std::make_unique<SimProcess>(
        std::vector<std::string>{"--model", "B", "--link", SimLink(), "--baud", "2400"});
  }
  std::string SimLink() const { return (dir_ / "link").string(); }
  // Polling has begun: the main window is up and connected.
  bool WaitPolling() { return WaitReceived("?K", 15s); }
  bool WaitReceived(const std::string& command, std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (std::chrono::steady_clock::now() < deadline) {
      const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
          deadline - std::chrono::steady_clock::now());
      const auto line = sim_->WaitForLog("RX ", left);
      if (line && line->ends_with(" " + command)) return true;
    }
    return false;
  }
  // What the instrument saw, for the failure message.
  std::string SimLog() const {
    std::string text;
    for (const std::string& line : sim_->LogSoFar()) text += line + "\n";
    return text;
  }
  std::string ActiveWindowName() const {
    return desktop_.Run({"xdotool", "getactivewindow", "getwindowname"});
  }
  std::string Config(const fs::path& folder) const {
    std::stringstream text;
    text << std::ifstream(folder / "config.ini").rdbuf();
    return text.str();
  }

  const orvane::test::TXServer& desktop_ = ProgramDesktop();
  fs::path dir_;
  std::unique_ptr<SimProcess> sim_;
};

TEST_F(ProgramTest, ASecondStartBringsTheRunningPanelToTheFrontAndEnds) {
  StartSim();
  const fs::path folder = Install("panel", SimLink());
  TPanelProcess first(folder, Environment());
  ASSERT_TRUE(WaitPolling()) << SimLog();
  desktop_.Run({"sh", "-c", "xmessage -name other elsewhere >/dev/null 2>&1 &"});
  desktop_.Run({"xdotool", "search", "--sync", "--classname", "other", "windowactivate", "--sync"});
  ASSERT_EQ(ActiveWindowName(), "other\n");

  TPanelProcess second(folder, Environment());
  EXPECT_EQ(second.WaitExit(3s), 0);
  EXPECT_EQ(ActiveWindowName(), "RV ORVANE - AFS - Ver (2.2)\n");
  EXPECT_FALSE(first.WaitExit(0ms));
}

TEST_F(ProgramTest, DuringTheSplashASecondStartEndsSilently) {
  serial::test::TPtyPair silent;
  const fs::path folder = Install("panel", silent.SlavePath());
  TPanelProcess first(folder, Environment());
  ASSERT_EQ(silent.Read(3, 5000), "?I\r");
  TPanelProcess second(folder, Environment());
  EXPECT_EQ(second.WaitExit(3s), 0);
  EXPECT_FALSE(first.WaitExit(0ms));
}

TEST_F(ProgramTest, AfterACopyWasKilledTheNextStartRunsAsTheFirst) {
  StartSim();
  const fs::path folder = Install("panel", SimLink());
  {
    TPanelProcess killed(folder, Environment());
    ASSERT_TRUE(WaitPolling()) << SimLog();
    killed.Signal(SIGKILL);
    killed.WaitExit(5s);
  }
  // The simulator may take its line closing for an unplug: a fresh line
  // either way, at the same link.
  ASSERT_TRUE(sim_->Control("unplug"));
  ASSERT_TRUE(sim_->Control("plug"));
  TPanelProcess next(folder, Environment());
  EXPECT_TRUE(WaitReceived("?I", 10s)) << SimLog();
  EXPECT_TRUE(WaitPolling()) << SimLog();
}

// Nobody is there to answer a question when the session ends: the settings
// are saved and the port closed all the same.
TEST_F(ProgramTest, ATerminationSignalSavesTheSettingsAndClosesThePort) {
  StartSim();
  const fs::path folder = Install("panel", SimLink());
  TPanelProcess panel(folder, Environment());
  ASSERT_TRUE(WaitPolling()) << SimLog();
  panel.Signal(SIGTERM);
  EXPECT_EQ(panel.WaitExit(10s), 0);
  const std::string config = Config(folder);
  EXPECT_EQ(config.find("Gain="), config.rfind("Gain="));
  EXPECT_NE(config.find("[RV]\nComPort=3\nGain=2\nMode=2\nKeepOnTop=1\nPump1=0\n"),
            std::string::npos)
      << config;
}

// A panel that never reaches its end (killed, its display gone) has the
// operator's change in config.ini all the same: it is written within about a
// second, not only when the window is destroyed.
TEST_F(ProgramTest, AChangedSettingIsInTheFileBeforeThePanelIsKilled) {
  StartSim();
  const fs::path folder = Install("panel", SimLink());
  const std::string before = Config(folder);
  TPanelProcess panel(folder, Environment());
  ASSERT_TRUE(WaitPolling()) << SimLog();
  config::test::TFileWatch watch(folder / "config.ini");
  // The operator clicks pump 1's slider and sends it to its end.
  const std::string id = desktop_.Run({"xdotool", "search", "--name", "^RV ORVANE"});
  const std::string window = id.substr(0, id.find('\n'));
  desktop_.Run({"xdotool", "windowactivate", "--sync", window, "mousemove", "--window", window,
                "298", "106", "click", "1", "key", "End"});
  ASSERT_TRUE(WaitReceived("!JFF", 10s)) << SimLog();
  ASSERT_TRUE(
      watch.WaitFor([&] { return Config(folder).find("Pump1=255\n") != std::string::npos; }, 10s));
  panel.Signal(SIGKILL);
  ASSERT_TRUE(panel.WaitExit(5s).has_value());
  const std::string config = Config(folder);
  EXPECT_TRUE(config.starts_with(before)) << config;
  EXPECT_NE(config.find("[RV]\nComPort=3\nGain=2\nMode=2\nKeepOnTop=1\nPump1=255\n"),
            std::string::npos)
      << config;
}

// Task switchers and docks pick the size they draw from the window's icon
// list; with 16 x 16 alone they scale it up into a blur.
TEST_F(ProgramTest, TheWindowCarriesItsIconAtFourSizes) {
  StartSim();
  TPanelProcess panel(Install("panel", SimLink()), Environment());
  ASSERT_TRUE(WaitPolling()) << SimLog();
  const std::string id = desktop_.Run({"xdotool", "search", "--name", "^RV ORVANE"});
  const std::string icons =
      desktop_.Run({"xprop", "-id", id.substr(0, id.find('\n')), "_NET_WM_ICON"});
  const std::regex size(R"(Icon \((\d+) x (\d+)\))");
  std::vector<std::string> sizes;
  for (auto at = std::sregex_iterator(icons.begin(), icons.end(), size);
       at != std::sregex_iterator(); ++at) {
    sizes.push_back((*at)[1].str() + "x" + (*at)[2].str());
  }
  std::sort(sizes.begin(), sizes.end(),
            [](const std::string& a, const std::string& b) { return std::stoi(a) < std::stoi(b); });
  EXPECT_EQ(sizes, (std::vector<std::string>{"16x16", "32x32", "48x48", "64x64"}));
}

// PAM cannot be interrupted, and a check may hang (a directory server out of
// reach; here the panel's PAM runs a sleep of an hour): the end of the
// session saves the settings and ends the program all the same.
TEST_F(ProgramTest, ATerminationSignalDuringAHangingPasswordCheckSavesAndEnds) {
  StartSim();
  const fs::path folder = Install("panel", SimLink());
  std::vector<std::string> environment = Environment();
  environment.insert(environment.end(), {ORVANE_HANGING_PAM_ENVIRONMENT});
  TPanelProcess panel(folder, environment);
  ASSERT_TRUE(WaitPolling()) << SimLog();
  const auto inWindow = [&](const std::string& title, std::vector<std::string> actions) {
    actions.insert(actions.begin(), {"timeout", "15", "xdotool", "search", "--sync",
                                     "--onlyvisible", "--name", title});
    desktop_.Run(actions);
  };
  // The padlock locks, and a second click asks for the password.
  inWindow("^RV ORVANE", {"mousemove", "--window", "%1", "643", "39", "click", "1", "click", "1"});
  inWindow("^User Authentication", {"windowactivate", "--sync", "type", "secret"});
  desktop_.Run({"xdotool", "key", "Return"});
  const std::string check =
      desktop_.Run({"timeout", "15", "sh", "-c", "until pgrep -P $0 -x sleep; do sleep 0.1; done",
                    std::to_string(panel.Pid())});
  ASSERT_FALSE(check.empty()) << "the check never started";
  panel.Signal(SIGTERM);
  EXPECT_EQ(panel.WaitExit(5s), 0);
  kill(std::stoi(check), SIGKILL);
  EXPECT_NE(Config(folder).find("[RV]\nComPort=3\nGain=2\nMode=2\nKeepOnTop=1\nPump1=0\n"),
            std::string::npos);
}

// With no config.ini the splash tries COM1 to COM8, asks the operator which
// port to use and records what the instrument says it is; the next start
// goes straight to it. The machine's own serial ports must never be touched,
// so the program runs where /dev holds only the simulator's line, as ttyS2.
TEST_F(ProgramTest, AFirstStartAsksForThePortAndTheNextGoesStraightToIt) {
  if (geteuid() != 0) GTEST_SKIP() << "needs a mount namespace of its own (root)";
  // Inside a chroot the root is no mount point, and its propagation cannot
  // be made private.
  if (desktop_.Run({"sh", "-c", "unshare --mount --propagation private true && echo ok"}) !=
      "ok\n") {
    GTEST_SKIP() << "no private mount namespace can be made here";
  }
  StartSim();
  const fs::path folder = dir_ / "panel";
  TPanelProcess::Install(folder);
  const auto isolated = [&](const std::string& slave) {
    return std::vector<std::string>{"unshare",
                                    "--mount",
                                    "--propagation",
                                    "private",
                                    ORVANE_ISOLATE_SCRIPT,
                                    (dir_ / "dev").string(),
                                    slave,
                                    "ttyS2"};
  };
  {
    TPanelProcess first(folder, Environment(), isolated(sim_->SlavePath()));
    desktop_.Run({"timeout", "15", "xdotool", "search", "--sync", "--name", "Select Port",
                  "windowactivate", "--sync", "key", "Return"});
    ASSERT_TRUE(WaitPolling()) << SimLog();
    const std::string config = Config(folder);
    EXPECT_NE(config.find("Configuration=Maravent"), std::string::npos) << config;
    EXPECT_NE(config.find("[RV]\nComPort=3\n"), std::string::npos) << config;
    first.Signal(SIGTERM);
    EXPECT_EQ(first.WaitExit(10s), 0);
  }
  // The simulator may take its line closing for an unplug: a fresh line
  // either way.
  ASSERT_TRUE(sim_->Control("unplug"));
  ASSERT_TRUE(sim_->Control("plug"));
  const auto moved = sim_->WaitForLog("PTY ");
  ASSERT_TRUE(moved) << SimLog();
  TPanelProcess next(folder, Environment(), isolated(moved->substr(moved->rfind(' ') + 1)));
  EXPECT_TRUE(WaitPolling()) << SimLog();
  EXPECT_EQ(desktop_.Run({"xdotool", "search", "--name", "Select Port"}), "");
}

}  // namespace
}  // namespace orvane::app::test
