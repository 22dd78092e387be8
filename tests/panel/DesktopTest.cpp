#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QComboBox>
#include <QDir>
#include <QScreen>
#include <QTest>

#include <sstream>

#include "PanelRig.h"
#include "SamplePorts.h"
#include "XServer.h"
#include "widgets/TCheckBox.h"

extern orvane::test::TXServer* Desktop;

namespace orvane::panel::test {
namespace {

// Window ids from the bottom of the stack to the top.
std::vector<unsigned long> Stacking() {
  const std::string out = Desktop->Run({"xprop", "-root", "_NET_CLIENT_LIST_STACKING"});
  std::vector<unsigned long> ids;
  std::string text = out.substr(out.find('#') + 1);
  for (char& c : text) c = c == ',' ? ' ' : c;
  std::istringstream words(text);
  for (std::string word; words >> word;) ids.push_back(std::stoul(word, nullptr, 16));
  return ids;
}

bool Above(const QWidget& upper, const QWidget& lower) {
  const auto ids = Stacking();
  const auto up = std::find(ids.begin(), ids.end(), upper.winId());
  const auto low = std::find(ids.begin(), ids.end(), lower.winId());
  return up != ids.end() && low != ids.end() && up > low;
}

class DesktopTest : public PanelRig {
 protected:
  void OpenModelB() {
    AppendConfig("[Instrument]\nconfiguration=Maravent\n");
    OpenWindow(0);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
  }
};

TEST_F(DesktopTest, MinimisingLeavesACornerTileUntilTheNextSizeChange) {
  OpenModelB();
  EXPECT_EQ(window->size(), QSize(666, 368));
  Desktop->Run({"xdotool", "windowminimize", std::to_string(window->winId())});
  ASSERT_TRUE(RunUntil([&] { return window->size() == QSize(157, 65); }, 3000));
  ASSERT_TRUE(RunUntil([&] { return window->frameGeometry().topLeft() == QPoint(1, 1); }, 3000));
  EXPECT_FALSE(window->isMinimized());
  EXPECT_TRUE(window->isVisible());
  window->showMaximized();
  EXPECT_TRUE(RunUntil([&] { return window->size() == QSize(666, 368); }, 3000));
  EXPECT_FALSE(window->isMaximized());
}

TEST_F(DesktopTest, KeepOnTopDecidesWhetherAnotherWindowCanCoverThePanel) {
  OpenModelB();
  QWidget other;
  other.resize(800, 600);
  other.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&other));
  other.raise();
  other.activateWindow();
  EXPECT_TRUE(RunUntil([&] { return Above(*window, other); }, 3000));

  C().cbKeepOnTop->SetChecked(false);
  other.raise();
  other.activateWindow();
  EXPECT_TRUE(RunUntil([&] { return Above(other, *window); }, 3000));

  C().cbKeepOnTop->SetChecked(true);
  EXPECT_TRUE(RunUntil([&] { return Above(*window, other); }, 3000));
}

// ORVANE_SHOT_DIR keeps a picture of the screen around the dialog, window
// manager's frame included, for a person to look at.
TEST_F(DesktopTest, ThePortDialogsOpenListNamesEachDeviceOnTheScreen) {
  OpenModelB();
  serial::test::TSamplePorts ports;
  serial::TComSelectForm form(window.get(), ports.Probe(), ports.Describe());
  form.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
  QComboBox* box = form.PortsComboBox();
  box->showPopup();
  QWidget* popup = box->view()->window();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(popup));
  EXPECT_GT(popup->width(), box->width() + 150) << "the descriptions show whole";
  EXPECT_TRUE(form.screen()->geometry().contains(popup->geometry())) << "the list is on screen";
  if (const QString dir = qEnvironmentVariable("ORVANE_SHOT_DIR"); !dir.isEmpty()) {
    RunFor(300);
    const QRect area = form.frameGeometry().united(popup->geometry()).adjusted(-12, -12, 12, 12);
    Desktop->Run({"import", "-window", "root", "-crop",
                  QString("%1x%2+%3+%4")
                      .arg(area.width())
                      .arg(area.height())
                      .arg(area.x())
                      .arg(area.y())
                      .toStdString(),
                  QDir(dir).filePath("port-list.png").toStdString()});
  }
  box->hidePopup();
}

}  // namespace
}  // namespace orvane::panel::test
