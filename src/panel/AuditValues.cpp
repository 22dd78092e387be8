#include "panel/AuditValues.h"

#include <QRadioButton>

#include "instrument/Units.h"
#include "widgets/TRadioGroup.h"

namespace orvane::panel {
namespace {

std::string Trimmed(const std::string& text) {
  const std::size_t first = text.find_first_not_of(' ');
  return first == std::string::npos ? std::string() : text.substr(first);
}

}  // namespace

std::string ItemValue(const widgets::TRadioGroup& group) {
  const QRadioButton* item = group.Button(group.ItemIndex());
  return item ? item->text().remove('&').toStdString() : std::string();
}

std::string PercentValue(std::uint8_t position) {
  return Trimmed(units::FormatPercent(units::PositionToPercent(position)));
}

std::string MilliampsValue(std::uint8_t position, double fullScale) {
  return Trimmed(units::FormatFixed(units::PositionToMilliamps(position, fullScale), 2, 1)) + " mA";
}

}  // namespace orvane::panel
