#include <vector>

#include <QGroupBox>
#include <QTableWidget>

#include "LayoutFixture.h"
#include "widgets/TButton.h"
#include "widgets/TCheckBox.h"
#include "widgets/TGauge.h"
#include "widgets/TRadioGroup.h"
#include "widgets/TSpinEdit.h"
#include "widgets/TTrackBar.h"
#include "widgets/TVrPowerButton.h"
#include "widgets/TVrUserLed.h"
#include "widgets/TantMovablePanel.h"

namespace orvane::panel::test {
namespace {

struct Placement {
  QWidget* control;
  const char* name;
  QWidget* parent;
  QRect geometry;
};

// Every control, parents before children, in the window's creation order.
std::vector<Placement> DesignPlacements(QWidget& client, const TMainControls& c) {
  return {
      {c.Label15, "Label15", &client, {18, 13, 14, 16}},
      {c.Label16, "Label16", &client, {18, 29, 14, 16}},
      {c.Label17, "Label17", &client, {18, 45, 14, 16}},
      {c.ActiveLed, "ActiveLed", &client, {4, 15, 12, 12}},
      {c.ReplyLed, "ReplyLed", &client, {4, 31, 12, 12}},
      {c.StreamLed, "StreamLed", &client, {4, 47, 12, 12}},
      {c.btnLock, "btnLock", &client, {631, 18, 24, 42}},
      {c.gbPumps, "gbPumps", &client, {4, 62, 651, 86}},
      {c.GroupBox1, "GroupBox1", &client, {36, 11, 110, 50}},
      {c.cbKeepOnTop, "cbKeepOnTop", &client, {549, 0, 106, 14}},
      {c.gbLamp, "gbLamp", &client, {4, 199, 651, 153}},
      {c.OptionsPanel, "OptionsPanel", &client, {437, 354, 215, 149}},
      {c.gbGases, "gbGases", &client, {4, 153, 651, 44}},
      {c.pnlGainMode, "pnlGainMode", &client, {148, 14, 483, 50}},
      {c.Signal, "Signal", c.GroupBox1, {10, 20, 90, 21}},
      {c.Label1, "Label1", c.gbPumps, {129, 12, 48, 16}},
      {c.Label2, "Label2", c.gbPumps, {434, 12, 51, 16}},
      {c.Label3, "Label3", c.gbPumps, {21, 63, 294, 16}},
      {c.Label4, "Label4", c.gbPumps, {340, 63, 294, 16}},
      {c.tbPump1, "tbPump1", c.gbPumps, {14, 30, 294, 33}},
      {c.tbPump2, "tbPump2", c.gbPumps, {334, 30, 294, 33}},
      {c.Label5, "Label5", c.gbLamp, {220, 14, 19, 16}},
      {c.Label6, "Label6", c.gbLamp, {222, 79, 19, 16}},
      {c.Label7, "Label7", c.gbLamp, {122, 64, 251, 16}},
      {c.Label8, "Label8", c.gbLamp, {122, 129, 246, 16}},
      {c.PrimaryGauge, "PrimaryGauge", c.gbLamp, {374, 34, 174, 19}},
      {c.BoostGauge, "BoostGauge", c.gbLamp, {374, 100, 174, 18}},
      {c.Label10, "Label10", c.gbLamp, {460, 36, 19, 16}},
      {c.Label11, "Label11", c.gbLamp, {460, 101, 19, 16}},
      {c.Label9, "Label9", c.gbLamp, {69, 38, 46, 16}},
      {c.Label12, "Label12", c.gbLamp, {69, 102, 35, 16}},
      {c.Label13, "Label13", c.gbLamp, {438, 14, 57, 16}},
      {c.Label18, "Label18", c.gbLamp, {561, 14, 81, 16}},
      {c.lblFlameStat, "lblFlameStat", c.gbLamp, {580, 37, 37, 16}},
      {c.tbPrimary, "tbPrimary", c.gbLamp, {113, 31, 261, 34}},
      {c.tbBoost, "tbBoost", c.gbLamp, {113, 96, 261, 34}},
      {c.BtnSetCurrent, "BtnSetCurrent", c.gbLamp, {578, 87, 44, 43}},
      {c.rgElements, "rgElements", c.gbLamp, {6, 22, 55, 127}},
      {c.Image1, "Image1", c.OptionsPanel, {185, 0, 11, 11}},
      {c.Label14, "Label14", c.OptionsPanel, {23, 15, 169, 16}},
      {c.StringGrid1, "StringGrid1", c.OptionsPanel, {0, 32, 215, 116}},
      {c.btnSetFilter, "btnSetFilter", c.gbGases, {94, 11, 28, 27}},
      {c.Label19, "Label19", c.gbGases, {7, 15, 32, 16}},
      {c.BtnWakeInstrument, "BtnWakeInstrument", c.gbGases, {561, 7, 83, 31}},
      {c.rgAnalysisGas, "rgAnalysisGas", c.gbGases, {348, 0, 132, 40}},
      {c.rgDryerGas, "rgDryerGas", c.gbGases, {134, 0, 134, 40}},
      {c.pnlGas1Stat, "pnlGas1Stat", c.gbGases, {268, 8, 69, 31}},
      {c.pnlGas2Stat, "pnlGas2Stat", c.gbGases, {480, 8, 69, 31}},
      {c.speFilter, "speFilter", c.gbGases, {44, 12, 47, 26}},
      {c.rgGain, "rgGain", c.pnlGainMode, {0, -3, 207, 50}},
      {c.rgMode, "rgMode", c.pnlGainMode, {209, -3, 243, 50}},
      {c.VrPowerButton, "VrPowerButton", c.pnlGainMode, {454, 5, 27, 41}},
  };
}

// Plain labels fit their text in the substitute fonts.
QLabel* SizedToText(QWidget& control) {
  auto* label = qobject_cast<QLabel*>(&control);
  const bool plain = label != nullptr && label->frameShape() == QFrame::NoFrame;
  return plain && label->pixmap().isNull() ? label : nullptr;
}

// A line of text is never cut below the substitute face's line height.
int LineHeight(QWidget& control) {
  const bool text = SizedToText(control) != nullptr || qobject_cast<QCheckBox*>(&control);
  return text ? control.fontMetrics().height() : 0;
}

TEST_F(Layout, EveryControlIsNamedAndPlacedOnItsParent) {
  const std::vector<Placement> placements = DesignPlacements(client, c);
  // The record holds nothing but control pointers: one row for each.
  ASSERT_EQ(placements.size(), sizeof(TMainControls) / sizeof(QWidget*));
  for (const Placement& row : placements) {
    SCOPED_TRACE(row.name);
    ASSERT_NE(row.control, nullptr);
    EXPECT_EQ(row.control->objectName(), row.name);
    EXPECT_EQ(row.control->parentWidget(), row.parent);
    QLabel* label = SizedToText(*row.control);
    const int width = label != nullptr ? label->sizeHint().width() : row.geometry.width();
    const int height = std::max(row.geometry.height(), LineHeight(*row.control));
    EXPECT_EQ(row.control->geometry(), QRect(row.geometry.topLeft(), QSize(width, height)));
  }
}

TEST_F(Layout, ClientControlsAreStackedInCreationOrder) {
  QStringList expected;
  for (const Placement& row : DesignPlacements(client, c))
    if (row.parent == &client) expected << row.name;
  QStringList stacked;
  for (QObject* child : client.children())
    if (child->isWidgetType()) stacked << child->objectName();
  EXPECT_EQ(stacked, expected);
}

TEST_F(Layout, SetLabelTextGrowsAndShrinksToTheRight) {
  SetLabelText(*c.Label5, QStringLiteral("27.5 ma"));
  const QRect grown = c.Label5->geometry();
  EXPECT_EQ(grown.topLeft(), QPoint(220, 14));
  EXPECT_GT(grown.width(), 19 * 2);
  SetLabelText(*c.Label5, QStringLiteral("ma"));
  EXPECT_EQ(c.Label5->pos(), QPoint(220, 14));
  EXPECT_LT(c.Label5->width(), grown.width());
  EXPECT_EQ(c.Label5->height(), grown.height());
}

}  // namespace
}  // namespace orvane::panel::test
