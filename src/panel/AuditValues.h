#pragma once

#include <cstdint>
#include <string>

namespace orvane::widgets {
class TRadioGroup;
}

namespace orvane::panel {

// Settings as the audit trail records them: as the panel shows them, without
// the padding the labels use.
std::string ItemValue(const widgets::TRadioGroup& group);             // the selected caption, "ON"
std::string PercentValue(std::uint8_t position);                      // "50%"
std::string MilliampsValue(std::uint8_t position, double fullScale);  // "27.5 mA"

}  // namespace orvane::panel
