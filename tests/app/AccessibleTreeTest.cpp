#include <gtest/gtest.h>

#include <QAccessible>

#include "PanelRig.h"
#include "instrument/Units.h"
#include "panel/ScreenNumber.h"
#include "panel/TrendWindow.h"
#include "widgets/Accessibility.h"
#include "widgets/TTrackBar.h"

namespace orvane::app::test {
namespace {

QAccessibleInterface* Ask(QObject* object) { return QAccessible::queryAccessibleInterface(object); }

// Roles AT-SPI hands on as invalid, unknown or filler: a screen reader says
// nothing of such a control.
bool ReadsAsNothing(QAccessible::Role role) {
  switch (role) {
    case QAccessible::NoRole:
    case QAccessible::Client:
    case QAccessible::Indicator:
    case QAccessible::Grip:
    case QAccessible::Sound:
    case QAccessible::Cursor:
    case QAccessible::Caret:
    case QAccessible::Clock:
    case QAccessible::Whitespace:
    case QAccessible::UserRole:
      return true;
    default:
      return false;
  }
}

struct TTreeReading {
  QStringList faults;
  QStringList names;  // of everything shown, in the order of the tree
};

// A screen reader names a cell by its headers, shown or not.
bool IsHeader(QAccessibleInterface* face) {
  return face->role() == QAccessible::ColumnHeader || face->role() == QAccessible::RowHeader;
}

// What a screen reader finds wrong in a shown part of the tree: a control
// read as nothing or read without a name, text spaced out to line up, a
// table header read as its number, a slider giving only its raw position.
QString FaultOf(QAccessibleInterface* face) {
  const QString name = face->text(QAccessible::Name);
  const QAccessible::Role role = face->role();
  const bool leaf = face->childCount() == 0;
  bool numbered = false;
  name.toInt(&numbered);
  if (leaf && ReadsAsNothing(role)) return QString("reads as ") + qAccessibleRoleString(role);
  if (leaf && name.isEmpty() && role != QAccessible::Cell && !IsHeader(face)) return "has no name";
  if (role == QAccessible::StaticText && name.trimmed().contains("  ")) return "is padded: " + name;
  if (IsHeader(face) && numbered) return "header reads as its number";
  if (role == QAccessible::Slider && face->text(QAccessible::Description).isEmpty())
    return "says only its position";
  return {};
}

// Qt's button in the corner between a table's headers, which it never names.
bool IsTableCorner(QAccessibleInterface* face) {
  return face->object() == nullptr && face->role() == QAccessible::Pane;
}

// AT-SPI reads both roles as a frame: a window within the window.
bool ReadsAsAWindow(QAccessibleInterface* face) {
  return face->role() == QAccessible::Window || face->role() == QAccessible::Border;
}

void Walk(QAccessibleInterface* face, TTreeReading& reading, bool top = false) {
  if ((face->state().invisible && !IsHeader(face)) || IsTableCorner(face)) return;
  reading.names << face->text(QAccessible::Name);
  QString fault = FaultOf(face);
  if (!top && ReadsAsAWindow(face)) fault = "reads as a window inside the window";
  if (!fault.isEmpty()) {
    const QObject* object = face->object();
    reading.faults << QString("%1 %2 %3")
                          .arg(object != nullptr ? object->objectName()
                                                 : face->parent()->text(QAccessible::Name),
                               qAccessibleRoleString(face->role()), fault);
  }
  for (int i = 0; i < face->childCount(); ++i) Walk(face->child(i), reading);
}

TTreeReading ReadWindow(QWidget& window) {
  QAccessibleInterface* face = Ask(&window);
  TTreeReading reading;
  if (face->role() != QAccessible::Window)
    reading.faults << QString("window reads as ") + qAccessibleRoleString(face->role());
  Walk(face, reading, true);
  return reading;
}

using AccessibleTree = panel::test::PanelRig;

// Both windows as a screen reader walks them, connected to model B so that
// every band is shown and the trend has readings.
TEST_F(AccessibleTree, EveryControlOfBothWindowsReadsWithARoleAndAName) {
  widgets::InstallAccessibility();
  StartSim('B');
  OpenWindow();
  ASSERT_TRUE(WaitConnected());
  const panel::TMainControls& c = C();
  c.tbPump1->SetPosition(128);
  EXPECT_EQ(Ask(c.tbPump1)->valueInterface()->currentValue(), 128);
  EXPECT_EQ(Ask(c.tbPump1)->text(QAccessible::Description), "50%");

  const TTreeReading panel = ReadWindow(*window);
  EXPECT_EQ(panel.faults.join('\n').toStdString(), "");
  for (const QString led : {"CD", "SD", "RD"})
    EXPECT_EQ(panel.names.count(led), 1) << led.toStdString();

  window->TrendOpener().Open();
  panel::TTrendWindow& trend = *window->TrendOpener().Window();
  QAccessibleInterface* chart = Ask(&trend.Chart());
  // The summary follows the readings as they come.
  const auto latest = [&] {
    const double signal = window->Trend().Readings().Back().signal;
    return "latest reading " + panel::ScreenNumber(units::FormatFixed(signal, 1, 3));
  };
  EXPECT_TRUE(
      RunUntil([&] { return chart->text(QAccessible::Description).contains(latest()); }, 3000))
      << chart->text(QAccessible::Description).toStdString();
  EXPECT_EQ(chart->role(), QAccessible::Chart);
  EXPECT_EQ(ReadWindow(trend).faults.join('\n').toStdString(), "");
}

}  // namespace
}  // namespace orvane::app::test
