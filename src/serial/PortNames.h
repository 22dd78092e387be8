#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace orvane::serial {

inline constexpr unsigned kHighestPortNumber = 50;

// Device path of serial port `number` (1-based): the operator's own mapping
// in key COMn of section [Ports] of `iniPath` when present, else the fixed
// table (COM1-16 ttyS0-15, COM17-32 ttyUSB0-15, COM33-48 ttyACM0-15).
// No path for 0, for COM49 and COM50 without a mapping, or beyond 50.
std::optional<std::string> PortDevicePath(unsigned number, const std::filesystem::path& iniPath);

// The profile file whose [Ports] section maps port numbers: config.ini
// beside the executable. Tests point it at a file of their own so that no
// test ever reaches a real device.
const std::filesystem::path& PortMapFile();
void SetPortMapFile(std::filesystem::path path);

}  // namespace orvane::serial
