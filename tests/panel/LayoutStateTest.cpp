#include <QAccessible>
#include <QFontInfo>
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTableWidget>

#include "LayoutFixture.h"
#include "panel/ScreenNumber.h"
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

const QColor kNavy(0x000080);
const QColor kRed(0xFF0000);

QStringList Items(const w::TRadioGroup& group) {
  QStringList items;
  for (int i = 0; i < group.Count(); ++i) items << group.Button(i)->text();
  return items;
}

TEST_F(Layout, RadioGroupsStartWithTheirDefaultSelection) {
  const struct {
    w::TRadioGroup* group;
    QString caption;
    QStringList items;
    int columns, index;
  } table[] = {
      {c.rgGain, "Gain Setting", {"1", "10", "100", "1000"}, 4, 2},
      {c.rgMode, "Mode Setting", {"Ratio", "Ref", "Emission"}, 3, 1},
      {c.rgAnalysisGas, "Analysis Gas", {"OFF", "ON"}, 2, 0},
      {c.rgDryerGas, "Dryer Gas", {"OFF", "ON"}, 2, 0},
      {c.rgElements, "", {"As", "Se", "Sb", "Te", "Bi"}, 1, -1},
  };
  for (const auto& row : table) {
    SCOPED_TRACE(row.group->objectName().toStdString());
    EXPECT_EQ(row.group->title(), row.caption);
    EXPECT_EQ(Items(*row.group), row.items);
    EXPECT_EQ(row.group->Columns(), row.columns);
    EXPECT_EQ(row.group->ItemIndex(), row.index);
  }
}

TEST_F(Layout, SlidersStartAtZeroAndGetTheirTicksOnShow) {
  const struct {
    w::TTrackBar* slider;
    int tag, pageStep, ticks;
  } table[] = {{c.tbPump1, 1, 16, 17},
               {c.tbPump2, 2, 16, 17},
               {c.tbPrimary, 3, 32, 9},
               {c.tbBoost, 4, 21, 13}};
  PutTickMarks(c);
  PutTickMarks(c);
  for (const auto& row : table) {
    SCOPED_TRACE(row.slider->objectName().toStdString());
    EXPECT_EQ(row.slider->Tag(), row.tag);
    EXPECT_EQ(row.slider->Min(), 0);
    EXPECT_EQ(row.slider->Max(), 255);
    EXPECT_EQ(row.slider->Position(), 0);
    EXPECT_EQ(row.slider->pageStep(), row.pageStep);
    EXPECT_EQ(row.slider->singleStep(), 1);
    EXPECT_EQ(row.slider->SelStart(), 0);
    EXPECT_EQ(row.slider->SelEnd(), 0);
    EXPECT_EQ(row.slider->TickCount(), row.ticks);
  }
  const std::vector<int> boost = c.tbBoost->Ticks();
  EXPECT_EQ(boost[boost.size() - 2], 231);
  EXPECT_EQ(c.tbPrimary->Ticks()[1], 32);
}

TEST_F(Layout, ReadOutsAndIndicatorsStartOff) {
  for (w::TGauge* gauge : {c.PrimaryGauge, c.BoostGauge}) {
    EXPECT_EQ(gauge->MaxValue(), 255);
    EXPECT_EQ(gauge->Progress(), 0);
    EXPECT_EQ(gauge->ForeColor(), kRed);
    EXPECT_FALSE(gauge->ShowText());
  }
  for (w::TVrUserLed* led : {c.ActiveLed, c.ReplyLed, c.StreamLed}) {
    EXPECT_FALSE(led->Active());
    EXPECT_EQ(led->PaletteEx().Low2(), w::kGreen);
    EXPECT_EQ(led->PaletteEx().High2(), w::kLime);
    EXPECT_EQ(led->Bevel().OuterStyle(), w::TVrBevelStyle::bsNone);
  }
  w::TVrPowerButton& power = *c.VrPowerButton;
  EXPECT_FALSE(power.Active());
  EXPECT_EQ(power.Caption(), "ON");
  EXPECT_EQ(power.ImageRect(), QRect(8, 2, 12, 12));
  EXPECT_EQ(power.BevelWidth(), 1);
  for (QLabel* status : {c.pnlGas1Stat, c.pnlGas2Stat, c.lblFlameStat})
    EXPECT_EQ(status->text(), "####");
  EXPECT_EQ(c.Signal->text(), ScreenNumber("0.000"));
  EXPECT_TRUE(c.cbKeepOnTop->Checked());
  EXPECT_EQ(c.speFilter->Value(), 32);
  EXPECT_EQ(c.speFilter->MinValue(), 1);
  EXPECT_EQ(c.speFilter->MaxValue(), 64);
  EXPECT_EQ(c.speFilter->findChild<QLineEdit*>()->maxLength(), 2);
}

TEST_F(Layout, SlidingPanelRestsWithItsStripShowing) {
  w::TantMovablePanel& panel = *c.OptionsPanel;
  EXPECT_TRUE(panel.MoveNewStyle());
  EXPECT_EQ(panel.MoveFullTime(), 500u);
  EXPECT_EQ(panel.TimerInterval(), 50);
  EXPECT_EQ(panel.MoveLength(), 115);
  EXPECT_EQ(panel.Direction(), w::TDirection::drUp);
  EXPECT_EQ(panel.Offset(), 0);
  EXPECT_FALSE(panel.ToDirection());
  EXPECT_EQ(panel.cursor().shape(), Qt::PointingHandCursor);
  EXPECT_FALSE(panel.toolTip().isEmpty());
  const QImage arrow = c.Image1->pixmap().toImage();
  EXPECT_EQ(arrow.size(), QSize(11, 11));
  EXPECT_EQ(arrow.pixelColor(5, 2), Qt::black);
  EXPECT_EQ(arrow.pixelColor(0, 0).alpha(), 0);
  EXPECT_FALSE(c.Image1->isEnabled());
}

TEST_F(Layout, FontsHaveTheirSizesAndColours) {
  const QColor windowText = client.palette().color(QPalette::WindowText);
  const struct {
    QWidget* control;
    int pixels;
    bool bold;
    QColor colour;
    const char* face;
  } table[] = {
      {c.Label1, 14, false, windowText, "Liberation Sans"},
      {c.rgElements, 14, false, windowText, "Liberation Sans"},
      {c.gbGases, 14, false, windowText, "Liberation Sans"},
      {c.gbPumps, 15, false, kNavy, "Liberation Sans"},
      {c.rgGain->Button(0), 15, false, kNavy, "Liberation Sans"},
      {c.cbKeepOnTop, 15, false, kNavy, "Liberation Sans"},
      {c.Label3, 12, false, kNavy, "Liberation Sans Narrow"},
      {c.Label15, 12, true, kNavy, "Liberation Sans Narrow"},
      {c.pnlGas1Stat, 15, true, kRed, "Liberation Sans"},
      {c.lblFlameStat, 15, true, kRed, "Liberation Sans"},
      {c.Signal, 15, false, kRed, "Liberation Sans"},
      {c.Label14, 15, false, kRed, "Liberation Sans"},
      {c.VrPowerButton, 12, false, windowText, "Liberation Sans Narrow"},
      {c.StringGrid1, 10, false, windowText, "Liberation Sans"},
  };
  for (const auto& row : table) {
    SCOPED_TRACE(row.control->objectName().toStdString());
    EXPECT_EQ(row.control->font().pixelSize(), row.pixels);
    EXPECT_EQ(row.control->font().bold(), row.bold);
    EXPECT_EQ(row.control->palette().color(QPalette::WindowText), row.colour);
    EXPECT_EQ(QFontInfo(row.control->font()).family(), row.face);
  }
}

TEST_F(Layout, LampTableHoldsTheOperatingConditions) {
  const QTableWidget& grid = *c.StringGrid1;
  const char* texts[6][3] = {
      {"", "Primary mA", "Boost mA"},        {"Arsenic", "    27.5", "    35.0"},
      {"Selenium", "    20.0", "    25.0"},  {"Antimony", "    17.5", "    15.0"},
      {"Tellurium", "    15.0", "    17.5"}, {"Bismuth", "    12.0", "    10.0"}};
  ASSERT_EQ(grid.rowCount(), 6);
  ASSERT_EQ(grid.columnCount(), 3);
  const int widths[] = {50, 60, 59};
  for (int row = 0; row < 6; ++row) {
    for (int column = 0; column < 3; ++column) {
      const QModelIndex cell = grid.model()->index(row, column);
      EXPECT_EQ(grid.item(row, column)->text(), ScreenNumber(texts[row][column]));
      EXPECT_EQ(grid.visualRect(cell).size(), QSize(widths[column], 14));
    }
  }
  EXPECT_EQ(grid.editTriggers(), QAbstractItemView::NoEditTriggers);
  EXPECT_EQ(grid.horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
  EXPECT_EQ(grid.verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
}

TEST_F(Layout, LampTableCellsAreTealAndFixedOnesButtonFace) {
  const QImage grid = Render(*c.StringGrid1);
  const QRect fixed = c.StringGrid1->visualRect(c.StringGrid1->model()->index(0, 1));
  const QRect cell = c.StringGrid1->visualRect(c.StringGrid1->model()->index(2, 2));
  const QPoint offset = c.StringGrid1->viewport()->pos();
  EXPECT_EQ(At(grid, fixed.right() - 1 + offset.x(), fixed.top() + 1 + offset.y()),
            client.palette().color(QPalette::Button));
  EXPECT_EQ(At(grid, cell.right() - 1 + offset.x(), cell.top() + 1 + offset.y()), QColor(0x008080));
}

TEST_F(Layout, ControlsCarryAccessibleNamesAndDescriptions) {
  const struct {
    QWidget* control;
    QString name, description;
  } table[] = {
      {c.Signal, ScreenNumber("0.000"), "Signal Reading"},
      {c.pnlGas1Stat, "####", "Gas 1 Status"},
      {c.pnlGas2Stat, "####", "Gas 2 Status"},
      {c.lblFlameStat, "####", "Flame Status"},
      {c.Label10, "ma", "Primary Read Out"},
      {c.Label11, "ma", "Boost Read Out"},
      {c.Label5, "ma", "Primary Setting"},
      {c.Label6, "ma", "Boost Setting"},
      {c.Label1, "Pump 1:", "Pump 1 Speed"},
      {c.Label2, "Pump 2 :", "Pump 2 Speed"},
      {c.tbPump1, "Pump 1", ""},
      {c.tbPump2, "Pump 2", ""},
      {c.tbPrimary, "Primary", ""},
      {c.tbBoost, "Boost", ""},
      {c.speFilter, "Filter", ""},
      {c.btnLock, "Lock Application", ""},
      {c.btnSetFilter, "Apply Filter", ""},
      {c.BtnSetCurrent, "Set Lamp Current", ""},
      {c.BtnWakeInstrument, "Reset", ""},
      {c.cbKeepOnTop, "Keep On Top", ""},
      {c.gbPumps, "Pump Speed", ""},
      {c.rgMode->Button(2), "Emission", ""},
  };
  for (const auto& row : table) {
    SCOPED_TRACE(row.control->objectName().toStdString());
    QAccessibleInterface* access = QAccessible::queryAccessibleInterface(row.control);
    ASSERT_NE(access, nullptr);
    EXPECT_EQ(access->text(QAccessible::Name), row.name);
    if (!row.description.isEmpty()) {
      EXPECT_EQ(access->text(QAccessible::Description), row.description);
    }
  }
  c.Signal->setText(QStringLiteral("1.234"));
  EXPECT_EQ(QAccessible::queryAccessibleInterface(c.Signal)->text(QAccessible::Name), "1.234");
}

}  // namespace
}  // namespace orvane::panel::test
