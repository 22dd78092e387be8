#include <gtest/gtest.h>

#include <QCoreApplication>

#include "widgets/TErrorGuard.h"

// No display and no widget: the link asks the operator only through its
// prompts, which the tests answer. A widget made here would abort.
int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  orvane::widgets::TErrorGuard::SetRecorder([](const QString& message) {
    ADD_FAILURE() << "unexpected error box: " << message.toStdString();
  });
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
