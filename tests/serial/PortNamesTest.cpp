#include "serial/PortNames.h"

#include <gtest/gtest.h>

#include <fstream>

namespace orvane::serial {
namespace {

TEST(PortNames, FixedTableWithoutAMapping) {
  const std::filesystem::path none = "/nonexistent/orvane/config.ini";
  EXPECT_EQ(PortDevicePath(1, none), "/dev/ttyS0");
  EXPECT_EQ(PortDevicePath(16, none), "/dev/ttyS15");
  EXPECT_EQ(PortDevicePath(17, none), "/dev/ttyUSB0");
  EXPECT_EQ(PortDevicePath(32, none), "/dev/ttyUSB15");
  EXPECT_EQ(PortDevicePath(33, none), "/dev/ttyACM0");
  EXPECT_EQ(PortDevicePath(48, none), "/dev/ttyACM15");
  for (unsigned number : {0u, 49u, 50u, 51u, 65535u}) EXPECT_FALSE(PortDevicePath(number, none));
}

TEST(PortNames, OperatorMappingComesFirst) {
  const auto path = std::filesystem::temp_directory_path() / "orvane-ports-test.ini";
  std::ofstream(path) << "[ports]\ncom1=/dev/pts/9\nCOM49=/tmp/sim\nCOM2=\n";
  EXPECT_EQ(PortDevicePath(1, path), "/dev/pts/9");
  EXPECT_EQ(PortDevicePath(49, path), "/tmp/sim");
  EXPECT_EQ(PortDevicePath(2, path), "/dev/ttyS1") << "an empty mapping falls back";
  EXPECT_FALSE(PortDevicePath(0, path));
  std::filesystem::remove(path);
}

}  // namespace
}  // namespace orvane::serial
