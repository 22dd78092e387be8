#include "FakeSysfs.h"

#include <fstream>

namespace orvane::serial::test {
namespace fs = std::filesystem;

TFakeSysfs::TFakeSysfs(fs::path root) : root_(std::move(root)) {
  fs::create_directories(root_ / "class" / "tty");
}

fs::path TFakeSysfs::UsbDevice(const std::string& usbPort, const TAttributes& descriptors) {
  const fs::path device = root_ / "devices/pci0000:00/0000:00:14.0/usb1" / usbPort;
  fs::create_directories(device);
  for (const auto& [name, value] : descriptors) std::ofstream(device / name) << value << '\n';
  return device;
}

void TFakeSysfs::AddUsbSerial(const std::string& tty, const std::string& usbPort,
                              const TAttributes& descriptors) {
  const fs::path port = UsbDevice(usbPort, descriptors) / (usbPort + ":1.0") / tty;
  LinkClass(tty, port / "tty" / tty, port);
}

void TFakeSysfs::AddUsbAcm(const std::string& tty, const std::string& usbPort,
                           const TAttributes& descriptors) {
  const fs::path interface = UsbDevice(usbPort, descriptors) / (usbPort + ":1.0");
  LinkClass(tty, interface / "tty" / tty, interface);
}

void TFakeSysfs::AddPlatformSerial(const std::string& tty) {
  const fs::path platform = root_ / "devices/platform/serial8250";
  LinkClass(tty, platform / "tty" / tty, platform);
}

// Relative links, as sysfs has them, so the tree resolves within itself.
void TFakeSysfs::LinkClass(const std::string& tty, const fs::path& ttyFolder,
                           const fs::path& device) {
  fs::create_directories(ttyFolder);
  fs::create_directories(device);
  const fs::path classEntry = root_ / "class" / "tty" / tty;
  fs::create_directory_symlink(ttyFolder.lexically_relative(classEntry.parent_path()), classEntry);
  fs::create_directory_symlink(device.lexically_relative(ttyFolder), ttyFolder / "device");
}

}  // namespace orvane::serial::test
