#include <cstdlib>

#include <QApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "TestSupport.h"
#include "widgets/FontSubstitutes.h"

// pam_matrix reads its passdb from PAM_MATRIX_PASSWD: a file of this process's
// own, which no other run can leave accounts in. Set before any thread exists.
int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QTemporaryDir passdbFolder;
  if (!passdbFolder.isValid()) return 1;
  setenv("PAM_MATRIX_PASSWD", passdbFolder.filePath("passdb").toLocal8Bit().constData(), 1);
  QApplication app(argc, argv);
  orvane::widgets::InstallFontSubstitutes();
  orvane::widgets::test::FailOnError();
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
