#include <QGroupBox>

#include "panel/Bands.h"
#include "panel/LayoutKit.h"

namespace orvane::panel {

namespace {

// Spaced so that the marks fall under the slider's quarter ticks.
constexpr const char* kPumpScale =
    "0%                   25%               50%               75%            100%  ";

}  // namespace

void BuildPumps(QWidget& client, TMainControls& c) {
  c.gbPumps = PlaceGroupBox(client, "gbPumps", {4, 62, 651, 86}, "Pump Speed");
  QGroupBox& box = *c.gbPumps;
  PlaceLabels(
      box, c,
      {{&TMainControls::Label1, "Label1", {129, 12, 48, 16}, "Pump 1:"},
       {&TMainControls::Label2, "Label2", {434, 12, 51, 16}, "Pump 2 :"},
       {&TMainControls::Label3, "Label3", {21, 63, 294, 16}, kPumpScale, FontRole::Scale},
       {&TMainControls::Label4, "Label4", {340, 63, 294, 16}, kPumpScale, FontRole::Scale}});
  PlaceSlider(box, c, {&TMainControls::tbPump1, "tbPump1", {14, 30, 294, 33}, 1, 16});
  PlaceSlider(box, c, {&TMainControls::tbPump2, "tbPump2", {334, 30, 294, 33}, 2, 16});
}

}  // namespace orvane::panel
