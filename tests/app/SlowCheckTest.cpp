#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>

#include "LockFixture.h"

namespace orvane::app::test {
namespace {

// The services of this test have pam_faildelay ask for 2 s (Linux-PAM draws
// the actual delay between 1 and 3 s) after a refused password.
using SlowCheck = LockFixture;

bool ShowsBusyCursor() {
  const QCursor* cursor = QGuiApplication::overrideCursor();
  return cursor != nullptr && cursor->shape() == Qt::BusyCursor;
}

// The dialog stays open while PAM works, showing that it does.
bool ShowsCheckRunning() {
  const QWidget* dialog = QApplication::activeModalWidget();
  const auto* ok = dialog != nullptr ? dialog->findChild<QPushButton*>("OkBtn") : nullptr;
  return ok != nullptr && !ok->isEnabled() && ShowsBusyCursor();
}

TEST_F(SlowCheck, TimersRunAndThePadlockIgnoresClicksWhilePamDelays) {
  constexpr int kTickMs = 20;
  btnLock->click();
  AnswerDialogs("wrong", widgets::mrOk);
  QSignalSpy answered(&lock, &TApplicationLock::CheckFinished);
  int ticks = 0;
  bool shownRunning = false;
  QTimer polling;
  QObject::connect(&polling, &QTimer::timeout, [&] {
    ++ticks;
    // A click in the middle of the check: no second dialog, no second check.
    if (ticks == 10) {
      shownRunning = lock.Busy() && ShowsCheckRunning();
      btnLock->click();
    }
  });
  QElapsedTimer clock;
  clock.start();
  polling.start(kTickMs);
  // The click returns once the dialog has closed with the answer.
  btnLock->click();
  ASSERT_TRUE(!answered.isEmpty() || answered.wait(15000));
  const qint64 elapsed = clock.elapsed();
  polling.stop();

  EXPECT_GE(elapsed, 900);
  EXPECT_GE(ticks, elapsed / kTickMs / 2) << "the UI thread stood still during the check";
  EXPECT_TRUE(shownRunning);
  EXPECT_FALSE(ShowsBusyCursor());
  EXPECT_EQ(dialogs, 1);
  EXPECT_EQ(answered.count(), 1);
  EXPECT_EQ(messages_.size(), 1u);
  EXPECT_TRUE(panelLocked);
  EXPECT_FALSE(lock.Busy());
}

}  // namespace
}  // namespace orvane::app::test
