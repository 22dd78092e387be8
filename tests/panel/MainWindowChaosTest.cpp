#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>

#include <random>

#include "PanelRig.h"
#include "widgets/TButton.h"
#include "widgets/TVrUserLed.h"

namespace orvane::panel::test {
namespace {

// The instrument unplugged, plugged, switched off and on at random while the
// panel runs: whatever the boxes and searches said meanwhile, once it is
// back and Reset is pressed the panel is connected and no dialog is left.
class MainWindowChaosTest : public PanelRig {
 protected:
  bool AnyDialogShown() const {
    for (QWidget* top : QApplication::topLevelWidgets()) {
      if (top->isVisible() && qobject_cast<QDialog*>(top) != nullptr) return true;
    }
    return false;
  }
};

TEST_F(MainWindowChaosTest, TwoHundredUnplugsAndPowerCutsLeaveNothingBehind) {
  StartSim('B');
  OpenWindow();
  ASSERT_TRUE(WaitConnected());
  std::mt19937 random(20261209);
  bool plugged = true;
  bool powered = true;
  for (int event = 0; event < 200; ++event) {
    if (random() % 2 == 0) {
      Control(plugged ? "unplug" : "plug");
      plugged = !plugged;
    } else {
      Control(powered ? "power off" : "power on");
      powered = !powered;
    }
    RunFor(static_cast<int>(20 + random() % 180));
  }
  if (!plugged) Control("plug");
  if (!powered) Control("power on");
  RunFor(200);
  C().BtnWakeInstrument->click();
  EXPECT_TRUE(WaitConnected());
  EXPECT_TRUE(RunUntil([&] { return C().StreamLed->Active(); }, 4000));
  EXPECT_FALSE(Link().SearchDialog);
  EXPECT_FALSE(AnyDialogShown());
}

}  // namespace
}  // namespace orvane::panel::test
