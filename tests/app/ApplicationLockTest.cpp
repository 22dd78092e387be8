#include <security/pam_appl.h>

#include <QApplication>
#include <QSignalSpy>
#include <QTest>

#include "LockFixture.h"
#include "audit/JournalSink.h"

namespace orvane::app::test {
namespace {

constexpr const char* kClosed = ":/images/padlock-closed.xpm";
constexpr const char* kOpen = ":/images/padlock-open.xpm";

using ApplicationLock = LockFixture;

TEST_F(ApplicationLock, LockedGroupsTakeNoInputWhileEverythingElseWorks) {
  EXPECT_TRUE(ShowsPadlock(kOpen));
  tbPump1->setFocus();
  QTest::mouseClick(btnLock, Qt::LeftButton);
  EXPECT_TRUE(panelLocked);
  EXPECT_TRUE(ShowsPadlock(kClosed));

  QSignalSpy powerClicks(powerButton, &QPushButton::clicked);
  QTest::mouseClick(powerButton, Qt::LeftButton);
  QTest::mouseClick(elementPreset, Qt::LeftButton);
  EXPECT_EQ(powerClicks.count(), 0);
  EXPECT_FALSE(elementPreset->isChecked());
  // The slider lost the focus with its group, and keys sent to it are lost.
  EXPECT_FALSE(tbPump1->hasFocus());
  QTest::keyClick(tbPump1, Qt::Key_Right);
  EXPECT_EQ(tbPump1->value(), 0);
  for (int i = 0; i < 6; ++i) {
    QTest::keyClick(&window, Qt::Key_Tab);
    for (QWidget* group : Groups()) EXPECT_FALSE(group->isAncestorOf(QApplication::focusWidget()));
  }

  QTest::mouseClick(cbKeepOnTop, Qt::LeftButton);
  EXPECT_TRUE(cbKeepOnTop->isChecked());
  lampTableScroll->setFocus();
  QTest::keyClick(lampTableScroll, Qt::Key_Right);
  EXPECT_EQ(lampTableScroll->value(), 1);
}

TEST_F(ApplicationLock, RightPasswordUnlocksWithEveryControlAsItWas) {
  btnSetFilter->setEnabled(false);
  tbPump1->setValue(37);
  btnLock->click();
  EXPECT_FALSE(powerButton->isEnabled());
  ASSERT_EQ(Unlock("right"), true);
  EXPECT_EQ(dialogs, 1);
  EXPECT_FALSE(panelLocked);
  EXPECT_TRUE(ShowsPadlock(kOpen));
  EXPECT_TRUE(powerButton->isEnabled() && tbPump1->isEnabled() && elementPreset->isEnabled());
  EXPECT_FALSE(btnSetFilter->isEnabled());
  EXPECT_EQ(tbPump1->value(), 37);
  EXPECT_TRUE(messages_.empty());
}

TEST_F(ApplicationLock, AccountRefusedInteractivelyButAcceptedByTheSecondServiceUnlocks) {
  WriteAccounts({Me() + ":right:other"});
  btnLock->click();
  EXPECT_EQ(Unlock("right"), true);
  EXPECT_FALSE(panelLocked);
}

TEST_F(ApplicationLock, RefusalShowsWhyInAPlainBoxAndKeepsTheLock) {
  btnLock->click();
  ASSERT_EQ(Unlock("Right"), false);
  ASSERT_EQ(Unlock(""), false);
  ASSERT_EQ(messages_.size(), 2u);
  EXPECT_EQ(messages_[0].type, widgets::TMsgDlgType::mtCustom);
  EXPECT_EQ(messages_[0].text.toStdString(), pam_strerror(nullptr, PAM_AUTH_ERR));
  EXPECT_EQ(messages_[1].text, "Password cant be empty. You must enter a password.");
  EXPECT_TRUE(panelLocked);
  EXPECT_TRUE(ShowsPadlock(kClosed));
  for (QWidget* group : Groups()) EXPECT_FALSE(group->isEnabled());
}

// Wherever PAM knows other accounts (a directory, a panel run as root), the
// password of another account must not unlock.
TEST_F(ApplicationLock, TheCheckIsForTheLoggedOnAccountWhateverTheNameFieldHolds) {
  WriteAccounts({Me() + ":right:login", "intruder:theirs:login"});
  nameWritten = "intruder";
  btnLock->click();
  EXPECT_EQ(Unlock("theirs"), false);
  EXPECT_TRUE(panelLocked);
  EXPECT_EQ(Unlock("right"), true);
}

TEST_F(ApplicationLock, CancelKeepsTheLockSilently) {
  btnLock->click();
  AnswerDialogs("right", widgets::mrCancel);
  btnLock->click();
  EXPECT_EQ(dialogs, 1);
  EXPECT_FALSE(lock.Busy());  // no check was started, so none can answer later
  EXPECT_TRUE(messages_.empty());
  EXPECT_TRUE(panelLocked);
}

TEST(ApplicationLockBinding, AButtonOutlivingTheLockClicksIntoNothing) {
  QWidget group;
  widgets::TButton button;
  bool panelLocked = false;
  { TApplicationLock lock(&group, &group, &group, &group, &button, panelLocked); }
  button.click();
  EXPECT_FALSE(panelLocked);
}

// The trail names the account that locked, failed to unlock and unlocked;
// nothing typed into the dialog reaches it.
TEST_F(ApplicationLock, LockAndUnlockReachTheAuditTrailWithTheAccountOnly) {
  audit::TAuditTrail trail;
  std::vector<audit::TAuditEvent> heard;
  trail.Subscribe([&](const audit::TAuditEvent& event) { heard.push_back(event); });
  lock.SetAuditTrail(trail);
  btnLock->click();
  ASSERT_EQ(Unlock("wrong-secret"), false);
  ASSERT_EQ(Unlock("right"), true);
  std::vector<std::string> events;
  for (const audit::TAuditEvent& event : heard) {
    events.push_back(event.Event);
    EXPECT_EQ(event.User, Me());
    const std::string line = audit::JournalLine(event);
    EXPECT_EQ(line.find("secret"), std::string::npos) << line;
    EXPECT_EQ(line.find("right"), std::string::npos) << line;
  }
  EXPECT_EQ(events, (std::vector<std::string>{"lock", "unlock refused", "unlock"}));
}

}  // namespace
}  // namespace orvane::app::test
