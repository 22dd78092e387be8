#include "serial/PortInfo.h"

#include <algorithm>
#include <fstream>
#include <vector>

namespace orvane::serial {
namespace fs = std::filesystem;

namespace {

// Descriptor strings are the maker's; a list line has room for little.
constexpr std::size_t kLongestAttribute = 64;

std::string Attribute(const fs::path& folder, const char* name) {
  std::string text;
  std::getline(std::ifstream(folder / name), text);
  text.resize(std::min(text.find_last_not_of(" \t\r") + 1, kLongestAttribute));
  std::replace_if(
      text.begin(), text.end(),
      [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; }, '?');
  return text;
}

bool Within(const fs::path& path, const fs::path& root) {
  return std::mismatch(root.begin(), root.end(), path.begin(), path.end()).first == root.end();
}

std::string Joined(const std::vector<std::string>& parts) {
  std::string text;
  for (const std::string& part : parts) {
    if (part.empty()) continue;
    if (!text.empty()) text += " \u00B7 ";
    text += part;
  }
  return text;
}

std::string UsbNames(const TUsbDevice& usb) {
  std::string names = usb.manufacturer;
  if (!names.empty() && !usb.product.empty()) names += ' ';
  names += usb.product;
  if (names.empty()) names = "USB " + usb.vendorId + ":" + usb.productId;
  if (!usb.serial.empty()) names += " \u00B7 serial " + usb.serial;
  return names;
}

std::string PresenceNote(TPortPresence presence) {
  switch (presence) {
    case TPortPresence::InUse:
      return "in use by another program";
    case TPortPresence::InUseHere:
      return "open in this program";
    case TPortPresence::NoPermission:
      return "no permission: join the dialout group";
    case TPortPresence::Absent:
    case TPortPresence::Free:
      break;
  }
  return {};
}

}  // namespace

// A USB serial port's tty hangs under its interface, and the interface under
// the device that carries the descriptors (the folder with idVendor).
std::optional<TUsbDevice> ReadUsbDevice(const std::string& ttyName, const fs::path& sysRoot) {
  std::error_code error;
  const fs::path root = fs::canonical(sysRoot, error);
  if (error || ttyName.empty()) return std::nullopt;
  fs::path at = fs::canonical(root / "class" / "tty" / ttyName / "device", error);
  for (; !error && at != root && Within(at, root); at = at.parent_path()) {
    if (!fs::exists(at / "idVendor", error)) continue;
    return TUsbDevice{Attribute(at, "manufacturer"), Attribute(at, "product"),
                      Attribute(at, "serial"), Attribute(at, "idVendor"),
                      Attribute(at, "idProduct")};
  }
  return std::nullopt;
}

std::string DescribePort(const std::string& device, TPortPresence presence,
                         const fs::path& sysRoot) {
  std::error_code error;
  const fs::path node = fs::canonical(device, error);
  std::string where = device;
  if (!error && node != fs::path(device)) where += " \u2192 " + node.string();
  const std::string ttyName = (error ? fs::path(device) : node).filename().string();
  const std::optional<TUsbDevice> usb = ReadUsbDevice(ttyName, sysRoot);
  return Joined({where, usb ? UsbNames(*usb) : std::string(), PresenceNote(presence)});
}

}  // namespace orvane::serial
