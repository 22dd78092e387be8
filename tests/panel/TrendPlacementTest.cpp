#include <gtest/gtest.h>

#include "panel/TrendOpener.h"

namespace orvane::panel::test {
namespace {

const QRect kScreen(0, 0, 1920, 1040);
const QSize kSize(770, 470);

void ExpectBeside(const QRect& placed, const QRect& panel) {
  EXPECT_TRUE(kScreen.contains(placed)) << placed.x() << "," << placed.y();
  EXPECT_FALSE(placed.intersects(panel)) << placed.x() << "," << placed.y();
}

TEST(TrendPlacementTest, GoesRightOfThePanelAtItsTopWhenThereIsRoom) {
  const QRect panel(100, 200, 620, 360);
  const QRect placed = PlaceBeside(panel, kSize, kScreen);
  ExpectBeside(placed, panel);
  EXPECT_EQ(placed.size(), kSize);
  EXPECT_EQ(placed.top(), panel.top());
  EXPECT_GT(placed.left(), panel.right());
}

TEST(TrendPlacementTest, TakesTheLeftOfAPanelAtTheRightEdgeAndStaysOnScreen) {
  const QRect panel(1300, 800, 620, 240);
  const QRect placed = PlaceBeside(panel, kSize, kScreen);
  ExpectBeside(placed, panel);
  EXPECT_EQ(placed.right(), panel.left() - 9) << "against the panel across the gap";
  EXPECT_EQ(placed.bottom(), kScreen.bottom()) << "pushed up to stay on screen";
}

TEST(TrendPlacementTest, GoesBelowOrAboveAPanelTooWideForEitherSide) {
  const QRect top(300, 0, 1400, 360);
  EXPECT_GT(PlaceBeside(top, kSize, kScreen).top(), top.bottom());
  const QRect bottom(300, 600, 1400, 440);
  const QRect above = PlaceBeside(bottom, kSize, kScreen);
  ExpectBeside(above, bottom);
  EXPECT_EQ(above.left(), bottom.left());
  EXPECT_EQ(above.bottom(), bottom.top() - 9);
}

TEST(TrendPlacementTest, ShrinksIntoTheWidestFreeSideBeforeCoveringThePanel) {
  const QRect small(0, 0, 800, 600);
  const QRect panel(0, 0, 380, 600);
  const QRect placed = PlaceBeside(panel, kSize, small);
  EXPECT_TRUE(small.contains(placed));
  EXPECT_FALSE(placed.intersects(panel));
  EXPECT_LT(placed.width(), kSize.width());
  EXPECT_EQ(placed.height(), kSize.height());
}

TEST(TrendPlacementTest, AScreenWithNoRoomStillGetsTheWholeWindowOnIt) {
  const QRect tiny(0, 0, 640, 480);
  const QRect placed = PlaceBeside(QRect(0, 0, 600, 460), kSize, tiny);
  EXPECT_TRUE(tiny.contains(placed));
  EXPECT_EQ(placed.size(), kSize.boundedTo(tiny.size()));
}

}  // namespace
}  // namespace orvane::panel::test
