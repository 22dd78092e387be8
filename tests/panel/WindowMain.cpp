#include <gtest/gtest.h>

#include <QApplication>

#include "widgets/FontSubstitutes.h"

// Discovery runs the binary without the test environment; the window never
// needs a real display here.
int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  // A test closes windows without a running event loop to end.
  app.setQuitOnLastWindowClosed(false);
  orvane::widgets::InstallFontSubstitutes();
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
