#include <gtest/gtest.h>

#include <QAccessible>

#include "PanelRig.h"
#include "app/ApplicationLock.h"
#include "widgets/Accessibility.h"
#include "widgets/TButton.h"
#include "widgets/TRadioGroup.h"
#include "widgets/TSpinEdit.h"
#include "widgets/TTrackBar.h"

namespace orvane::app::test {
namespace {

// What an assistive tool can do to a control over AT-SPI, through Qt's
// interfaces: set a value (Increase and Decrease set one a step away), write
// text, run an action.
void DriveAsAnAssistiveTool(QObject* control) {
  QAccessibleInterface* face = QAccessible::queryAccessibleInterface(control);
  if (QAccessibleValueInterface* value = face->valueInterface()) {
    value->setCurrentValue(value->maximumValue());
    value->setCurrentValue(value->minimumValue());
  }
  if (QAccessibleEditableTextInterface* text = face->editableTextInterface())
    text->replaceText(0, face->textInterface()->characterCount(), "7");
  if (QAccessibleActionInterface* actions = face->actionInterface()) {
    for (const QString& name : actions->actionNames()) actions->doAction(name);
    actions->doAction(QAccessibleActionInterface::pressAction());
  }
}

using LockedPanel = panel::test::PanelRig;

// The lock on the real window against the simulator.
TEST_F(LockedPanel, AssistiveToolsMoveNoControlAndSendNothingButPolls) {
  widgets::InstallAccessibility();
  StartSim('B');
  OpenWindow();
  ASSERT_TRUE(WaitConnected());
  ASSERT_TRUE(WaitStartSettled());
  const panel::TMainControls& c = C();
  TApplicationLock lock(c.pnlGainMode, c.gbPumps, c.gbGases, c.gbLamp, c.btnLock,
                        Link().PanelLocked);
  c.btnLock->click();
  const auto shown = [&] {
    std::vector<int> values{c.speFilter->Value(), c.tbPump1->Position(), c.tbPump2->Position(),
                            c.tbPrimary->Position(), c.tbBoost->Position()};
    for (auto* group : {c.rgGain, c.rgMode, c.rgAnalysisGas, c.rgDryerGas, c.rgElements})
      values.push_back(group->ItemIndex());
    return values;
  };
  const std::vector<int> before = shown();
  const std::size_t sent = Received().size();
  for (QWidget* group :
       std::initializer_list<QWidget*>{c.pnlGainMode, c.gbPumps, c.gbGases, c.gbLamp}) {
    for (QWidget* control : group->findChildren<QWidget*>()) DriveAsAnAssistiveTool(control);
  }
  // Anything let through would go out before the next polls.
  ASSERT_TRUE(WaitReceived(sent + 4, 10000));
  const std::vector<std::string> all = Received();
  for (std::size_t i = sent; i < all.size(); ++i)
    EXPECT_TRUE(all[i].starts_with('?') || all[i].starts_with('$')) << all[i];
  EXPECT_EQ(shown(), before);
  EXPECT_TRUE(errors.empty());
}

}  // namespace
}  // namespace orvane::app::test
