#include <QFrame>
#include <QGroupBox>

#include "panel/Bands.h"
#include "panel/LayoutKit.h"
#include "panel/ScreenNumber.h"
#include "widgets/TButton.h"
#include "widgets/TCheckBox.h"
#include "widgets/TRadioGroup.h"
#include "widgets/TVrPowerButton.h"
#include "widgets/TVrUserLed.h"

namespace orvane::panel {

namespace {

// A square lamp: green when dark, lime when lit, with a black outline and
// a ring in the button face round it.
void PlaceLed(QWidget& client, w::TVrUserLed*& led, const char* name, const QRect& geometry) {
  led = Place<w::TVrUserLed>(client, name, geometry);
  w::TVrPaletteEx& colours = led->PaletteEx();
  colours.SetLow1(w::kGreen);
  colours.SetLow2(w::kGreen);
  colours.SetHigh1(w::kLime);
  colours.SetHigh2(w::kLime);
  led->Bevel().SetOuterStyle(w::TVrBevelStyle::bsNone);
}

}  // namespace

void BuildStatusLights(QWidget& client, TMainControls& c) {
  PlaceLabels(client, c,
              {{&TMainControls::Label15, "Label15", {18, 13, 14, 16}, "CD", FontRole::LedLabel},
               {&TMainControls::Label16, "Label16", {18, 29, 14, 16}, "SD", FontRole::LedLabel},
               {&TMainControls::Label17, "Label17", {18, 45, 14, 16}, "RD", FontRole::LedLabel}});
  PlaceLed(client, c.ActiveLed, "ActiveLed", {4, 15, 12, 12});
  PlaceLed(client, c.ReplyLed, "ReplyLed", {4, 31, 12, 12});
  PlaceLed(client, c.StreamLed, "StreamLed", {4, 47, 12, 12});
  c.btnLock = PlaceButton(client, {"btnLock",
                                   {631, 18, 24, 42},
                                   "",
                                   QIcon(QStringLiteral(":/images/padlock-open.xpm")),
                                   "Lock Application",
                                   false});
}

void BuildSignalReading(QWidget& client, TMainControls& c) {
  c.GroupBox1 = PlaceGroupBox(client, "GroupBox1", {36, 11, 110, 50}, "Signal Reading");
  c.Signal = Place<QLabel>(*c.GroupBox1, "Signal", {10, 20, 90, 21}, FontRole::Reading);
  c.Signal->setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
  c.Signal->setAlignment(Qt::AlignCenter);
  c.Signal->setText(ScreenNumber("0.000"));
  SetBackground(*c.Signal, kWhite);
  c.cbKeepOnTop = Place<w::TCheckBox>(client, "cbKeepOnTop", {549, 0, 106, 14}, FontRole::Group);
  c.cbKeepOnTop->setText(QStringLiteral("Keep On Top"));
  c.cbKeepOnTop->SetChecked(true);
  KeepLineHeight(*c.cbKeepOnTop);
}

// The two radio groups start above the panel so that the panel cuts off
// their top rows.
void BuildGainMode(QWidget& client, TMainControls& c) {
  c.pnlGainMode = Place<QFrame>(client, "pnlGainMode", {148, 14, 483, 50});
  c.rgGain = PlaceRadioGroup(
      *c.pnlGainMode,
      {"rgGain", {0, -3, 207, 50}, "Gain Setting", {"1", "10", "100", "1000"}, 4, 2});
  c.rgMode = PlaceRadioGroup(
      *c.pnlGainMode,
      {"rgMode", {209, -3, 243, 50}, "Mode Setting", {"Ratio", "Ref", "Emission"}, 3, 1});
  auto* power =
      Place<w::TVrPowerButton>(*c.pnlGainMode, "VrPowerButton", {454, 5, 27, 41}, FontRole::Power);
  power->SetCaption(QStringLiteral("ON"));
  power->SetLayout(w::TVrImageTextLayout::ImageTop);
  power->SetMargin(0);
  power->SetSpacing(6);
  power->SetBevelWidth(1);
  power->Palette().SetLow(w::kGreen);
  power->Palette().SetHigh(w::kLime);
  power->setToolTip(QStringLiteral("Set Idle mode"));
  c.VrPowerButton = power;
}

}  // namespace orvane::panel
