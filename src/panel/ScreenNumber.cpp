#include "panel/ScreenNumber.h"

#include <QLocale>

namespace orvane::panel {

QString ScreenNumber(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()))
      .replace(u'.', QLocale().decimalPoint());
}

}  // namespace orvane::panel
