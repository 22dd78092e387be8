#include <stdexcept>

#include <QFontInfo>
#include <QLineEdit>
#include <QRadioButton>
#include <QStyle>
#include <QTest>

#include "TestSupport.h"
#include "widgets/TButton.h"
#include "widgets/TCheckBox.h"
#include "widgets/TRadioGroup.h"
#include "widgets/TSpinEdit.h"
#include "widgets/TTimer.h"
#include "widgets/TTrackBar.h"

namespace orvane::widgets::test {
namespace {

TEST(FontSubstitutes, LayoutFontsResolveToInstalledOnes) {
  EXPECT_EQ(QFontInfo(QFont("MS Sans Serif")).family(), "Liberation Sans");
  EXPECT_EQ(QFontInfo(QFont("Arial Narrow")).family(), "Liberation Sans Narrow");
  EXPECT_EQ(QFontInfo(QFont("Small Fonts")).family(), "Liberation Sans");
}

TEST(ErrorGuard, ShowsTheErrorsMessageAndCarriesOn) {
  RecordedErrors errors;
  EXPECT_FALSE(TErrorGuard::Run([] { throw std::runtime_error("Port not open"); }));
  EXPECT_FALSE(TErrorGuard::Run([] { throw 42; }));
  EXPECT_TRUE(TErrorGuard::Run([] {}));
  EXPECT_EQ(errors.messages, (QStringList{"Port not open", "Unknown error"}));
}

TEST(Timer, EnablingARunningTimerKeepsItsCountdown) {
  TTimer timer(nullptr, 1000);
  timer.SetEnabled(true);
  QTest::qWait(300);
  timer.SetEnabled(true);
  EXPECT_LE(timer.RemainingTime(), 750);
  timer.SetInterval(1000);
  EXPECT_LE(timer.RemainingTime(), 750);

  timer.SetEnabled(false);
  EXPECT_FALSE(timer.Running());
  timer.SetEnabled(true);
  EXPECT_GE(timer.RemainingTime(), 900);
  QTest::qWait(300);
  timer.SetInterval(3000);
  EXPECT_GE(timer.RemainingTime(), 2900);
}

TEST(Timer, RunsOnlyEnabledWithAnInterval) {
  TTimer timer(nullptr, 0);
  timer.SetEnabled(true);
  EXPECT_FALSE(timer.Running());
  timer.SetInterval(50);
  EXPECT_TRUE(timer.Running());
  timer.SetEnabled(false);
  timer.SetInterval(60);
  EXPECT_FALSE(timer.Running());
}

TEST(Timer, TicksReachTheHandlerThroughTheGuard) {
  RecordedErrors errors;
  TTimer timer(nullptr, 5);
  int ticks = 0;
  timer.SetOnTimer([&](QObject* sender) {
    EXPECT_EQ(sender, &timer);
    if (++ticks == 1) throw std::runtime_error("first tick failed");
    timer.SetEnabled(false);
  });
  timer.SetEnabled(true);
  QDeadlineTimer deadline(5000);
  while (timer.Enabled() && !deadline.hasExpired()) QTest::qWait(5);
  EXPECT_EQ(ticks, 2);
  EXPECT_EQ(errors.messages, QStringList{"first tick failed"});
}

class RadioGroup : public ::testing::Test {
 protected:
  void SetUp() override {
    group->SetColumns(2);
    group->SetItems({"1", "10", "100", "1000"});
    group->SetItemIndex(2);
    group->SetOnClick([this](QObject* sender) {
      EXPECT_EQ(sender, group);
      seen.push_back(group->ItemIndex());
    });
    host.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&host));
  }
  void ClickItem(int index) { QTest::mouseClick(group->Button(index), Qt::LeftButton, {}, {6, 6}); }

  QWidget host;
  TRadioGroup* group = new TRadioGroup(&host);
  std::vector<int> seen;
};

TEST_F(RadioGroup, CodeChangesAreClampedAndReportedOnlyWhenTheyChange) {
  group->SetItemIndex(9);
  group->SetItemIndex(3);
  group->SetItemIndex(-7);
  group->SetItemIndex(-1);
  EXPECT_EQ(seen, (std::vector<int>{3, -1}));
  for (int i = 0; i < group->Count(); ++i) EXPECT_FALSE(group->Button(i)->isChecked());
  group->SetItemIndex(0);
  EXPECT_TRUE(group->Button(0)->isChecked());
}

TEST_F(RadioGroup, OperatorClicksReportChangesButNotRepeats) {
  ClickItem(1);
  ClickItem(1);
  EXPECT_EQ(seen, std::vector<int>{1});
  EXPECT_EQ(group->ItemIndex(), 1);
}

TEST_F(RadioGroup, DisabledItemRefusesTheOperatorButNotTheCode) {
  group->SetItemEnabled(0, false);
  EXPECT_FALSE(group->ItemEnabled(0));
  ClickItem(0);
  EXPECT_TRUE(seen.empty());
  group->SetItemIndex(0);
  EXPECT_EQ(seen, std::vector<int>{0});
}

TEST_F(RadioGroup, ItemsFillColumnsTopToBottom) {
  EXPECT_EQ(group->Button(0)->x(), group->Button(1)->x());
  EXPECT_LT(group->Button(0)->y(), group->Button(1)->y());
  EXPECT_LT(group->Button(0)->x(), group->Button(2)->x());
  EXPECT_EQ(group->Button(0)->y(), group->Button(2)->y());
}

TEST_F(RadioGroup, HandlerErrorOnOperatorClickIsShown) {
  RecordedErrors errors;
  group->SetOnClick([](QObject*) { throw std::runtime_error("send failed"); });
  ClickItem(3);
  EXPECT_EQ(group->ItemIndex(), 3);
  EXPECT_EQ(errors.messages, QStringList{"send failed"});
}

// The main window's four sliders and their manual ticks.
TEST(TrackBar, TicksCountBothEndsAndTheSetOnes) {
  TTrackBar pump;
  pump.SetRange(0, 255);
  for (int i = 16; i < 255; i += 16) pump.SetTick(i);
  EXPECT_EQ(pump.TickCount(), 17);
  TTrackBar primary;
  primary.SetRange(0, 255);
  for (int i = 32; i < 255; i += 32) primary.SetTick(i);
  EXPECT_EQ(primary.TickCount(), 9);
  TTrackBar boost;
  boost.SetRange(0, 255);
  for (int i = 21; i < 252; i += 21) boost.SetTick(i);
  boost.SetTick(300);
  boost.SetTick(255);
  EXPECT_EQ(boost.TickCount(), 13);
  EXPECT_EQ(boost.Ticks()[11], 231);
  EXPECT_EQ(boost.Ticks().back(), 255);
  boost.ClearTicks();
  EXPECT_EQ(boost.TickCount(), 2);
}

TEST(TrackBar, EveryChangeOfPositionRunsTheHandler) {
  TTrackBar bar;
  bar.SetRange(0, 255);
  std::vector<int> seen;
  bar.SetOnChange([&](QObject*) { seen.push_back(bar.Position()); });
  bar.SetPosition(300);
  bar.SetPosition(255);
  bar.SetPosition(128);
  bar.setValue(129);  // as a drag or key press moves it
  bar.SetRange(0, 100);
  EXPECT_EQ(seen, (std::vector<int>{255, 128, 129, 100}));
  RecordedErrors errors;
  bar.SetOnChange([](QObject*) { throw std::runtime_error("bad slider"); });
  EXPECT_THROW(bar.SetPosition(5), std::runtime_error);
  QTest::keyClick(&bar, Qt::Key_Right);
  EXPECT_EQ(bar.Position(), 6);
  EXPECT_EQ(errors.messages, QStringList{"bad slider"});
}

TEST(TrackBar, DrawsSelectionInTheChannelAndTicksBelow) {
  TTrackBar bar;
  bar.resize(294, 33);
  bar.SetRange(0, 255);
  bar.SetTick(128);
  bar.SetSelStart(0);
  bar.SetSelEnd(128);
  const QImage image = Render(bar);
  const QColor highlight = bar.palette().color(QPalette::Highlight);
  const QColor text = bar.palette().color(QPalette::WindowText);
  int selected = 0;
  for (int x = 0; x < image.width(); ++x) selected += At(image, x, 16) == highlight;
  EXPECT_GT(selected, 100);
  EXPECT_LT(selected, 200);
  int tickColumns = 0;
  for (int x = 0; x < image.width(); ++x) {
    bool tick = false;
    for (int y = image.height() - 6; y < image.height(); ++y)
      tick = tick || At(image, x, y) == text;
    tickColumns += tick;
  }
  EXPECT_EQ(tickColumns, 3);
}

TEST(SpinEdit, KeepsItsRangeAndReadsNonNumbersAsTheMinimum) {
  TSpinEdit box;
  box.SetRange(1, 64);
  box.SetMaxLength(2);
  box.SetValue(32);
  std::vector<int> seen;
  box.SetOnChange([&](QObject*) { seen.push_back(box.Value()); });
  box.SetValue(99);
  EXPECT_EQ(box.Value(), 64);
  box.SetValue(64);
  EXPECT_EQ(seen, std::vector<int>{64});

  QLineEdit* edit = box.findChild<QLineEdit*>();
  edit->selectAll();
  QTest::keyClicks(edit, "99");
  EXPECT_EQ(edit->text(), "64");
  edit->selectAll();
  QTest::keyClick(edit, Qt::Key_Backspace);
  EXPECT_EQ(edit->text(), "");
  EXPECT_EQ(box.Value(), 1);
  QTest::keyClicks(edit, "x0");
  EXPECT_EQ(edit->text(), "1");
  EXPECT_EQ(seen, (std::vector<int>{64, 9, 64, 1, 1}));
}

TEST(SpinEdit, ArrowsRepeatAfter400MsThenEvery100) {
  TSpinEdit box;
  EXPECT_EQ(box.style()->styleHint(QStyle::SH_SpinBox_ClickAutoRepeatThreshold, nullptr, &box),
            400);
  EXPECT_EQ(box.style()->styleHint(QStyle::SH_SpinBox_ClickAutoRepeatRate, nullptr, &box), 100);
}

TEST(Button, ClickFromCodeRunsEvenWhenDisabled) {
  TButton button;
  int clicks = 0;
  button.SetOnClick([&](QObject*) { ++clicks; });
  button.setEnabled(false);
  QTest::mouseClick(&button, Qt::LeftButton);
  EXPECT_EQ(clicks, 0);
  button.Click();
  EXPECT_EQ(clicks, 1);
  button.setEnabled(true);
  QTest::mouseClick(&button, Qt::LeftButton);
  EXPECT_EQ(clicks, 2);
  RecordedErrors errors;
  button.SetOnClick([](QObject*) { throw std::runtime_error("no port"); });
  EXPECT_THROW(button.Click(), std::runtime_error);
  QTest::mouseClick(&button, Qt::LeftButton);
  EXPECT_EQ(errors.messages, QStringList{"no port"});
}

TEST(CheckBox, StateChangesFromCodeOrOperatorRunTheHandler) {
  TCheckBox box;
  int clicks = 0;
  box.SetOnClick([&](QObject*) { ++clicks; });
  box.SetChecked(false);
  box.SetChecked(true);
  box.SetChecked(true);
  EXPECT_EQ(clicks, 1);
  QTest::mouseClick(&box, Qt::LeftButton, {}, {5, box.height() / 2});
  EXPECT_FALSE(box.Checked());
  EXPECT_EQ(clicks, 2);
}

}  // namespace
}  // namespace orvane::widgets::test
