#include "panel/PanelLinkView.h"

#include "instrument/Units.h"
#include "panel/MainLayout.h"
#include "panel/ScreenNumber.h"
#include "panel/SettingsHandlers.h"
#include "widgets/TButton.h"
#include "widgets/TGauge.h"
#include "widgets/TSpinEdit.h"
#include "widgets/TVrPowerButton.h"
#include "widgets/TVrUserLed.h"

namespace orvane::panel {

using instrument::TLinkLed;
using instrument::TStatusIndicator;
namespace units = orvane::units;

TPanelLinkView::TPanelLinkView(const TMainControls& controls, TSettingsHandlers& settings,
                               std::function<void()> modelIdentified)
    : c_(controls), settings_(settings), modelIdentified_(std::move(modelIdentified)) {}

// A label without a name of its own is named by its text, and tells
// assistive tools of each new one.
void TPanelLinkView::ShowSignal(const std::string& text) { c_.Signal->setText(ScreenNumber(text)); }

void TPanelLinkView::SetLed(TLinkLed led, bool on) {
  switch (led) {
    case TLinkLed::Active:
      c_.ActiveLed->SetActive(on);
      break;
    case TLinkLed::Reply:
      c_.ReplyLed->SetActive(on);
      break;
    case TLinkLed::Stream:
      c_.StreamLed->SetActive(on);
      break;
  }
}

void TPanelLinkView::ShowFilter(int filter) { c_.speFilter->SetValue(filter); }

void TPanelLinkView::ShowStatus(TStatusIndicator indicator, bool present) {
  QLabel* label = indicator == TStatusIndicator::Gas1   ? c_.pnlGas1Stat
                  : indicator == TStatusIndicator::Gas2 ? c_.pnlGas2Stat
                                                        : c_.lblFlameStat;
  QPalette palette = label->palette();
  palette.setColor(QPalette::WindowText, present ? QColor(0, 128, 0) : QColor(255, 0, 0));
  label->setPalette(palette);
  const QString text = present ? "Present" : "Absent";
  if (indicator == TStatusIndicator::Flame) {
    SetLabelText(*label, text);
  } else {
    label->setText(text);
  }
}

void TPanelLinkView::ShowPrimaryReadBack(std::uint8_t position) {
  SetLabelText(*c_.Label10, ScreenNumber(units::FormatMilliamps(
                                units::PositionToMilliamps(position, units::kPrimaryFullScale))));
  c_.PrimaryGauge->SetProgress(position);
}

void TPanelLinkView::ShowBoostReadBack(std::uint8_t position) {
  SetLabelText(*c_.Label11, ScreenNumber(units::FormatMilliamps(
                                units::PositionToMilliamps(position, units::kBoostFullScale))));
  c_.BoostGauge->SetProgress(position);
}

void TPanelLinkView::SetResetEnabled(bool enabled) { c_.BtnWakeInstrument->setEnabled(enabled); }

void TPanelLinkView::ShowPowerState(bool active) {
  c_.VrPowerButton->SetActive(active);
  c_.VrPowerButton->SetCaption(active ? "OFF" : "ON");
}

void TPanelLinkView::RestoreSettings() { settings_.RestoreSettings(); }

}  // namespace orvane::panel
