#include "trend/SettingLabels.h"

#include <array>
#include <optional>

#include "instrument/Protocol.h"

namespace orvane::trend {
namespace {

// Looks the code up in the selector's own table, so the labels follow the
// item order the commands are built from.
template <std::size_t N>
std::string Label(std::uint8_t code, const std::array<const char*, N>& items,
                  std::optional<std::uint8_t> (*codeForItem)(int)) {
  for (std::size_t item = 0; item < N; ++item) {
    if (codeForItem(static_cast<int>(item)) == code) return items[item];
  }
  return "0x" + protocol::EncodeHexByte(code);
}

}  // namespace

std::string GainLabel(std::uint8_t gainCode) {
  return Label(gainCode, std::array{"1", "10", "100", "1000"}, protocol::GainCodeForItem);
}

std::string ModeLabel(std::uint8_t modeCode) {
  return Label(modeCode, std::array{"Ratio", "Ref", "Emission"}, protocol::ModeCodeForItem);
}

}  // namespace orvane::trend
