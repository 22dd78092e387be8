#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace orvane::serial {

// What a probe found at a port's device.
enum class TPortPresence {
  Absent,
  Free,
  InUse,         // held by another program
  InUseHere,     // held by one of this program's own ports
  NoPermission,  // the account may not open it
};

// What sysfs tells of the USB device a tty belongs to; any string may be
// empty where the device does not say.
struct TUsbDevice {
  std::string manufacturer;
  std::string product;
  std::string serial;
  std::string vendorId;
  std::string productId;
};

inline const std::filesystem::path kSysfsRoot = "/sys";

// The USB device behind tty `ttyName` (as the kernel names it: ttyUSB0),
// found from <sysRoot>/class/tty/<name>/device upwards; none for a tty
// that is not on USB. Tests point `sysRoot` at a tree of their own.
std::optional<TUsbDevice> ReadUsbDevice(const std::string& ttyName,
                                        const std::filesystem::path& sysRoot);

// What the port list shows beside a port's number: the device path (and the
// node a link leads to), the USB device behind it, and why it cannot be used
// when it cannot.
std::string DescribePort(const std::string& device, TPortPresence presence,
                         const std::filesystem::path& sysRoot = kSysfsRoot);

}  // namespace orvane::serial
