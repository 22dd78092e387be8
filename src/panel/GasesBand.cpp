#include <QGroupBox>

#include "panel/Bands.h"
#include "panel/LayoutKit.h"
#include "widgets/PictureStrip.h"
#include "widgets/TButton.h"
#include "widgets/TRadioGroup.h"
#include "widgets/TSpinEdit.h"

namespace orvane::panel {

namespace {

// A raised outer ring round a lowered inner one, the text centred inside.
QLabel* PlaceGasStatus(QWidget& parent, const char* name, const QRect& geometry) {
  auto* status = Place<QLabel>(parent, name, geometry, FontRole::Alarm);
  status->setFrameStyle(QFrame::Box | QFrame::Raised);
  status->setLineWidth(1);
  status->setMidLineWidth(0);
  status->setAlignment(Qt::AlignCenter);
  status->setAutoFillBackground(true);
  status->setText(QStringLiteral("####"));
  return status;
}

}  // namespace

void BuildGases(QWidget& client, TMainControls& c) {
  c.gbGases = PlaceGroupBox(client, "gbGases", {4, 153, 651, 44}, "", FontRole::Window);
  QGroupBox& box = *c.gbGases;
  c.btnSetFilter = PlaceButton(box, {"btnSetFilter",
                                     {94, 11, 28, 27},
                                     "",
                                     w::StripIcon(QStringLiteral(":/images/tick.xpm")),
                                     "Apply Filter",
                                     false});
  PlaceLabels(box, c, {{&TMainControls::Label19, "Label19", {7, 15, 32, 16}, "Filter:"}});
  c.BtnWakeInstrument = PlaceButton(box, {"BtnWakeInstrument",
                                          {561, 7, 83, 31},
                                          "Reset",
                                          w::StripIcon(QStringLiteral(":/images/reset.xpm")),
                                          "Instrument Reset"});
  c.rgAnalysisGas = PlaceRadioGroup(
      box, {"rgAnalysisGas", {348, 0, 132, 40}, "Analysis Gas", {"OFF", "ON"}, 2, 0});
  c.rgDryerGas =
      PlaceRadioGroup(box, {"rgDryerGas", {134, 0, 134, 40}, "Dryer Gas", {"OFF", "ON"}, 2, 0});
  c.pnlGas1Stat = PlaceGasStatus(box, "pnlGas1Stat", {268, 8, 69, 31});
  c.pnlGas2Stat = PlaceGasStatus(box, "pnlGas2Stat", {480, 8, 69, 31});
  c.speFilter = Place<w::TSpinEdit>(box, "speFilter", {44, 12, 47, 26});
  c.speFilter->SetRange(1, 64);
  c.speFilter->SetMaxLength(2);
  c.speFilter->SetValue(32);
}

}  // namespace orvane::panel
