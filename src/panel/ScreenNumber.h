#pragma once

#include <QString>

#include <string_view>

namespace orvane::panel {

// A number formatted with '.' (instrument/Units.h) as the operator reads it:
// with the desktop's decimal separator (QLocale), as the desktop's other
// programs show numbers. The digits stay as they are.
QString ScreenNumber(std::string_view text);

}  // namespace orvane::panel
