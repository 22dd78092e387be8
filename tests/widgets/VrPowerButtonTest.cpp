#include <stdexcept>

#include <QFontMetrics>
#include <QTest>

#include "TestSupport.h"
#include "widgets/TVrPowerButton.h"

namespace orvane::widgets::test {
namespace {

// As the main window sets it up.
void MakeMainButton(TVrPowerButton& button) {
  QFont font("Arial Narrow");
  font.setPixelSize(12);
  button.setFont(font);
  button.resize(27, 41);
  button.SetLayout(TVrImageTextLayout::ImageTop);
  button.SetMargin(0);
  button.SetSpacing(6);
  button.SetBevelWidth(1);
  button.SetCaption("ON");
}

TEST(VrPowerButton, MainButtonLayoutPutsLampAtTopAndCaptionCentredBelow) {
  TVrPowerButton button;
  MakeMainButton(button);
  EXPECT_EQ(button.ImageRect(), QRect(8, 2, 12, 12));
  EXPECT_EQ(button.TextBounds().top(), 20);
  const int onWidth = QFontMetrics(button.font()).horizontalAdvance("ON");
  EXPECT_EQ(button.TextBounds().left(), 2 + (23 - onWidth + 1) / 2);

  button.SetCaption("OFF");
  const int offWidth = QFontMetrics(button.font()).horizontalAdvance("OFF");
  EXPECT_EQ(button.TextBounds().width(), offWidth);
  EXPECT_EQ(button.TextBounds().left(), 2 + (23 - offWidth + 1) / 2);
  EXPECT_EQ(button.ImageRect(), QRect(8, 2, 12, 12));
}

TEST(VrPowerButton, LayoutWorksOutMarginAndSpacingWhenAskedTo) {
  TVrPowerButton button;  // 125 x 25, ImageLeft, margin -1, spacing 5, frame 3
  button.SetCaption("Power");
  const int tw = QFontMetrics(button.font()).horizontalAdvance("Power");
  const int margin = (119 - (12 + 5 + tw) + 1) / 2;
  EXPECT_EQ(button.ImageRect(), QRect(3 + margin, 3 + (19 - 12 + 1) / 2, 12, 12));
  EXPECT_EQ(button.TextBounds().left(), 3 + margin + 12 + 5);

  button.SetSpacing(-1);
  const int even = (119 - (12 + tw)) / 3;
  EXPECT_EQ(button.ImageRect().left(), 3 + even);
  EXPECT_EQ(button.TextBounds().left(), 3 + even + 12 + even);

  button.SetLayout(TVrImageTextLayout::ImageRight);
  button.SetMargin(4);
  button.SetSpacing(5);
  EXPECT_EQ(button.ImageRect().left(), 3 + 119 - 4 - 12);
  EXPECT_EQ(button.TextBounds().left(), 3 + 119 - 4 - 12 - 5 - tw);
}

TEST(VrPowerButton, LampIsSunkenRingBlackRingAndPaletteMiddle) {
  TVrPowerButton button;
  MakeMainButton(button);
  const QColor light = kBtnHighlight.Resolve(button.palette());
  const QColor dark = kBtnShadow.Resolve(button.palette());
  for (bool active : {false, true}) {
    button.SetActive(active);
    const QImage image = Render(button);
    EXPECT_EQ(At(image, 0, 0), Qt::black);
    EXPECT_EQ(At(image, 26, 40), Qt::black);
    EXPECT_EQ(At(image, 1, 1), light);
    EXPECT_EQ(At(image, 25, 39), dark);
    EXPECT_EQ(At(image, 8, 2), dark);
    EXPECT_EQ(At(image, 19, 13), light);
    EXPECT_EQ(At(image, 9, 3), Qt::black);
    const QColor lamp = active ? QColor(0x00FF00) : QColor(0x008000);
    EXPECT_EQ(At(image, 10, 4), lamp);
    EXPECT_EQ(At(image, 17, 11), lamp);
  }
  button.setEnabled(false);
  EXPECT_EQ(At(Render(button), 12, 8), kBtnFace.Resolve(button.palette()));
}

class ButtonInput : public ::testing::Test {
 protected:
  void SetUp() override {
    MakeMainButton(*button);
    button->move(10, 10);
    host.resize(100, 100);
    host.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&host));
    button->SetOnClick([this](QObject*) { clickedActive.push_back(button->Active()); });
  }
  void Move(QPoint at) {
    QMouseEvent move(QEvent::MouseMove, at, button->mapToGlobal(at), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QCoreApplication::sendEvent(button, &move);
  }
  bool LooksSunken() { return At(Render(*button), 1, 1) == kBtnShadow.Resolve(button->palette()); }

  QWidget host;
  TVrPowerButton* button = new TVrPowerButton(&host);
  std::vector<bool> clickedActive;
};

TEST_F(ButtonInput, OnePressGivesOneToggleAndOneClickWithTheNewState) {
  QTest::mousePress(button, Qt::LeftButton, {}, {5, 5});
  EXPECT_TRUE(button->Pressed());
  EXPECT_TRUE(LooksSunken());
  QTest::mouseRelease(button, Qt::LeftButton, {}, {5, 5});
  EXPECT_EQ(clickedActive, std::vector<bool>{true});
  EXPECT_FALSE(LooksSunken());
  QTest::mouseClick(button, Qt::LeftButton, {}, {5, 5});
  EXPECT_EQ(clickedActive, (std::vector<bool>{true, false}));
}

TEST_F(ButtonInput, DraggingOffCancelsAndComingBackRestores) {
  QTest::mousePress(button, Qt::LeftButton, {}, {5, 5});
  Move({40, 60});
  EXPECT_FALSE(button->Pressed());
  EXPECT_FALSE(LooksSunken());
  QTest::mouseRelease(button, Qt::LeftButton, {}, {40, 60});
  EXPECT_TRUE(clickedActive.empty());
  EXPECT_FALSE(button->Active());

  QTest::mousePress(button, Qt::LeftButton, {}, {5, 5});
  Move({40, 60});
  Move({6, 6});
  EXPECT_TRUE(LooksSunken());
  QTest::mouseRelease(button, Qt::LeftButton, {}, {6, 6});
  EXPECT_EQ(clickedActive, std::vector<bool>{true});
}

TEST_F(ButtonInput, OtherButtonsAndCodeNeverClick) {
  QTest::mouseClick(button, Qt::RightButton, {}, {5, 5});
  button->SetActive(true);
  button->SetActive(false);
  EXPECT_TRUE(clickedActive.empty());
  EXPECT_FALSE(button->Active());
}

TEST_F(ButtonInput, SpaceKeyClicksOnlyAfterItsOwnPress) {
  button->SetTabStop(true);
  button->setFocus();
  QTest::keyRelease(button, Qt::Key_Space);
  EXPECT_TRUE(clickedActive.empty());
  QTest::keyPress(button, Qt::Key_Space);
  EXPECT_TRUE(button->Pressed());
  QTest::keyRelease(button, Qt::Key_Space);
  EXPECT_EQ(clickedActive, std::vector<bool>{true});
}

TEST_F(ButtonInput, AcceleratorClicksWithoutToggling) {
  button->SetCaption("&Power");
  host.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&host));
  QTest::keyClick(&host, Qt::Key_P, Qt::AltModifier);
  EXPECT_EQ(clickedActive, std::vector<bool>{false});
  button->setEnabled(false);
  QTest::keyClick(&host, Qt::Key_P, Qt::AltModifier);
  EXPECT_EQ(clickedActive.size(), 1u);
}

TEST_F(ButtonInput, HandlerErrorIsShownAndTheToggleStands) {
  RecordedErrors errors;
  button->SetOnClick([](QObject*) { throw std::runtime_error("port gone"); });
  QTest::mouseClick(button, Qt::LeftButton, {}, {5, 5});
  EXPECT_EQ(errors.messages, QStringList{"port gone"});
  EXPECT_TRUE(button->Active());
}

}  // namespace
}  // namespace orvane::widgets::test
