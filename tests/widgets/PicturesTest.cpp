#include <algorithm>
#include <set>

#include <QIcon>
#include <QImage>
#include <QPixmap>

#include "TestSupport.h"
#include "widgets/PictureStrip.h"

namespace orvane::widgets::test {
namespace {

// "UP" as the panel's arrow must look: on silver, a black triangle with its
// apex on column 5, above a bar from column 2 to 8. "DOWN" is it upside down.
const char* const kUp[] = {
    "...........",  //
    "...........",  //
    ".....#.....",  //
    "....###....",  //
    "...#####...",  //
    "..#######..",  //
    "..#######..",  //
    "...........",  //
    "..#######..",  //
    "...........",  //
    "...........",  //
};
constexpr QRgb kSilver = 0xFFC0C0C0;
constexpr QRgb kBlack = 0xFF000000;

void ExpectArrow(const QString& path, bool upsideDown) {
  const QImage image(path);
  ASSERT_EQ(image.width(), 11) << path.toStdString();
  ASSERT_EQ(image.height(), 11) << path.toStdString();
  for (int y = 0; y < 11; ++y) {
    for (int x = 0; x < 11; ++x) {
      const bool black = kUp[upsideDown ? 10 - y : y][x] == '#';
      EXPECT_EQ(image.pixel(x, y), black ? kBlack : kSilver)
          << path.toStdString() << " at " << x << "," << y;
    }
  }
}

TEST(Pictures, ArrowsArePixelExact) {
  ExpectArrow(":/UP", false);
  ExpectArrow(":/DOWN", true);
}

TEST(Pictures, EachLoadsAtItsSize) {
  const struct {
    const char* path;
    int width, height;
  } pictures[] = {
      {":/images/padlock-open.xpm", 16, 16}, {":/images/padlock-closed.xpm", 16, 16},
      {":/images/bulb.xpm", 32, 16},         {":/images/tick.xpm", 32, 16},
      {":/images/reset.xpm", 32, 16},        {":/images/orvane.xpm", 16, 16},
      {":/images/orvane-32.xpm", 32, 32},    {":/images/orvane-48.xpm", 48, 48},
      {":/images/orvane-64.xpm", 64, 64},
  };
  for (const auto& picture : pictures) {
    const QImage image(picture.path);
    EXPECT_EQ(image.width(), picture.width) << picture.path;
    EXPECT_EQ(image.height(), picture.height) << picture.path;
  }
}

// Buttons and the lock show these on whatever face the theme paints.
TEST(Pictures, ButtonPicturesHaveTransparentCorners) {
  for (const char* path : {":/images/padlock-open.xpm", ":/images/padlock-closed.xpm",
                           ":/images/bulb.xpm", ":/images/tick.xpm", ":/images/reset.xpm"}) {
    const QImage image = QImage(path).convertToFormat(QImage::Format_ARGB32);
    for (int left = 0; left < image.width(); left += 16) {
      for (const QPoint corner : {QPoint(0, 0), QPoint(15, 0), QPoint(0, 15), QPoint(15, 15)}) {
        const QPoint at = corner + QPoint(left, 0);
        EXPECT_EQ(qAlpha(image.pixel(at)), 0) << path << " at " << at.x() << "," << at.y();
      }
    }
  }
}

TEST(Pictures, WindowIconHasAtMostSixteenColours) {
  const QImage image = QImage(":/images/orvane.xpm").convertToFormat(QImage::Format_ARGB32);
  std::set<QRgb> colours;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) colours.insert(image.pixel(x, y));
  }
  EXPECT_LE(colours.size(), 16u);
}

struct StripHalves {
  QImage normal, disabled;
  explicit StripHalves(const char* path) {
    const QImage strip = QImage(path).convertToFormat(QImage::Format_ARGB32);
    normal = strip.copy(0, 0, 16, 16);
    disabled = strip.copy(16, 0, 16, 16);
  }
};

// The disabled image is the normal one greyed: same outline, no colour.
TEST(Pictures, StripDisabledHalfIsTheSamePictureGreyed) {
  for (const char* path : {":/images/bulb.xpm", ":/images/tick.xpm", ":/images/reset.xpm"}) {
    const StripHalves halves(path);
    EXPECT_NE(halves.normal, halves.disabled) << path;
    int mostColourful = 0;
    for (int y = 0; y < 16; ++y) {
      for (int x = 0; x < 16; ++x) {
        const QColor normal = QColor::fromRgba(halves.normal.pixel(x, y));
        const QColor disabled = QColor::fromRgba(halves.disabled.pixel(x, y));
        EXPECT_EQ(normal.alpha(), disabled.alpha()) << path << " at " << x << "," << y;
        if (disabled.alpha() > 0) {
          EXPECT_LE(disabled.hsvSaturation(), 16) << path << " at " << x << "," << y;
        }
        if (normal.alpha() > 0) mostColourful = std::max(mostColourful, normal.hsvSaturation());
      }
    }
    EXPECT_GE(mostColourful, 128) << path;
  }
}

QImage IconImage(const QIcon& icon, QIcon::Mode mode) {
  return icon.pixmap(QSize(16, 16), mode).toImage().convertToFormat(QImage::Format_ARGB32);
}

TEST(PictureStrip, IconShowsTheLeftHalfNormallyAndTheRightHalfDisabled) {
  const StripHalves halves(":/images/bulb.xpm");
  const QIcon icon = StripIcon(":/images/bulb.xpm");
  EXPECT_EQ(IconImage(icon, QIcon::Normal), halves.normal);
  EXPECT_EQ(IconImage(icon, QIcon::Disabled), halves.disabled);
  EXPECT_TRUE(StripIcon(":/images/missing.xpm").isNull());
}

TEST(PictureStrip, TransparentPixmapClearsExactlyTheGivenColour) {
  const QImage image = TransparentPixmap(":/UP", QColor(kSilver)).toImage();
  ASSERT_EQ(image.size(), QSize(11, 11));
  int opaque = 0;
  for (int y = 0; y < 11; ++y) {
    for (int x = 0; x < 11; ++x) {
      const QRgb pixel = image.pixel(x, y);
      if (kUp[y][x] == '#') {
        EXPECT_EQ(pixel, kBlack) << x << "," << y;
      } else {
        EXPECT_EQ(qAlpha(pixel), 0) << x << "," << y;
      }
      opaque += qAlpha(pixel) == 255;
    }
  }
  EXPECT_EQ(opaque, 30);
  EXPECT_TRUE(TransparentPixmap(":/images/missing.xpm", QColor(kSilver)).isNull());
}

}  // namespace
}  // namespace orvane::widgets::test
