#include "panel/SettingsHandlers.h"

#include "instrument/Protocol.h"
#include "instrument/Units.h"
#include "panel/AuditValues.h"
#include "panel/MainLayout.h"
#include "trend/SettingLabels.h"
#include "widgets/TButton.h"
#include "widgets/TRadioGroup.h"
#include "widgets/TSpinEdit.h"
#include "widgets/TTimer.h"
#include "widgets/TTrackBar.h"

namespace orvane::panel {

namespace protocol = orvane::protocol;
namespace units = orvane::units;

namespace {

// What a pump slider's position means, as its hint and label show it.
QString PumpSpeedText(const widgets::TTrackBar& slider) {
  const auto position = static_cast<std::uint8_t>(slider.Position());
  return QString::fromStdString(units::FormatPercent(units::PositionToPercent(position)));
}

}  // namespace

TSettingsHandlers::TSettingsHandlers(const TMainControls& controls,
                                     instrument::InstrumentLink& link,
                                     instrument::TCommandExchange& exchange, widgets::TTimer& check,
                                     audit::TAuditTrail& audit)
    : c_(controls), link_(link), exchange_(exchange), check_(check), audit_(audit) {
  Bind();
}

void TSettingsHandlers::Bind() {
  const auto gainMode = [this](QObject* sender) { GainModeClick(sender); };
  c_.rgGain->SetOnClick(gainMode);
  c_.rgMode->SetOnClick(gainMode);
  const auto pump = [this](QObject* sender) { PumpSpeedChange(sender); };
  c_.tbPump1->SetOnChange(pump);
  c_.tbPump2->SetOnChange(pump);
  // The hint is what screen readers read as the meaning: there from the
  // start, not only after the first move.
  for (widgets::TTrackBar* slider : {c_.tbPump1, c_.tbPump2})
    slider->setToolTip(PumpSpeedText(*slider));
  c_.rgDryerGas->SetOnClick([this](QObject* sender) { rgDryerGasClick(sender); });
  c_.rgAnalysisGas->SetOnClick([this](QObject* sender) { rgAnalysisGasClick(sender); });
  c_.btnSetFilter->SetOnClick([this](QObject* sender) { btnSetFilterClick(sender); });
  c_.speFilter->SetOnChange([this](QObject* sender) { speFilterChange(sender); });
}

// A change of gain rescales the signal: the next poll waits a full three
// seconds so that the instrument settles first.
void TSettingsHandlers::GainModeClick(QObject* sender) {
  auto* group = static_cast<widgets::TRadioGroup*>(sender);
  if (group->ItemIndex() == -1) return;
  check_.SetEnabled(false);
  if (group == c_.rgGain) UpdateGainCode();
  if (group == c_.rgMode) UpdateModeCode();
  SendGainMode();
  check_.SetInterval(kStretchedPoll);
  check_.SetEnabled(true);
}

void TSettingsHandlers::SendGainMode() {
  exchange_.Send(protocol::BuildGainModeCommand(link_.GainCode, link_.ModeCode));
  audit_.SettingSent("gain", trend::GainLabel(link_.GainCode));
  audit_.SettingSent("mode", trend::ModeLabel(link_.ModeCode));
}

void TSettingsHandlers::UpdateGainCode() {
  if (const auto code = protocol::GainCodeForItem(c_.rgGain->ItemIndex())) link_.GainCode = *code;
}

void TSettingsHandlers::UpdateModeCode() {
  if (const auto code = protocol::ModeCodeForItem(c_.rgMode->ItemIndex())) link_.ModeCode = *code;
}

void TSettingsHandlers::PumpSpeedChange(QObject* sender) {
  auto* slider = static_cast<widgets::TTrackBar*>(sender);
  const bool first = slider->Tag() == 1;
  const auto position = static_cast<std::uint8_t>(slider->Position());
  const QString percent = PumpSpeedText(*slider);
  slider->setToolTip(percent);
  SetLabelText(first ? *c_.Label1 : *c_.Label2,
               QString("Pump %1: %2").arg(slider->Tag()).arg(percent));
  slider->SetSelEnd(slider->Position());
  exchange_.Send(first ? protocol::BuildPump1Command(position)
                       : protocol::BuildPump2Command(position));
  audit_.SettingSent(first ? "pump 1" : "pump 2", PercentValue(position));
}

void TSettingsHandlers::rgDryerGasClick(QObject*) {
  const int item = c_.rgDryerGas->ItemIndex();
  if (item == -1) return;
  exchange_.Send(protocol::BuildDryerGasCommand(item == 1));
  audit_.SettingSent("dryer gas", ItemValue(*c_.rgDryerGas));
}

void TSettingsHandlers::rgAnalysisGasClick(QObject*) {
  const int item = c_.rgAnalysisGas->ItemIndex();
  if (item == -1) return;
  exchange_.Send(protocol::BuildAnalysisGasCommand(item == 1));
  audit_.SettingSent("analysis gas", ItemValue(*c_.rgAnalysisGas));
}

// The next poll reads the filter back, so the box shows what the instrument took.
void TSettingsHandlers::btnSetFilterClick(QObject*) {
  check_.SetEnabled(false);
  exchange_.Send(protocol::BuildSetFilterCommand(static_cast<std::uint8_t>(c_.speFilter->Value())));
  audit_.SettingSent("filter", std::to_string(c_.speFilter->Value()));
  link_.PollStep = 0;
}

void TSettingsHandlers::speFilterChange(QObject*) {
  const int value = c_.speFilter->Value();
  if (value > c_.speFilter->MaxValue()) c_.speFilter->SetValue(c_.speFilter->MaxValue());
  if (value < c_.speFilter->MinValue()) c_.speFilter->SetValue(c_.speFilter->MinValue());
}

void TSettingsHandlers::ResendSettings() {
  rgDryerGasClick(c_.rgDryerGas);
  rgAnalysisGasClick(c_.rgAnalysisGas);
  PumpSpeedChange(c_.tbPump1);
  PumpSpeedChange(c_.tbPump2);
}

// The filter is read back by the next poll, and the lamp's boost follows
// five seconds after its primary current, as when the operator sets them.
void TSettingsHandlers::RestoreSettings() {
  ResendSettings();
  SendGainMode();
  btnSetFilterClick(c_.btnSetFilter);
  if (link_.IsModelB()) c_.BtnSetCurrent->Click();
}

}  // namespace orvane::panel
