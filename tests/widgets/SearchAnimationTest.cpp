#include <QTest>

#include "TestSupport.h"
#include "widgets/TSearchAnimation.h"

namespace orvane::widgets::test {
namespace {

class SteppedAnimation : public TSearchAnimation {
 public:
  using TSearchAnimation::Tick;
  using TSearchAnimation::TSearchAnimation;
};

bool AnyTimerRunning(const QObject& owner) {
  for (const TTimer* timer : owner.findChildren<TTimer*>()) {
    if (timer->Running()) return true;
  }
  return false;
}

// The search dialog shows it, then hides and destroys it; nothing may tick
// while it is off the screen.
TEST(SearchAnimation, RunsOnlyWhileShown) {
  QWidget dialog;
  TSearchAnimation animation(&dialog);
  animation.Start();
  EXPECT_FALSE(animation.Active());
  EXPECT_FALSE(AnyTimerRunning(animation));

  dialog.show();
  EXPECT_TRUE(animation.Active());
  EXPECT_TRUE(QTest::qWaitFor([&] { return animation.Frame() >= 3; }, 3000));

  dialog.hide();
  EXPECT_FALSE(animation.Active());
  EXPECT_FALSE(AnyTimerRunning(animation));
  const int held = animation.Frame();
  QTest::qWait(4 * TSearchAnimation::kFrameInterval);
  EXPECT_EQ(animation.Frame(), held);

  dialog.show();
  EXPECT_TRUE(animation.Active());
  EXPECT_EQ(animation.Frame(), 0);

  dialog.setWindowState(Qt::WindowMinimized);
  EXPECT_FALSE(AnyTimerRunning(animation));
  dialog.setWindowState(Qt::WindowNoState);
  EXPECT_TRUE(animation.Active());
}

TEST(SearchAnimation, StopHoldsTheFrameWhileShown) {
  SteppedAnimation animation;
  animation.show();
  animation.Tick();
  animation.Tick();
  animation.Stop();
  EXPECT_FALSE(AnyTimerRunning(animation));
  QTest::qWait(3 * TSearchAnimation::kFrameInterval);
  EXPECT_EQ(animation.Frame(), 2);
}

TEST(SearchAnimation, EveryFrameMovesAndTheLoopClosesAfterFrame29) {
  SteppedAnimation animation;
  const QImage first = Render(animation);
  ASSERT_EQ(first.size(), QSize(80, 50));
  QImage previous = first;
  for (int frame = 1; frame < TSearchAnimation::kFrameCount; ++frame) {
    animation.Tick();
    ASSERT_EQ(animation.Frame(), frame);
    const QImage image = Render(animation);
    EXPECT_NE(image, previous) << "frame " << frame;
    previous = image;
  }
  animation.Tick();
  EXPECT_EQ(animation.Frame(), 0);
  EXPECT_EQ(Render(animation), first);
}

}  // namespace
}  // namespace orvane::widgets::test
