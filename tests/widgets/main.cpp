#include <QApplication>

#include <gtest/gtest.h>

#include "TestSupport.h"
#include "widgets/Accessibility.h"
#include "widgets/FontSubstitutes.h"

int main(int argc, char** argv) {
  // Test discovery runs the binary without the test environment; the widgets
  // never need a real display.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  orvane::widgets::InstallFontSubstitutes();
  orvane::widgets::InstallAccessibility();
  orvane::widgets::test::FailOnError();
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
