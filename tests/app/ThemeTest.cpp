#include "app/Theme.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include "widgets/TRadioGroup.h"
#include "widgets/TTrackBar.h"
#include "widgets/TVrUserLed.h"

namespace orvane::app::test {
namespace {

QFont PixelFont(const char* family, int pixels) {
  QFont font(family);
  font.setPixelSize(pixels);
  return font;
}

// A corner of the main window: fixed positions, a group whose items inherit
// its font and navy ink, a radio group laid out by the style's measures.
std::unique_ptr<QWidget> BuildPanel() {
  auto panel = std::make_unique<QWidget>();
  panel->setFont(PixelFont("MS Sans Serif", 14));
  panel->setGeometry(0, 0, 360, 200);
  auto* group = new QGroupBox("Pump Speed", panel.get());
  group->setGeometry(4, 4, 220, 90);
  group->setFont(PixelFont("MS Sans Serif", 15));
  QPalette navy = group->palette();
  navy.setColor(QPalette::WindowText, QColor(0x000080));
  group->setPalette(navy);
  new QLabel("Pump 1", group);
  auto* slider = new widgets::TTrackBar(group);
  slider->setGeometry(8, 40, 200, 26);
  auto* gain = new widgets::TRadioGroup(panel.get());
  gain->setGeometry(230, 4, 110, 100);
  gain->SetItems({"1", "10", "100", "1000"});
  gain->SetItemIndex(2);
  (new QPushButton("Set Filter", panel.get()))->setGeometry(8, 150, 85, 25);
  (new widgets::TVrUserLed(panel.get()))->setGeometry(240, 120, 20, 14);
  panel->show();
  return panel;
}

// Where each widget of the panel stands, and the size of its letters.
std::vector<std::string> PlacesIn(const QWidget& panel) {
  std::vector<std::string> places;
  for (const QWidget* child : panel.findChildren<QWidget*>()) {
    const QRect rect(child->mapTo(&panel, QPoint()), child->size());
    places.push_back(QString("%1,%2 %3x%4 %5px")
                         .arg(rect.x())
                         .arg(rect.y())
                         .arg(rect.width())
                         .arg(rect.height())
                         .arg(QFontInfo(child->font()).pixelSize())
                         .toStdString());
  }
  return places;
}

TEST(ThemeTest, TheCarriedThemeIsFoundWhateverTheCase) {
  for (const char* name :
       {"Sapphire Kamri", "sapphire kamri", "SAPPHIRE KAMRI", "sApPhIrE kAmRi"}) {
    const auto sheet = FindTheme(name);
    ASSERT_TRUE(sheet.has_value()) << name;
    EXPECT_TRUE(sheet->contains("QPushButton")) << name;
  }
  EXPECT_FALSE(FindTheme("Sapphire"));
  EXPECT_FALSE(FindTheme("Sapphire Kamri "));
}

TEST(ThemeTest, AMissingThemeIsReportedInABoxWithCloseAloneAndTheDefaultLookStays) {
  QString text;
  QList<QMessageBox::StandardButton> buttons;
  QTimer::singleShot(0, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    text = box->text();
    for (QAbstractButton* button : box->buttons()) buttons << box->standardButton(button);
    box->buttons().front()->click();
  });
  EXPECT_EQ(ApplyTheme(*qApp, "Ruby %1 Kamri"), nullptr);
  EXPECT_EQ(text, "Style 'Ruby %1 Kamri' not found");
  EXPECT_EQ(buttons, QList{QMessageBox::Close});
  QPushButton button("OK");
  button.show();
  EXPECT_TRUE(button.styleSheet().isEmpty());
}

TEST(ThemeTest, ThemedControlsKeepTheirPlaceFontAndInk) {
  const auto plain = BuildPanel();
  const std::unique_ptr<QObject> theme(ApplyTheme(*qApp, kThemeName));
  ASSERT_NE(theme, nullptr);
  const auto themed = BuildPanel();
  QApplication::processEvents();
  EXPECT_EQ(PlacesIn(*themed), PlacesIn(*plain));
  const auto* label = themed->findChild<QLabel*>();
  EXPECT_EQ(QFontInfo(label->font()).pixelSize(), 15);
  EXPECT_EQ(label->palette().color(QPalette::WindowText), QColor(0x000080));
  EXPECT_FALSE(themed->findChild<QPushButton*>()->styleSheet().isEmpty());
  EXPECT_TRUE(themed->findChild<widgets::TVrUserLed*>()->styleSheet().isEmpty());
  EXPECT_TRUE(themed->findChild<QGroupBox*>()->styleSheet().isEmpty());
}

}  // namespace
}  // namespace orvane::app::test
