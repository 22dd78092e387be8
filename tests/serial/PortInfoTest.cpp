#include "serial/PortInfo.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <fstream>

#include "FakeSysfs.h"

namespace orvane::serial::test {
namespace {

namespace fs = std::filesystem;

const TFakeSysfs::TAttributes kFtdi = {{"idVendor", "0403"},
                                       {"idProduct", "6001"},
                                       {"manufacturer", "FTDI"},
                                       {"product", "FT232R USB UART"},
                                       {"serial", "A6008isP"}};

class PortInfoTest : public ::testing::Test {
 protected:
  void SetUp() override {
    sys.AddUsbSerial("ttyUSB0", "1-2", kFtdi);
    sys.AddUsbAcm("ttyACM0", "1-3", {{"idVendor", "2341"}, {"idProduct", "0043"}});
    sys.AddPlatformSerial("ttyS0");
    fs::create_directories(dev / "serial" / "by-id");
    for (const char* node : {"ttyUSB0", "ttyACM0", "ttyS0"}) std::ofstream(dev / node);
  }

  QTemporaryDir temp;
  fs::path dir = fs::canonical(temp.path().toStdString());
  TFakeSysfs sys{dir / "sys"};
  fs::path dev = dir / "dev";
};

TEST_F(PortInfoTest, TheUsbDeviceIsFoundAboveTheTtyWhereverTheDriverHangsIt) {
  const auto ftdi = ReadUsbDevice("ttyUSB0", sys.Root());
  ASSERT_TRUE(ftdi);
  EXPECT_EQ(ftdi->manufacturer, "FTDI");
  EXPECT_EQ(ftdi->product, "FT232R USB UART");
  EXPECT_EQ(ftdi->serial, "A6008isP");
  EXPECT_EQ(ftdi->vendorId, "0403");
  const auto acm = ReadUsbDevice("ttyACM0", sys.Root());
  ASSERT_TRUE(acm);
  EXPECT_EQ(acm->productId, "0043");
  EXPECT_EQ(acm->manufacturer, "");
  EXPECT_FALSE(ReadUsbDevice("ttyS0", sys.Root())) << "a motherboard port is on no USB";
  EXPECT_FALSE(ReadUsbDevice("ttyUSB7", sys.Root()));
  EXPECT_FALSE(ReadUsbDevice("ttyUSB0", dir / "nosys"));
}

TEST_F(PortInfoTest, TheDescriptionNamesPathNodeDeviceAndWhyThePortCannotBeUsed) {
  const std::string usb0 = (dev / "ttyUSB0").string();
  EXPECT_EQ(DescribePort(usb0, TPortPresence::Free, sys.Root()),
            usb0 + " \u00B7 FTDI FT232R USB UART \u00B7 serial A6008isP");

  const fs::path byId = dev / "serial" / "by-id" / "usb-FTDI_FT232R_USB_UART_A6008isP-if00-port0";
  fs::create_symlink("../../ttyUSB0", byId);
  EXPECT_EQ(DescribePort(byId.string(), TPortPresence::InUse, sys.Root()),
            byId.string() + " \u2192 " + usb0 +
                " \u00B7 FTDI FT232R USB UART \u00B7 serial A6008isP"
                " \u00B7 in use by another program");

  EXPECT_EQ(DescribePort((dev / "ttyACM0").string(), TPortPresence::NoPermission, sys.Root()),
            (dev / "ttyACM0").string() +
                " \u00B7 USB 2341:0043 \u00B7 no permission: join the dialout group");
  EXPECT_EQ(DescribePort((dev / "ttyS0").string(), TPortPresence::InUseHere, sys.Root()),
            (dev / "ttyS0").string() + " \u00B7 open in this program");
}

// The strings are the adapter maker's: anything may be in them.
TEST_F(PortInfoTest, DescriptorTextIsTrimmedCutAndFreedOfControlCharacters) {
  sys.AddUsbSerial("ttyUSB1", "1-4",
                   {{"idVendor", "1a86"},
                    {"manufacturer", "Cheap\x01 Cable  \t"},
                    {"product", std::string(100, 'p')}});
  const auto usb = ReadUsbDevice("ttyUSB1", sys.Root());
  ASSERT_TRUE(usb);
  EXPECT_EQ(usb->manufacturer, "Cheap? Cable");
  EXPECT_EQ(usb->product, std::string(64, 'p'));
  EXPECT_EQ(usb->serial, "");
}

}  // namespace
}  // namespace orvane::serial::test
