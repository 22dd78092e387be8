#include <QDeadlineTimer>
#include <QTest>

#include "TestSupport.h"
#include "widgets/TantMovablePanel.h"

namespace orvane::widgets::test {
namespace {

class SteppedPanel : public TantMovablePanel {
 public:
  using TantMovablePanel::TantMovablePanel;
  using TantMovablePanel::Tick;
};

// The main window's options panel, driven by a clock the test sets.
class MovablePanel : public ::testing::Test {
 protected:
  void SetUp() override {
    panel.SetClock([this] { return now; });
    panel.SetMoveNewStyle(true);
    panel.SetMoveFullTime(500);
    panel.SetTimerInterval(50);
    panel.SetMovePerTick(10);
    panel.SetMoveLength(115);
    panel.SetDirection(TDirection::drUp);
    panel.setGeometry(437, 354, 215, 149);
    panel.Loaded();
    panel.SetOnDoMove([this](QObject*) { events += "do "; });
    panel.SetOnUndoMove([this](QObject*) { events += "undo "; });
    panel.SetOnMoveEnd([this](QObject*) { events += "end "; });
  }
  int TickAt(std::uint32_t ms) {
    now = start + ms;
    panel.Tick();
    return 354 - panel.y();
  }

  std::uint32_t start = 1000;
  std::uint32_t now = start;
  QWidget host;
  SteppedPanel panel{&host};
  std::string events;
};

TEST_F(MovablePanel, SlidesOutOverFullTimeAndEndsExactlyAtLength) {
  panel.DoMove();
  const int expected[] = {11, 23, 34, 46, 57, 69, 80, 92, 103, 115};
  for (int i = 0; i < 10; ++i) EXPECT_EQ(TickAt(50u * (i + 1)), expected[i]) << i;
  EXPECT_TRUE(panel.MovingNow());
  EXPECT_EQ(TickAt(550), 115);
  EXPECT_FALSE(panel.MovingNow());
  EXPECT_TRUE(panel.ToDirection());
  EXPECT_EQ(panel.y(), 239);
  EXPECT_EQ(panel.x(), 437);
  EXPECT_EQ(events, "do end ");
}

TEST_F(MovablePanel, ReversalHalfwayComesBackInTheTimeTakenSoFar) {
  panel.DoMove();
  EXPECT_EQ(TickAt(250), 57);
  panel.UndoMove();
  int last = 115;
  for (std::uint32_t ms = 300; ms <= 450; ms += 50) {
    const int offset = TickAt(ms);
    EXPECT_LT(offset, last);
    last = offset;
  }
  EXPECT_EQ(TickAt(500), 0);
  EXPECT_EQ(TickAt(510), 0);
  EXPECT_FALSE(panel.MovingNow());
  EXPECT_EQ(events, "do undo end ");
}

TEST_F(MovablePanel, EndPositionIsExactWhateverTheTickTiming) {
  panel.DoMove();
  EXPECT_EQ(TickAt(37), 8);
  EXPECT_EQ(TickAt(333), 76);
  EXPECT_EQ(TickAt(612), 115);
  EXPECT_FALSE(panel.MovingNow());
  panel.UndoMove();
  EXPECT_EQ(TickAt(1400), 0);
  EXPECT_FALSE(panel.MovingNow());
}

TEST_F(MovablePanel, TimeArithmeticWrapsAtThirtyTwoBits) {
  start = 0xFFFFFF00u;
  now = start;
  panel.DoMove();
  EXPECT_EQ(TickAt(250), 57);
  EXPECT_EQ(TickAt(300), 69);
  EXPECT_TRUE(panel.MovingNow());
  panel.UndoMove();
  EXPECT_EQ(TickAt(350), 115 - 57);
}

// A slide whose time is up but whose last tick has not come yet turns round
// from its far end instead of flying off.
TEST_F(MovablePanel, ReversalAfterTheTimeIsUpStartsFromTheEnd) {
  panel.DoMove();
  now = start + 700;
  panel.UndoMove();
  EXPECT_EQ(TickAt(700), 115);
  EXPECT_EQ(TickAt(950), 58);
  EXPECT_EQ(TickAt(1250), 0);
}

TEST_F(MovablePanel, SecondDoMoveKeepsTimingButRaisesItsEvent) {
  panel.DoMove();
  TickAt(100);
  now = start + 200;
  panel.DoMove();
  EXPECT_EQ(TickAt(250), 57);
  EXPECT_EQ(events, "do do ");
}

TEST_F(MovablePanel, AutoBackReturnsByItselfAndAutoRepeatKeepsGoing) {
  panel.SetAutoBack(true);
  panel.DoMove();
  TickAt(600);
  EXPECT_EQ(events, "do end undo ");
  EXPECT_FALSE(panel.ToDirection());
  EXPECT_TRUE(panel.MovingNow());
  TickAt(1200);
  EXPECT_EQ(events, "do end undo end ");
  EXPECT_FALSE(panel.MovingNow());

  panel.SetAutoBack(false);
  panel.SetAutoRepeat(true);
  panel.UndoMove();
  TickAt(1800);
  EXPECT_EQ(events, "do end undo end undo end do ");
}

TEST_F(MovablePanel, ChangeDirectionTurnsTheTargetWithoutStarting) {
  panel.ChangeDirection();
  EXPECT_TRUE(panel.ToDirection());
  EXPECT_FALSE(panel.MovingNow());
  EXPECT_EQ(panel.y(), 354);
  EXPECT_TRUE(events.empty());
}

TEST_F(MovablePanel, FixedStepsStopExactlyAtEitherEnd) {
  panel.SetMoveNewStyle(false);
  panel.SetMoveLength(25);
  panel.DoMove();
  EXPECT_EQ(TickAt(0), 10);
  EXPECT_EQ(TickAt(0), 20);
  EXPECT_EQ(TickAt(0), 25);
  EXPECT_FALSE(panel.MovingNow());
  panel.UndoMove();
  EXPECT_EQ(TickAt(0), 15);
  EXPECT_EQ(TickAt(0), 5);
  EXPECT_EQ(TickAt(0), 0);
  EXPECT_EQ(events, "do end undo end ");
}

TEST_F(MovablePanel, EveryDirectionMovesTheMatchingEdge) {
  const struct {
    TDirection direction;
    QPoint out;
  } cases[] = {{TDirection::drDown, {437, 469}},
               {TDirection::drLeft, {322, 354}},
               {TDirection::drRight, {552, 354}}};
  std::uint32_t ms = 0;
  for (const auto& c : cases) {
    panel.move(437, 354);
    panel.SetDirection(c.direction);
    panel.Loaded();
    panel.DoMove();
    ms += 1000;
    TickAt(ms);
    EXPECT_EQ(panel.pos(), c.out);
    EXPECT_EQ(panel.Offset(), 115);
  }
}

TEST_F(MovablePanel, ClickRaisesOnClickAndMovesNothing) {
  int clicks = 0;
  panel.SetOnClick([&](QObject*) { ++clicks; });
  QTest::mouseClick(&panel, Qt::LeftButton, {}, {20, 5});
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(panel.pos(), QPoint(437, 354));
  EXPECT_FALSE(panel.MovingNow());
}

// Through the window, as the platform delivers it: press, release, press,
// double-click, release.
TEST_F(MovablePanel, DoubleClickRaisesOneClick) {
  int clicks = 0;
  panel.SetOnClick([&](QObject*) { ++clicks; });
  host.resize(700, 520);
  host.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&host));
  QTest::mouseDClick(host.windowHandle(), Qt::LeftButton, {}, panel.mapTo(&host, QPoint(20, 5)));
  EXPECT_EQ(clicks, 1);
  QTest::mouseClick(host.windowHandle(), Qt::LeftButton, {}, panel.mapTo(&host, QPoint(20, 5)));
  EXPECT_EQ(clicks, 2);
}

TEST(MovablePanelTimer, RealTimerAndClockFinishTheSlide) {
  QWidget host;
  TantMovablePanel panel(&host);
  panel.SetMoveNewStyle(true);
  panel.SetMoveFullTime(120);
  panel.SetTimerInterval(10);
  panel.SetMoveLength(50);
  panel.SetDirection(TDirection::drUp);
  panel.move(0, 100);
  panel.Loaded();
  panel.DoMove();
  EXPECT_TRUE(panel.MovingNow());
  QDeadlineTimer deadline(5000);
  while (panel.MovingNow() && !deadline.hasExpired()) QTest::qWait(5);
  EXPECT_FALSE(panel.MovingNow());
  EXPECT_EQ(panel.y(), 50);
}

}  // namespace
}  // namespace orvane::widgets::test
