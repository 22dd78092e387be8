#include <gtest/gtest.h>

#include <QTest>

#include <algorithm>

#include "PanelRig.h"
#include "widgets/TButton.h"
#include "widgets/TRadioGroup.h"
#include "widgets/TSpinEdit.h"
#include "widgets/TTrackBar.h"
#include "widgets/TVrPowerButton.h"

namespace orvane::audit::test {
namespace {

using Rows = std::vector<std::string>;

// The real window against the simulator, every audit event it sends written
// down as "event|setting|old|new|model|port|user".
class PanelAudit : public panel::test::PanelRig {
 protected:
  void Listen() {
    window->Audit().Subscribe([this](const TAuditEvent& e) {
      heard.push_back(e.Event + '|' + e.Setting + '|' + e.OldValue + '|' + e.NewValue + '|' +
                      e.Model + '|' + e.Port + '|' + e.User);
    });
  }
  // Until an entry starting with `start` was heard.
  bool WaitHeard(const std::string& start, int ms) {
    return RunUntil(
        [&] {
          return std::any_of(heard.begin(), heard.end(),
                             [&](const std::string& row) { return row.starts_with(start); });
        },
        ms);
  }

  Rows heard;
};

// Each change the operator makes is one entry with its old and new value,
// the first value the panel sends of a setting one with none; the settings
// sent again on wake-up and after a reconnect, unchanged, are none. The
// link's changes, and the port the operator chose, come in the order they
// happened. A run being recorded hears them too.
TEST_F(PanelAudit, ActionsAndTheLinkReachTheTrailOnceEachWithTheirFields) {
  StartSim('B');
  portChoice = 3;
  OpenWindow(0);
  Listen();
  ASSERT_TRUE(WaitConnected());
  ASSERT_TRUE(WaitStartSettled());
  ASSERT_FALSE(heard.empty());
  EXPECT_EQ(heard.front(), "setting|port||COM3||COM3|");
  EXPECT_EQ(std::count(heard.begin(), heard.end(), "connected||||Maravent|COM3|"), 1);
  heard.clear();
  window->Runs().Start("std", 0);

  C().rgGain->SetItemIndex(3);
  C().tbPump1->SetPosition(128);
  C().rgDryerGas->SetItemIndex(1);
  C().speFilter->SetValue(32);
  C().btnSetFilter->Click();
  C().rgElements->SetItemIndex(1);
  C().BtnSetCurrent->Click();
  // The boost goes out five seconds after the primary.
  ASSERT_TRUE(WaitHeard("setting|boost current", 7000));
  QTest::mouseClick(C().VrPowerButton, Qt::LeftButton);
  QTest::mouseClick(C().VrPowerButton, Qt::LeftButton);
  Control("power off");
  ASSERT_TRUE(WaitHeard("not present|", 12000));
  Control("power on");
  C().BtnWakeInstrument->Click();
  ASSERT_TRUE(WaitConnected());
  ASSERT_TRUE(WaitHeard("reconnected|", 4000));
  EXPECT_EQ(heard,
            (Rows{"setting|gain|100|1000|Maravent|COM3|", "setting|pump 1||50%|Maravent|COM3|",
                  "setting|dryer gas||ON|Maravent|COM3|", "setting|filter||32|Maravent|COM3|",
                  "setting|lamp preset||Se|Maravent|COM3|",
                  "setting|primary current|0.0 mA|20.0 mA|Maravent|COM3|",
                  "setting|boost current|0.0 mA|25.1 mA|Maravent|COM3|", "idle||||Maravent|COM3|",
                  "wake||||Maravent|COM3|", "setting|analysis gas||OFF|Maravent|COM3|",
                  "setting|pump 2||0%|Maravent|COM3|", "lost||||Maravent|COM3|",
                  "not present||||Maravent|COM3|", "reset||||Maravent|COM3|",
                  "reconnected||||Maravent|COM3|"}));
  // A run recording meanwhile holds the same events, in the same order.
  Rows recorded, sent;
  for (const runs::TRunEvent& event : window->Runs().Current().events)
    recorded.push_back(event.kind);
  for (const std::string& row : heard) sent.push_back(row.substr(0, row.find('|')));
  EXPECT_EQ(recorded, sent);
}

}  // namespace
}  // namespace orvane::audit::test
