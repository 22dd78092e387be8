#include "panel/PanelSettings.h"

#include <limits>

#include <QWidget>

#include "config/IniFile.h"
#include "panel/WindowModel.h"
#include "serial/ApdComPort.h"
#include "widgets/TCheckBox.h"
#include "widgets/TRadioGroup.h"
#include "widgets/TTrackBar.h"

namespace orvane::panel {
namespace {

constexpr const char* kInstrument = "Instrument";

const char* SectionOf(const std::string& model) {
  if (model == instrument::kModelA) return "PY";
  if (model == instrument::kModelB) return "RV";
  return nullptr;
}

// Anything but a port number means no port: the operator is asked for one.
std::uint16_t PortNumber(int value) {
  const bool fits = value > 0 && value <= std::numeric_limits<std::uint16_t>::max();
  return fits ? static_cast<std::uint16_t>(value) : 0;
}

}  // namespace

TPanelSettings::TPanelSettings(const TMainControls& controls, instrument::InstrumentLink& link,
                               serial::TApdComPort& port, QWidget& window)
    : c_(controls), link_(link), port_(port), window_(window) {}

// The port comes first, so the commands the other keys send reach it. Model
// B measures in Emission only: its mode is set by the identify reply, never
// loaded.
void TPanelSettings::Load(const config::TIniFile& ini) {
  port_.SetComNumber(0);
  link_.InstrumentModel = ini.ReadString(kInstrument, "configuration", "");
  const char* section = SectionOf(link_.InstrumentModel);
  if (section == nullptr) return;
  const bool modelB = link_.IsModelB();
  window_.setWindowTitle(ModelCaption(link_.InstrumentModel));
  port_.SetComNumber(PortNumber(ini.ReadInteger(section, "ComPort", 0)));
  c_.rgGain->SetItemIndex(ini.ReadInteger(section, "Gain", 2));
  if (!modelB) c_.rgMode->SetItemIndex(ini.ReadInteger(section, "Mode", 1));
  c_.cbKeepOnTop->SetChecked(ini.ReadBool(section, "KeepOnTop", true));
  c_.tbPump1->SetPosition(ini.ReadInteger(section, "Pump1", 0));
  c_.tbPump2->SetPosition(ini.ReadInteger(section, "Pump2", 0));
  c_.rgDryerGas->SetItemIndex(ini.ReadInteger(section, "DryerGas", 0));
  c_.rgAnalysisGas->SetItemIndex(ini.ReadInteger(section, "AnalysisGas", 0));
  if (modelB) c_.rgElements->SetItemIndex(ini.ReadInteger(section, "LampType", -1));
}

void TPanelSettings::Save(config::TIniFile& ini) const {
  const char* section = SectionOf(link_.InstrumentModel);
  if (section == nullptr) return;
  ini.WriteInteger(section, "ComPort", port_.ComNumber());
  ini.WriteInteger(section, "Gain", c_.rgGain->ItemIndex());
  ini.WriteInteger(section, "Mode", c_.rgMode->ItemIndex());
  ini.WriteBool(section, "KeepOnTop", c_.cbKeepOnTop->Checked());
  ini.WriteInteger(section, "Pump1", c_.tbPump1->Position());
  ini.WriteInteger(section, "Pump2", c_.tbPump2->Position());
  ini.WriteInteger(section, "DryerGas", c_.rgDryerGas->ItemIndex());
  ini.WriteInteger(section, "AnalysisGas", c_.rgAnalysisGas->ItemIndex());
  if (link_.IsModelB()) ini.WriteInteger(section, "LampType", c_.rgElements->ItemIndex());
}

}  // namespace orvane::panel
