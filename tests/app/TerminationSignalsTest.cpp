#include "app/TerminationSignals.h"

#include <gtest/gtest.h>

#include <signal.h>

#include <QApplication>
#include <QCloseEvent>
#include <QTimer>
#include <QWidget>

namespace orvane::app::test {
namespace {

// The main window asks before it closes while an instrument is connected; a
// window that refuses stands in for it.
class TRefusingWindow : public QWidget {
 public:
  int closeRequests = 0;

 protected:
  void closeEvent(QCloseEvent* event) override {
    ++closeRequests;
    event->ignore();
  }
};

// Nobody is there to answer a question at a session's end, so the windows
// are not asked: the loop ends even though the window would refuse.
TEST(TerminationSignalsTest, EndsTheEventLoopWithoutAskingTheWindows) {
  TTerminationSignals terminationSignals;
  TRefusingWindow window;
  window.show();
  QTimer::singleShot(0, [] { raise(SIGTERM); });
  QTimer giveUp;
  giveUp.setSingleShot(true);
  QObject::connect(&giveUp, &QTimer::timeout, [] { QCoreApplication::exit(1); });
  giveUp.start(5000);
  EXPECT_EQ(QApplication::exec(), 0);
  EXPECT_EQ(window.closeRequests, 0);
}

}  // namespace
}  // namespace orvane::app::test
