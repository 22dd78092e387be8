#include <gtest/gtest.h>

#include <QApplication>

#include "widgets/FontSubstitutes.h"
#include "widgets/TErrorGuard.h"

// The port component and its dialog need a GUI application; discovery runs
// the binary without the test environment, so offscreen is chosen here too.
int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  orvane::widgets::InstallFontSubstitutes();
  orvane::widgets::TErrorGuard::SetRecorder([](const QString& message) {
    ADD_FAILURE() << "unexpected error box: " << message.toStdString();
  });
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
