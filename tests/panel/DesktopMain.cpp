#include <gtest/gtest.h>

#include <QApplication>

#include <cstring>
#include <memory>

#include "XServer.h"
#include "widgets/FontSubstitutes.h"

orvane::test::TXServer* Desktop = nullptr;

// These tests need a real window manager: they bring their own display, so
// they run the same on a developer's desktop and in CI, which has none.
int main(int argc, char** argv) {
  bool listing = false;
  for (int i = 1; i < argc; ++i) listing = listing || std::strstr(argv[i], "gtest_list") != nullptr;
  std::unique_ptr<orvane::test::TXServer> server;
  if (!listing) {
    server = std::make_unique<orvane::test::TXServer>();
    Desktop = server.get();
    qputenv("DISPLAY", QByteArray::fromStdString(server->Display()));
    qputenv("QT_QPA_PLATFORM", "xcb");
  } else {
    qputenv("QT_QPA_PLATFORM", "offscreen");
  }
  QApplication app(argc, argv);
  app.setQuitOnLastWindowClosed(false);
  orvane::widgets::InstallFontSubstitutes();
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
