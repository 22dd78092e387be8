#pragma once

#include <cstdint>
#include <string>

namespace orvane::trend {

// The gain and mode as the panel's selectors name them ("100", "Emission");
// a code no selector sends is shown in hex.
std::string GainLabel(std::uint8_t gainCode);
std::string ModeLabel(std::uint8_t modeCode);

}  // namespace orvane::trend
