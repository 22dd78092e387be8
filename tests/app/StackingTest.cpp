#include <gtest/gtest.h>

#include <signal.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

#include "PanelProcess.h"
#include "XServer.h"

namespace orvane::app::test {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

constexpr char kPanelTitle[] = "^RV ORVANE - AFS - Ver \\(2\\.2\\)$";

// Window ids in a property's value ("... window id # 0x1, 0x2"), in order.
std::vector<unsigned long> WindowIds(const std::string& text) {
  std::vector<unsigned long> ids;
  const std::size_t hash = text.find('#');
  if (hash == std::string::npos) return ids;
  std::istringstream words(text.substr(hash + 1));
  for (std::string word; words >> word;) ids.push_back(std::stoul(word, nullptr, 16));
  return ids;
}

// The panel stays on top, and a box it opens must stand above it under every
// window manager: a modal box under the panel blocks every click unseen.
class StackingTest : public ::testing::TestWithParam<const char*> {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/orvane-stacking-XXXXXX";
    dir_ = mkdtemp(pattern);
    fs::create_directory(dir_ / "run");
    chmod((dir_ / "run").c_str(), 0700);
    desktop_ = std::make_unique<orvane::test::TXServer>(GetParam());
  }
  void TearDown() override {
    panel_.reset();
    fs::remove_all(dir_);
  }

  // Model B on COM3, and no port, COM3 included, has a device behind it.
  void StartWithoutDevice() {
    const fs::path folder = dir_ / "panel";
    TPanelProcess::Install(folder);
    std::ofstream ini(folder / "config.ini");
    ini << "[Ports]\n";
    for (int n = 1; n <= 50; ++n) ini << "COM" << n << "=/nonexistent/" << n << "\n";
    ini << "[Instrument]\nConfiguration=Maravent\n[RV]\nComPort=3\n";
    ini.close();
    panel_ = std::make_unique<TPanelProcess>(
        folder, std::vector<std::string>{"DISPLAY=" + desktop_->Display(), "QT_QPA_PLATFORM=xcb",
                                         "XDG_RUNTIME_DIR=" + (dir_ / "run").string()});
  }
  // The id of the shown window titled `pattern`, once there is one. The
  // search waits by itself, but gives up when a window it looks at goes
  // away meanwhile (the splash does), and is then asked again.
  unsigned long WaitWindow(const std::string& pattern) {
    const auto deadline = std::chrono::steady_clock::now() + 30s;
    while (std::chrono::steady_clock::now() < deadline) {
      const std::string ids = desktop_->Run(
          {"timeout", "14", "xdotool", "search", "--sync", "--onlyvisible", "--name", pattern});
      if (!ids.empty()) return std::stoul(ids);
    }
    return 0;
  }
  // Input as the operator gives it, into the window made active first: Qt
  // ignores events sent to a window.
  void Click(unsigned long window, int x, int y) {
    const std::string id = std::to_string(window);
    desktop_->Run({"xdotool", "windowactivate", "--sync", id, "mousemove", "--window", id,
                   std::to_string(x), std::to_string(y), "click", "1"});
  }
  void Type(unsigned long window, const std::string& keys) {
    desktop_->Run({"xdotool", "windowactivate", "--sync", std::to_string(window), "key", keys});
  }
  // The box is the panel's own dialog and the window manager keeps it above.
  void ExpectInFrontOfPanel(unsigned long box, unsigned long panel) {
    ASSERT_NE(box, 0u);
    EXPECT_EQ(WindowIds(desktop_->Run({"xprop", "-id", std::to_string(box), "WM_TRANSIENT_FOR"})),
              std::vector<unsigned long>{panel});
    const std::vector<unsigned long> stacking =
        WindowIds(desktop_->Run({"xprop", "-root", "_NET_CLIENT_LIST_STACKING"}));
    const auto place = [&](unsigned long window) {
      return std::find(stacking.begin(), stacking.end(), window) - stacking.begin();
    };
    ASSERT_LT(place(box), std::ssize(stacking));
    EXPECT_LT(place(panel), place(box)) << "listed bottom to top";
  }

  fs::path dir_;
  std::unique_ptr<orvane::test::TXServer> desktop_;
  std::unique_ptr<TPanelProcess> panel_;
};

// The connect finds no device and asks for a port; once the question is
// cancelled no window of ours is active, and the error the connect then
// raises is the one that used to land under the panel. The trend window is
// an ordinary window under the panel, and its file dialog used to stay there.
TEST_P(StackingTest, PortQuestionErrorAndTrendFileDialogStandAboveThePanel) {
  StartWithoutDevice();
  const unsigned long panel = WaitWindow(kPanelTitle);
  ASSERT_NE(panel, 0u);
  const unsigned long question = WaitWindow("^Select Port$");
  ExpectInFrontOfPanel(question, panel);
  Click(question, 168, 108);  // its Cancel button
  const unsigned long error = WaitWindow("^ORVANE - AFS$");
  ExpectInFrontOfPanel(error, panel);
  Type(error, "Return");
  Type(panel, "ctrl+t");
  Type(WaitWindow("^Signal Trend$"), "alt+s");
  const unsigned long fileDialog = WaitWindow("^Save as CSV$");
  ExpectInFrontOfPanel(fileDialog, panel);
  Type(fileDialog, "Escape");
  panel_->Signal(SIGTERM);
  EXPECT_EQ(panel_->WaitExit(30s), 0);
}

INSTANTIATE_TEST_SUITE_P(WindowManagers, StackingTest, ::testing::Values("openbox", "xfwm4"),
                         [](const auto& name) { return std::string(name.param); });

}  // namespace
}  // namespace orvane::app::test
