#include <QGroupBox>

#include "panel/Bands.h"
#include "panel/LayoutKit.h"
#include "widgets/PictureStrip.h"
#include "widgets/TButton.h"
#include "widgets/TGauge.h"
#include "widgets/TRadioGroup.h"

namespace orvane::panel {

namespace {

// One number every 5 mA, under the slider's ticks.
constexpr const char* kPrimaryScale =
    "0        5        10       15       20      25       30       35      40 ";
constexpr const char* kBoostScale =
    "0      5    10   15   20  25   30   35   40    45    50    55   60";

w::TGauge* PlaceGauge(QWidget& parent, const char* name, const QRect& geometry) {
  auto* gauge = Place<w::TGauge>(parent, name, geometry);
  gauge->SetForeColor(kRed);
  gauge->SetMaxValue(255);
  gauge->SetShowText(false);
  return gauge;
}

// The read-backs lie on the gauges, each on a small field of its own so the
// text stays readable over the bar; they must be made after the gauges.
void PlaceReadOuts(QGroupBox& box, TMainControls& c) {
  PlaceLabels(box, c,
              {{&TMainControls::Label10, "Label10", {460, 36, 19, 16}, "ma"},
               {&TMainControls::Label11, "Label11", {460, 101, 19, 16}, "ma"}});
  for (QLabel* label : {c.Label10, c.Label11})
    SetBackground(*label, label->palette().color(QPalette::HighlightedText));
}

}  // namespace

void BuildLamp(QWidget& client, TMainControls& c) {
  c.gbLamp = PlaceGroupBox(client, "gbLamp", {4, 199, 651, 153}, "Lamp Current Setting");
  QGroupBox& box = *c.gbLamp;
  PlaceLabels(
      box, c,
      {{&TMainControls::Label5, "Label5", {220, 14, 19, 16}, "ma"},
       {&TMainControls::Label6, "Label6", {222, 79, 19, 16}, "ma"},
       {&TMainControls::Label7, "Label7", {122, 64, 251, 16}, kPrimaryScale, FontRole::Scale},
       {&TMainControls::Label8, "Label8", {122, 129, 246, 16}, kBoostScale, FontRole::Scale}});
  c.PrimaryGauge = PlaceGauge(box, "PrimaryGauge", {374, 34, 174, 19});
  c.BoostGauge = PlaceGauge(box, "BoostGauge", {374, 100, 174, 18});
  PlaceReadOuts(box, c);
  PlaceLabels(
      box, c,
      {{&TMainControls::Label9, "Label9", {69, 38, 46, 16}, "Primary"},
       {&TMainControls::Label12, "Label12", {69, 102, 35, 16}, "Boost"},
       {&TMainControls::Label13, "Label13", {438, 14, 57, 16}, "Read Out"},
       {&TMainControls::Label18, "Label18", {561, 14, 81, 16}, "Flame Status:"},
       {&TMainControls::lblFlameStat, "lblFlameStat", {580, 37, 37, 16}, "####", FontRole::Alarm}});
  PlaceSlider(box, c, {&TMainControls::tbPrimary, "tbPrimary", {113, 31, 261, 34}, 3, 32});
  PlaceSlider(box, c, {&TMainControls::tbBoost, "tbBoost", {113, 96, 261, 34}, 4, 21});
  c.BtnSetCurrent = PlaceButton(box, {"BtnSetCurrent",
                                      {578, 87, 44, 43},
                                      "",
                                      w::StripIcon(QStringLiteral(":/images/bulb.xpm")),
                                      "Set Lamp Current"});
  c.rgElements = PlaceRadioGroup(box, {"rgElements",
                                       {6, 22, 55, 127},
                                       "",
                                       {"As", "Se", "Sb", "Te", "Bi"},
                                       1,
                                       -1,
                                       FontRole::Window});
}

}  // namespace orvane::panel
