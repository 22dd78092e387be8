#include <algorithm>
#include <vector>

#include <QAbstractButton>
#include <QSet>

#include "LayoutFixture.h"
#include "widgets/TCheckBox.h"
#include "widgets/TRadioGroup.h"
#include "widgets/TVrPowerButton.h"
#include "widgets/TantMovablePanel.h"

namespace orvane::panel::test {
namespace {

// Every control the layout placed: the widgets it named (Qt names the
// inner parts of its own widgets "qt_...").
std::vector<QWidget*> Controls(QWidget& client) {
  std::vector<QWidget*> controls;
  for (QWidget* widget : client.findChildren<QWidget*>()) {
    const QString name = widget->objectName();
    if (!name.isEmpty() && !name.startsWith(QLatin1String("qt_"))) controls.push_back(widget);
  }
  return controls;
}

// Controls the operator works with the mouse or the keyboard.
bool TakesInput(const QWidget& control) {
  return control.focusPolicy() != Qt::NoFocus || qobject_cast<const QAbstractButton*>(&control) ||
         qobject_cast<const w::TVrPowerButton*>(&control);
}

// A frameless panel draws nothing of its own; only what it holds is seen.
bool DrawsNothing(const QWidget& control) {
  const auto* frame = qobject_cast<const QFrame*>(&control);
  return frame != nullptr && frame->metaObject() == &QFrame::staticMetaObject &&
         frame->frameShape() == QFrame::NoFrame;
}

// Whether `upper` is stacked above its sibling `lower`.
bool StackedAbove(const QWidget& upper, const QWidget& lower) {
  const QObjectList& siblings = upper.parentWidget()->children();
  return siblings.indexOf(&upper) > siblings.indexOf(&lower);
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

TEST_F(Layout, EveryControlIsNamedOnceAndSitsOnTheClientOrABand) {
  const std::vector<QWidget*> controls = Controls(client);
  // The record holds nothing but control pointers: one named widget each.
  ASSERT_EQ(controls.size(), sizeof(TMainControls) / sizeof(QWidget*));
  QSet<QString> names;
  for (QWidget* control : controls) {
    SCOPED_TRACE(control->objectName().toStdString());
    EXPECT_FALSE(names.contains(control->objectName()));
    names.insert(control->objectName());
    QWidget* parent = control->parentWidget();
    EXPECT_TRUE(parent == &client || std::ranges::count(controls, parent) == 1);
  }
}

// The gain and mode groups start above their panel, which cuts off their top
// rows, and the sliding panel rests below the window's edge with its strip
// showing: those show in part. Labels fit their text and no line of text is
// cut below its face's line height.
TEST_F(Layout, ControlsLieInsideTheirParentsAndFitTheirText) {
  const std::vector<QWidget*> cut = {c.rgGain, c.rgMode, c.OptionsPanel};
  for (QWidget* control : Controls(client)) {
    SCOPED_TRACE(control->objectName().toStdString());
    const QRect area = control->parentWidget()->rect();
    const bool shownInPart = std::ranges::count(cut, control) == 1;
    EXPECT_TRUE(shownInPart ? area.intersects(control->geometry())
                            : area.contains(control->geometry()));
    const QLabel* label = SizedToText(*control);
    EXPECT_TRUE(label == nullptr || label->width() == label->sizeHint().width());
    EXPECT_GE(control->height(), LineHeight(*control));
  }
}

// Controls that take input and displays never overlap one another, so a
// click reaches the control under it. A label may touch a control it
// captions, beneath it so the control keeps its clicks, or lie on a display
// it reads out, above it so that it shows.
TEST_F(Layout, OnlyLabelsOverlapAndTheyStackByWhatTheyCover) {
  const std::vector<QWidget*> controls = Controls(client);
  for (QWidget* a : controls) {
    for (QWidget* b : controls) {
      const bool siblings = a != b && a->parentWidget() == b->parentWidget();
      if (!siblings || DrawsNothing(*a) || DrawsNothing(*b) ||
          !a->geometry().intersects(b->geometry()))
        continue;
      SCOPED_TRACE((a->objectName() + " over " + b->objectName()).toStdString());
      const bool aLabel = qobject_cast<QLabel*>(a) != nullptr;
      const bool bLabel = qobject_cast<QLabel*>(b) != nullptr;
      EXPECT_TRUE(aLabel || bLabel);
      EXPECT_TRUE(!aLabel || bLabel || StackedAbove(*a, *b) != TakesInput(*b));
    }
  }
}

// Slid out, the panel of the lamp table covers the lamp group.
TEST_F(Layout, SlidingPanelIsStackedAboveWhatItCoversWhenOut) {
  w::TantMovablePanel& panel = *c.OptionsPanel;
  const QRect out = panel.geometry().translated(0, -panel.MoveLength());
  int covered = 0;
  for (QWidget* control : Controls(client)) {
    if (control == &panel || control->parentWidget() != &client) continue;
    if (!out.intersects(control->geometry())) continue;
    ++covered;
    EXPECT_TRUE(StackedAbove(panel, *control)) << control->objectName().toStdString();
  }
  EXPECT_GT(covered, 0);
}

TEST_F(Layout, SetLabelTextGrowsAndShrinksToTheRight) {
  const QPoint place = c.Label5->pos();
  SetLabelText(*c.Label5, QStringLiteral("27.5 ma"));
  const QRect grown = c.Label5->geometry();
  EXPECT_EQ(grown.topLeft(), place);
  SetLabelText(*c.Label5, QStringLiteral("ma"));
  EXPECT_EQ(c.Label5->pos(), place);
  EXPECT_LT(c.Label5->width(), grown.width());
  EXPECT_EQ(c.Label5->height(), grown.height());
}

}  // namespace
}  // namespace orvane::panel::test
