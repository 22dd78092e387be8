#include <stdexcept>

#include <QPainter>
#include <QTest>

#include "TestSupport.h"
#include "widgets/TVrUserLed.h"

namespace orvane::widgets::test {
namespace {

// The main window's status LED: 12 x 12, green dark, lime lit, no outer edge.
void MakeStatusLed(TVrUserLed& led) {
  led.resize(12, 12);
  led.PaletteEx().SetLow1(kGreen);
  led.PaletteEx().SetLow2(kGreen);
  led.PaletteEx().SetHigh1(kLime);
  led.PaletteEx().SetHigh2(kLime);
  led.Bevel().SetOuterStyle(TVrBevelStyle::bsNone);
}

QColor Face(const QWidget& w) { return kBtnFace.Resolve(w.palette()); }

TEST(VrUserLed, StatusLedIsBlackRingFaceRingAndEightByEightLamp) {
  TVrUserLed led;
  MakeStatusLed(led);
  for (bool active : {false, true}) {
    led.SetActive(active);
    const QImage image = Render(led);
    const QColor lamp = active ? QColor(0x00FF00) : QColor(0x008000);
    for (int i = 0; i < 12; ++i) {
      EXPECT_EQ(At(image, i, 0), Qt::black);
      EXPECT_EQ(At(image, 11, i), Qt::black);
    }
    EXPECT_EQ(At(image, 1, 1), Face(led));
    EXPECT_EQ(At(image, 10, 10), Face(led));
    EXPECT_EQ(At(image, 1, 10), Face(led));
    for (int y = 2; y < 10; ++y) {
      for (int x = 2; x < 10; ++x) EXPECT_EQ(At(image, x, y), lamp) << x << "," << y;
    }
  }
}

TEST(VrUserLed, GradientStepsTruncateAndStopShortOfTheEndColour) {
  TVrUserLed led;
  MakeStatusLed(led);
  led.PaletteEx().SetLow1(TVrColor::Rgb(0x006464));
  led.PaletteEx().SetLow2(TVrColor::Rgb(0x00FF00));
  const QImage image = Render(led);
  // Green climbs 100 -> 255 in eighths, blue falls 100 -> 0; -37.5 truncates to -37.
  EXPECT_EQ(At(image, 5, 2), QColor(0, 100, 100));
  EXPECT_EQ(At(image, 5, 5), QColor(0, 100 + 155 * 3 / 8, 63));
  EXPECT_EQ(At(image, 5, 9), QColor(0, 100 + 155 * 7 / 8, 13));
}

// Default LED: raised outer edge whose bottom colour takes the top-right and
// bottom-left corners, then a face ring, then maroon.
TEST(VrUserLed, DefaultBevelDrawsCornersInTheBottomColour) {
  TVrUserLed led;
  EXPECT_EQ(led.size(), QSize(20, 10));
  const QImage image = Render(led);
  const QColor light = kBtnHighlight.Resolve(led.palette());
  const QColor dark = kBtnShadow.Resolve(led.palette());
  EXPECT_EQ(At(image, 0, 0), Qt::black);
  EXPECT_EQ(At(image, 1, 1), light);
  EXPECT_EQ(At(image, 1, 7), light);
  EXPECT_EQ(At(image, 17, 1), light);
  EXPECT_EQ(At(image, 18, 1), dark);
  EXPECT_EQ(At(image, 1, 8), dark);
  EXPECT_EQ(At(image, 2, 2), Face(led));
  EXPECT_EQ(At(image, 3, 3), QColor(0x800000));
}

class ShownLed : public ::testing::Test {
 protected:
  void SetUp() override {
    MakeStatusLed(*led);
    host.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&host));
    QCoreApplication::processEvents();
    paints.count = 0;
  }
  QWidget host;
  TVrUserLed* led = new TVrUserLed(&host);
  PaintCounter paints{*led};
};

TEST_F(ShownLed, SameStateNeitherRepaintsNorNotifies) {
  int changes = 0;
  int paintsSeenByHandler = -1;
  led->SetOnChange([&](QObject* sender) {
    EXPECT_EQ(sender, led);
    ++changes;
    paintsSeenByHandler = paints.count;
  });
  led->SetActive(false);
  EXPECT_EQ(paints.count, 0);
  EXPECT_EQ(changes, 0);
  led->SetActive(true);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(paintsSeenByHandler, 1);
  led->SetActive(true);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(paints.count, 1);
}

TEST_F(ShownLed, BatchedSettingsRepaintOnce) {
  TVrBevel bevel;
  bevel.SetBorderWidth(1);
  bevel.SetOuterStyle(TVrBevelStyle::bsLowered);
  bevel.SetInnerSpace(0);
  led->SetBevel(bevel);
  EXPECT_EQ(paints.count, 1);
  EXPECT_EQ(led->Bevel().BorderWidth(), 1);
  led->BeginUpdate();
  led->SetOutlineWidth(1);
  led->PaletteEx().SetHigh2(kBlack);
  EXPECT_EQ(paints.count, 1);
  led->EndUpdate();
  EXPECT_EQ(paints.count, 2);
}

TEST(VrUserLed, OwnerDrawLeavesThePaintingToTheHandler) {
  TVrUserLed led;
  led.SetDrawStyle(TVrDrawStyle::dsOwnerDraw);
  QRect seen;
  led.SetOnDraw([&](TVrUserLed&, QPainter& canvas, const QRect& rect) {
    seen = rect;
    canvas.fillRect(2, 2, 1, 1, Qt::blue);
  });
  const QImage image = Render(led);
  EXPECT_EQ(seen, QRect(0, 0, 20, 10));
  EXPECT_EQ(At(image, 2, 2), Qt::blue);
  EXPECT_EQ(At(image, 5, 5), led.palette().color(led.backgroundRole()));
}

TEST(VrUserLed, AThrowingOwnerDrawIsShownAndPaintingGoesOn) {
  TVrUserLed led;
  led.SetDrawStyle(TVrDrawStyle::dsOwnerDraw);
  led.SetOnDraw([](TVrUserLed&, QPainter&, const QRect&) { throw std::runtime_error("no lamp"); });
  RecordedErrors errors;
  const QImage image = Render(led);
  EXPECT_EQ(errors.messages, QStringList{"no lamp"});
  EXPECT_EQ(At(image, 5, 5), led.palette().color(led.backgroundRole()));
}

}  // namespace
}  // namespace orvane::widgets::test
