#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include "app/UnlockDialog.h"
#include "widgets/TMessageDlg.h"

namespace orvane::app::test {
namespace {

// Runs the real modal loop and acts on the dialog once it is shown.
int RunModal(TUnlockDialog& dialog, const std::function<void(TUnlockDialog&)>& act) {
  QTimer::singleShot(0, &dialog, [&] { act(dialog); });
  return dialog.ShowModal();
}

TEST(UnlockDialog, ShowsTheAccountGreyedOutAndAsksForAMaskedPassword) {
  TUnlockDialog dialog("operator");
  QStringList prompts;
  for (const QLabel* label : dialog.findChildren<QLabel*>()) prompts << label->text();
  EXPECT_EQ(dialog.windowTitle(), "User Authentication - Using your Linux user credential");
  EXPECT_EQ(prompts, (QStringList{"Current Username:", "Password:"}));
  QLineEdit* password = dialog.PasswordEdit();
  EXPECT_EQ(dialog.UserNameEdit()->text(), "operator");
  EXPECT_FALSE(dialog.UserNameEdit()->isEnabled());
  EXPECT_EQ(password->maxLength(), 255);

  const int result = RunModal(dialog, [&](TUnlockDialog& shown) {
    EXPECT_EQ(shown.focusWidget(), password);
    // Centred up to the frame, whose size is known only once it is shown.
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_LE((shown.frameGeometry().center() - screen.center()).manhattanLength(), 8);
    QTest::keyClicks(password, "hunter2");
    EXPECT_EQ(password->displayText(), "*******");
    QTest::keyClick(&shown, Qt::Key_Return);
  });
  EXPECT_EQ(result, widgets::mrOk);
  EXPECT_EQ(dialog.UserName(), "operator");
  EXPECT_STREQ(dialog.TakePassword().CStr(), "hunter2");
  EXPECT_EQ(password->text(), "");
}

TEST(UnlockDialog, EveryOtherWayOutIsCancel) {
  TUnlockDialog dialog("operator");
  auto* cancel = dialog.findChild<QPushButton*>("CancelBtn");
  EXPECT_EQ(RunModal(dialog, [&](auto&) { cancel->click(); }), widgets::mrCancel);
  EXPECT_EQ(RunModal(dialog, [](auto& d) { QTest::keyClick(&d, Qt::Key_Escape); }),
            widgets::mrCancel);
  EXPECT_EQ(RunModal(dialog, [](auto& d) { d.close(); }), widgets::mrCancel);
}

}  // namespace
}  // namespace orvane::app::test
