#pragma once

#include <filesystem>
#include <map>
#include <string>

namespace orvane::serial::test {

// A sysfs tree laid out as the kernel lays out serial ports, under a folder
// of the test's own: nothing of the machine's devices is read.
class TFakeSysfs {
 public:
  using TAttributes = std::map<std::string, std::string>;

  explicit TFakeSysfs(std::filesystem::path root);

  // A USB serial converter's port on bus port `usbPort` (e.g. "1-2"), its
  // descriptor files (idVendor, product, serial...) as given.
  void AddUsbSerial(const std::string& tty, const std::string& usbPort,
                    const TAttributes& descriptors);
  // A modem-class device: its tty hangs straight under the interface.
  void AddUsbAcm(const std::string& tty, const std::string& usbPort,
                 const TAttributes& descriptors);
  // A motherboard port, on no bus that names it.
  void AddPlatformSerial(const std::string& tty);

  const std::filesystem::path& Root() const { return root_; }

 private:
  std::filesystem::path UsbDevice(const std::string& usbPort, const TAttributes& descriptors);
  // <root>/class/tty/<tty> leads to `ttyFolder`, whose `device` leads to `device`.
  void LinkClass(const std::string& tty, const std::filesystem::path& ttyFolder,
                 const std::filesystem::path& device);

  std::filesystem::path root_;
};

}  // namespace orvane::serial::test
