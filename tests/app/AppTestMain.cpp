#include <gtest/gtest.h>

#include <string_view>

#include <QApplication>

#include "InstanceChild.h"
#include "TestSupport.h"
#include "widgets/FontSubstitutes.h"

int main(int argc, char** argv) {
  // Discovery runs the binary without the test environment; nothing here
  // needs a real display.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  if (argc == 3 && std::string_view(argv[1]) == orvane::app::test::kInstanceChildFlag) {
    return orvane::app::test::RunInstanceChild(argc, argv);
  }
  QApplication app(argc, argv);
  orvane::widgets::InstallFontSubstitutes();
  orvane::widgets::test::FailOnError();
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
