#include "serial/PortNames.h"

#include <array>

#include "config/ConfigPath.h"
#include "config/IniFile.h"

namespace orvane::serial {
namespace {

struct DeviceFamily {
  unsigned firstPort;
  const char* prefix;
};

constexpr unsigned kPortsPerFamily = 16;
constexpr std::array<DeviceFamily, 3> kFamilies = {{
    {1, "/dev/ttyS"},
    {17, "/dev/ttyUSB"},
    {33, "/dev/ttyACM"},
}};

std::filesystem::path& MapFile() {
  static std::filesystem::path file = config::ConfigIniPath();
  return file;
}

}  // namespace

const std::filesystem::path& PortMapFile() { return MapFile(); }

void SetPortMapFile(std::filesystem::path path) { MapFile() = std::move(path); }

std::optional<std::string> PortDevicePath(unsigned number, const std::filesystem::path& iniPath) {
  if (number == 0 || number > kHighestPortNumber) return std::nullopt;
  const config::TIniFile ini(iniPath);
  std::string mapped = ini.ReadString("Ports", "COM" + std::to_string(number), "");
  if (!mapped.empty()) return mapped;
  for (const DeviceFamily& family : kFamilies) {
    if (number >= family.firstPort && number < family.firstPort + kPortsPerFamily) {
      return family.prefix + std::to_string(number - family.firstPort);
    }
  }
  return std::nullopt;
}

}  // namespace orvane::serial
