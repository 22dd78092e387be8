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

int Covered(const QRect& placed, const QRect& panel) {
  const QRect both = placed.intersected(panel);
  return both.width() * both.height();
}

// A laptop's 1366 x 768 with the panel centred, and the same at twice the
// scale, where the panel fills the screen, for a window whose controls need
// 720 pixels across: it stays on screen, covers less of the panel than the
// whole window would, and never the status row; the lamp's read-outs stay
// clear where the screen allows.
TEST(TrendPlacementTest, ASmallScreenGetsItWhereItCoversTheLeastAndNeverTheReadOuts) {
  const QSize smallest(720, 250);
  const QRect laptop(0, 0, 1366, 768);
  const QRect panel(347, 186, 672, 395);
  const QRect status(350, 210, 146, 61);
  const TReadOuts readOuts{status, QRegion(status) + QRect(1076, 440, 174, 110)};
  const QRect placed = PlaceBeside(panel, kSize, laptop, readOuts, smallest);
  EXPECT_TRUE(laptop.contains(placed));
  EXPECT_FALSE(readOuts.all.intersects(placed));
  EXPECT_LT(Covered(placed, panel) * 4, panel.width() * panel.height());
  EXPECT_EQ(placed.size().expandedTo(smallest), placed.size());

  const QRect scaled(0, 0, 683, 384);
  const QRect filled(5, -5, 672, 395);
  const QRect scaledStatus(8, 20, 146, 61);
  const TReadOuts scaledReadOuts{scaledStatus, QRegion(scaledStatus) + QRect(380, 270, 174, 80)};
  const QRect shrunk = PlaceBeside(filled, kSize, scaled, scaledReadOuts, smallest);
  EXPECT_TRUE(scaled.contains(shrunk));
  EXPECT_FALSE(shrunk.intersects(scaledStatus));
  EXPECT_LT(Covered(shrunk, filled),
            Covered(QRect(QPoint(), kSize.boundedTo(scaled.size())), filled));
}

}  // namespace
}  // namespace orvane::panel::test
