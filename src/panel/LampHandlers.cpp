#include "panel/LampHandlers.h"

#include <array>

#include <QTableWidget>

#include "instrument/Protocol.h"
#include "instrument/Units.h"
#include "panel/AuditValues.h"
#include "panel/MainLayout.h"
#include "panel/ScreenNumber.h"
#include "widgets/TButton.h"
#include "widgets/TRadioGroup.h"
#include "widgets/TTimer.h"
#include "widgets/TTrackBar.h"
#include "widgets/TantMovablePanel.h"

namespace orvane::panel {
namespace {

namespace protocol = orvane::protocol;
namespace units = orvane::units;

struct TLampPreset {
  double primary;  // mA
  double boost;    // mA
};

// As, Se, Sb, Te, Bi: the same currents the operating-conditions table shows.
constexpr std::array<TLampPreset, 5> kPresets = {
    {{27.5, 35.0}, {20.0, 25.0}, {17.5, 15.0}, {15.0, 17.5}, {12.0, 10.0}}};

std::uint8_t PositionOf(const widgets::TTrackBar& slider) {
  return static_cast<std::uint8_t>(slider.Position());
}

// What a lamp slider's position means, as its hint and label show it.
QString LampCurrentText(const widgets::TTrackBar& slider) {
  const double fullScale = slider.Tag() == 3 ? units::kPrimaryFullScale : units::kBoostFullScale;
  return ScreenNumber(
      units::FormatMilliamps(units::PositionToMilliamps(PositionOf(slider), fullScale)));
}

}  // namespace

TLampHandlers::TLampHandlers(const TMainControls& controls, instrument::TCommandExchange& exchange,
                             widgets::TTimer& check, widgets::TTimer& boost,
                             audit::TAuditTrail& audit)
    : c_(controls), exchange_(exchange), check_(check), boost_(boost), audit_(audit) {
  Bind();
}

void TLampHandlers::Bind() {
  const auto lamp = [this](QObject* sender) { LampCurrentChange(sender); };
  c_.tbPrimary->SetOnChange(lamp);
  c_.tbBoost->SetOnChange(lamp);
  // The hint is what screen readers read as the meaning: there from the
  // start, not only after the first move.
  for (widgets::TTrackBar* slider : {c_.tbPrimary, c_.tbBoost})
    slider->setToolTip(LampCurrentText(*slider));
  c_.BtnSetCurrent->SetOnClick([this](QObject* sender) { BtnSetCurrentClick(sender); });
  boost_.SetOnTimer([this](QObject* sender) { BoostTimerTimer(sender); });
  c_.rgElements->SetOnClick([this](QObject* sender) { rgElementsClick(sender); });
  c_.OptionsPanel->SetOnClick([this](QObject* sender) { OptionsPanelClick(sender); });
}

void TLampHandlers::LampCurrentChange(QObject* sender) {
  c_.BtnSetCurrent->setEnabled(true);
  auto* slider = static_cast<widgets::TTrackBar*>(sender);
  const bool primary = slider->Tag() == 3;
  QLabel& label = primary ? *c_.Label5 : *c_.Label6;
  const QString text = LampCurrentText(*slider);
  slider->setToolTip(text);
  SetLabelText(label, text);
  slider->SetSelEnd(slider->Position());
}

void TLampHandlers::BtnSetCurrentClick(QObject*) {
  check_.SetEnabled(false);
  c_.BtnSetCurrent->setEnabled(false);
  exchange_.Send(protocol::BuildPrimaryCurrentCommand(PositionOf(*c_.tbPrimary)));
  audit_.SettingSent("primary current",
                     MilliampsValue(PositionOf(*c_.tbPrimary), units::kPrimaryFullScale));
  boost_.SetEnabled(true);
}

// The boost slider is read now, not at the press: a move in between counts.
void TLampHandlers::BoostTimerTimer(QObject*) {
  boost_.SetEnabled(false);
  exchange_.Send(protocol::BuildBoostCurrentCommand(PositionOf(*c_.tbBoost)));
  audit_.SettingSent("boost current",
                     MilliampsValue(PositionOf(*c_.tbBoost), units::kBoostFullScale));
  check_.SetEnabled(true);
}

void TLampHandlers::rgElementsClick(QObject*) {
  const int item = c_.rgElements->ItemIndex();
  if (item < 0 || item >= static_cast<int>(kPresets.size())) return;
  const TLampPreset& preset = kPresets[static_cast<std::size_t>(item)];
  audit_.SettingSent("lamp preset", ItemValue(*c_.rgElements));
  SetLampPositions(preset.primary, preset.boost);
}

void TLampHandlers::SetLampPositions(double primaryMilliamps, double boostMilliamps) {
  c_.tbPrimary->SetPosition(units::MilliampsToPosition(primaryMilliamps, units::kPrimaryFullScale));
  c_.tbBoost->SetPosition(units::MilliampsToPosition(boostMilliamps, units::kBoostFullScale));
}

void TLampHandlers::OptionsPanelClick(QObject*) {
  ToggleOptionsPanel(*c_.OptionsPanel);
  c_.StringGrid1->setFocus();
}

// The arrow points the way the next click moves the panel.
void TLampHandlers::ToggleOptionsPanel(widgets::TantMovablePanel& panel) {
  const bool out = panel.ToDirection();
  if (out) {
    panel.UndoMove();
  } else {
    panel.DoMove();
  }
  c_.Image1->setPixmap(ArrowPicture(out));
}

}  // namespace orvane::panel
