#include <gtest/gtest.h>

#include <QCoreApplication>

// The serial tests need a UI thread with an event loop, as the panel has.
int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
