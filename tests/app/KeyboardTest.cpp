#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QKeySequence>
#include <QLabel>
#include <QMap>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

#include "app/UnlockDialog.h"
#include "panel/MainLayout.h"
#include "panel/RunCompare.h"
#include "panel/RunFeed.h"
#include "panel/TrendWindow.h"
#include "serial/ComSelectForm.h"
#include "widgets/TButton.h"
#include "widgets/TRadioGroup.h"

namespace orvane::app::test {
namespace {

// The Alt letters of a window, each with the texts that claim it, and the
// controls they lead to.
struct Mnemonics {
  QMap<QString, QStringList> texts;
  QSet<const QWidget*> reached;
};

Mnemonics MnemonicsOf(const QWidget& window) {
  Mnemonics found;
  const auto claim = [&found](const QString& text, const QWidget* target) {
    const QKeySequence key = QKeySequence::mnemonic(text);
    if (key.isEmpty()) return;
    found.texts[key.toString()] << text;
    found.reached << target;
  };
  for (const QAbstractButton* button : window.findChildren<QAbstractButton*>())
    claim(button->text(), button);
  for (const QLabel* label : window.findChildren<QLabel*>())
    if (label->buddy() != nullptr) claim(label->text(), label->buddy());
  for (const QGroupBox* box : window.findChildren<QGroupBox*>()) claim(box->title(), box);
  return found;
}

void ExpectNoTwoAlike(const QWidget& window) {
  const Mnemonics found = MnemonicsOf(window);
  for (auto key = found.texts.cbegin(); key != found.texts.cend(); ++key) {
    EXPECT_EQ(key.value().size(), 1)
        << window.objectName().toStdString() << ": " << key.key().toStdString() << " is "
        << key.value().join(", ").toStdString();
  }
}

TEST(Keyboard, NoTwoControlsOfAWindowShareAnAltLetter) {
  QWidget client;
  panel::BuildMainLayout(client);
  ExpectNoTwoAlike(client);

  trend::TSignalTrend trend;
  panel::TRunFeed runs("/nonexistent/runs", {}, {}, nullptr);
  panel::TTrendWindow trendWindow(trend, runs, nullptr);
  // Every control of the trend window is reached by a letter, paused or not.
  for (bool paused : {false, true}) {
    trendWindow.PauseButton().setChecked(paused);
    ExpectNoTwoAlike(trendWindow);
    const Mnemonics found = MnemonicsOf(trendWindow);
    for (const QWidget* control : std::initializer_list<const QWidget*>{
             &trendWindow.SpanBox(), &trendWindow.FixedBox(), &trendWindow.MinBox(),
             &trendWindow.MaxBox(), &trendWindow.PauseButton(), &trendWindow.SaveButton()})
      EXPECT_TRUE(found.reached.contains(control)) << control->metaObject()->className();
  }

  serial::TComSelectForm ports(
      nullptr, [](unsigned) { return serial::TPortPresence::Free; },
      [](unsigned, serial::TPortPresence) { return QString(); });
  ExpectNoTwoAlike(ports);
  TUnlockDialog unlock("operator");
  ExpectNoTwoAlike(unlock);
  panel::TRunCompare compare(nullptr);
  ExpectNoTwoAlike(compare);
}

// Gain shows "100", set by the code as loading the settings does: Tab from
// the control before the group lands on "100", not on "1", and goes on to
// the selected mode, the only one of its group the model allows.
TEST(Keyboard, TabEntersARadioGroupAtItsSelectedItem) {
  QWidget client;
  const panel::TMainControls c = panel::BuildMainLayout(client);
  c.rgGain->SetItemIndex(2);
  c.rgMode->SetItemIndex(2);
  c.rgMode->SetItemEnabled(0, false);
  c.rgMode->SetItemEnabled(1, false);
  client.show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&client));
  c.BtnWakeInstrument->setFocus();
  ASSERT_TRUE(c.BtnWakeInstrument->hasFocus());
  QTest::keyClick(c.BtnWakeInstrument, Qt::Key_Tab);
  EXPECT_EQ(client.focusWidget(), c.rgGain->Button(2));
  QTest::keyClick(client.focusWidget(), Qt::Key_Tab);
  EXPECT_EQ(client.focusWidget(), c.rgMode->Button(2));
  // An operator's arrow key selects the next item, and Tab comes back there.
  QTest::keyClick(client.focusWidget(), Qt::Key_Backtab);
  QTest::keyClick(client.focusWidget(), Qt::Key_Right);
  EXPECT_EQ(c.rgGain->ItemIndex(), 3);
  c.BtnWakeInstrument->setFocus();
  QTest::keyClick(c.BtnWakeInstrument, Qt::Key_Tab);
  EXPECT_EQ(client.focusWidget(), c.rgGain->Button(3));
}

}  // namespace
}  // namespace orvane::app::test
