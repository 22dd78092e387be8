#include "panel/PanelSettings.h"

#include <QWidget>

#include "instrument/InstrumentModel.h"
#include "panel/WindowModel.h"
#include "serial/ApdComPort.h"
#include "widgets/TCheckBox.h"
#include "widgets/TRadioGroup.h"
#include "widgets/TTrackBar.h"

namespace orvane::panel {
namespace {

struct TKeyInfo {
  const char* name;
  int defaultValue;
};

// In the order the keys are loaded and written. KeepOnTop is a boolean,
// written 1 or 0 like the others' integers.
constexpr std::array<TKeyInfo, 9> kKeys = {{{instrument::kPortKey, 0},
                                            {"Gain", 2},
                                            {"Mode", 1},
                                            {"KeepOnTop", 1},
                                            {"Pump1", 0},
                                            {"Pump2", 0},
                                            {"DryerGas", 0},
                                            {"AnalysisGas", 0},
                                            {"LampType", -1}}};

}  // namespace

TPanelSettings::TPanelSettings(const TMainControls& controls, instrument::InstrumentLink& link,
                               serial::TApdComPort& port, QWidget& window)
    : c_(controls), link_(link), port_(port), window_(window) {
  static_assert(kKeys.size() == kKeyCount);
}

// Model B measures in Emission only: its mode is set by the identify reply,
// never loaded; only model B has the lamp.
bool TPanelSettings::Loads(TKey key) const {
  if (key == kMode) return !link_.IsModelB();
  return key != kLampType || link_.IsModelB();
}

bool TPanelSettings::Saves(TKey key) const { return key != kLampType || link_.IsModelB(); }

// The port comes first, so the commands the other keys send reach it.
void TPanelSettings::Apply(TKey key, int value) {
  switch (key) {
    case kComPort:
      return port_.SetComNumber(instrument::PortNumber(value));
    case kGain:
      return c_.rgGain->SetItemIndex(value);
    case kMode:
      return c_.rgMode->SetItemIndex(value);
    case kKeepOnTop:
      return c_.cbKeepOnTop->SetChecked(value != 0);
    case kPump1:
      return c_.tbPump1->SetPosition(value);
    case kPump2:
      return c_.tbPump2->SetPosition(value);
    case kDryerGas:
      return c_.rgDryerGas->SetItemIndex(value);
    case kAnalysisGas:
      return c_.rgAnalysisGas->SetItemIndex(value);
    case kLampType:
      return c_.rgElements->SetItemIndex(value);
    case kKeyCount:
      break;
  }
}

int TPanelSettings::Value(TKey key) const {
  switch (key) {
    case kComPort:
      return port_.ComNumber();
    case kGain:
      return c_.rgGain->ItemIndex();
    case kMode:
      return c_.rgMode->ItemIndex();
    case kKeepOnTop:
      return c_.cbKeepOnTop->Checked() ? 1 : 0;
    case kPump1:
      return c_.tbPump1->Position();
    case kPump2:
      return c_.tbPump2->Position();
    case kDryerGas:
      return c_.rgDryerGas->ItemIndex();
    case kAnalysisGas:
      return c_.rgAnalysisGas->ItemIndex();
    case kLampType:
      return c_.rgElements->ItemIndex();
    case kKeyCount:
      break;
  }
  return 0;
}

TPanelSettings::TValues TPanelSettings::Values() const {
  TValues values{};
  for (std::size_t key = 0; key < kKeyCount; ++key) values[key] = Value(static_cast<TKey>(key));
  return values;
}

void TPanelSettings::Load(const config::TIniFile& ini) {
  port_.SetComNumber(0);
  unapplied_.reset();
  link_.InstrumentModel = ini.ReadString(instrument::kModelSection, instrument::kModelKey, "");
  const char* section = instrument::SectionOf(link_.InstrumentModel);
  loadedSection_ = section != nullptr ? section : "";
  if (section == nullptr) return;
  window_.setWindowTitle(ModelCaption(link_.InstrumentModel));
  std::size_t next = 0;
  try {
    for (; next < kKeyCount; ++next) {
      const auto key = static_cast<TKey>(next);
      if (Loads(key))
        Apply(key, ini.ReadInteger(section, kKeys[next].name, kKeys[next].defaultValue));
    }
  } catch (...) {
    for (; next < kKeyCount; ++next) unapplied_.set(next, Loads(static_cast<TKey>(next)));
    afterLoad_ = Values();
    throw;
  }
}

TSavedSettings TPanelSettings::ToSave() {
  const char* section = instrument::SectionOf(link_.InstrumentModel);
  if (section == nullptr) return {};
  TSavedSettings saved{section, {}};
  const TValues values = Values();
  const bool sameSection = saved.section == loadedSection_;
  for (std::size_t next = 0; next < kKeyCount; ++next) {
    if (values[next] != afterLoad_[next]) unapplied_.reset(next);
    if (Saves(static_cast<TKey>(next)) && !(sameSection && unapplied_[next])) {
      saved.entries.emplace_back(kKeys[next].name, std::to_string(values[next]));
    }
  }
  return saved;
}

void TPanelSettings::Save(config::TIniFile& ini) { Write(ini, ToSave()); }

void TPanelSettings::Write(config::TIniFile& ini, const TSavedSettings& settings) {
  if (!settings.section.empty()) ini.WriteStrings(settings.section, settings.entries);
}

}  // namespace orvane::panel
