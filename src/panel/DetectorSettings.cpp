#include "panel/DetectorSettings.h"

#include <QRadioButton>

#include "instrument/Units.h"
#include "widgets/TRadioGroup.h"
#include "widgets/TSpinEdit.h"
#include "widgets/TTrackBar.h"

namespace orvane::panel {
namespace {

std::string Chosen(const widgets::TRadioGroup& group) {
  const int index = group.ItemIndex();
  if (index < 0) return "none";
  return group.Button(index)->text().remove('&').toStdString();
}

std::string Current(const widgets::TTrackBar& slider, double fullScale) {
  const auto position = static_cast<std::uint8_t>(slider.Position());
  return units::FormatFixed(units::PositionToMilliamps(position, fullScale), 0, 1) + " mA";
}

}  // namespace

runs::TSettings DetectorSettings(const TMainControls& c, const instrument::InstrumentLink& link) {
  runs::TSettings settings = {{"model", link.InstrumentModel},
                              {"gain", Chosen(*c.rgGain)},
                              {"mode", Chosen(*c.rgMode)},
                              {"filter", std::to_string(c.speFilter->Value())},
                              {"pump1", std::to_string(c.tbPump1->Position())},
                              {"pump2", std::to_string(c.tbPump2->Position())},
                              {"dryer_gas", Chosen(*c.rgDryerGas)},
                              {"analysis_gas", Chosen(*c.rgAnalysisGas)}};
  if (link.IsModelB()) {
    settings.emplace_back("primary_current", Current(*c.tbPrimary, units::kPrimaryFullScale));
    settings.emplace_back("boost_current", Current(*c.tbBoost, units::kBoostFullScale));
    settings.emplace_back("element", Chosen(*c.rgElements));
  }
  return settings;
}

}  // namespace orvane::panel
