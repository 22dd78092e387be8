#include "panel/MainLayout.h"

#include "panel/Bands.h"
#include "panel/LayoutKit.h"
#include "widgets/PictureStrip.h"
#include "widgets/TTrackBar.h"

namespace orvane::panel {

TMainControls BuildMainLayout(QWidget& client) {
  client.setFont(MakeFont(FontRole::Window));
  SetBackground(client, client.palette().color(QPalette::Button));
  TMainControls controls;
  BuildStatusLights(client, controls);
  BuildPumps(client, controls);
  BuildSignalReading(client, controls);
  BuildLamp(client, controls);
  BuildOptionsPanel(client, controls);
  BuildGases(client, controls);
  BuildGainMode(client, controls);
  SetTabOrder(controls);
  SetAccessibility(controls);
  return controls;
}

// One tick per step of each slider's printed scale; the track bar adds
// both ends itself.
void PutTickMarks(const TMainControls& controls) {
  const struct {
    w::TTrackBar* slider;
    int step;
    int below;
  } marks[] = {{controls.tbPump1, 16, 255},
               {controls.tbPump2, 16, 255},
               {controls.tbPrimary, 32, 255},
               {controls.tbBoost, 21, 252}};
  for (const auto& mark : marks) {
    mark.slider->ClearTicks();
    for (int position = mark.step; position < mark.below; position += mark.step)
      mark.slider->SetTick(position);
  }
}

QPixmap ArrowPicture(bool up) {
  return widgets::TransparentPixmap(up ? QStringLiteral(":/UP") : QStringLiteral(":/DOWN"), kSilver);
}

void SetLabelText(QLabel& label, const QString& text) {
  label.setText(text);
  label.resize(label.sizeHint().width(), label.height());
}

}  // namespace orvane::panel
