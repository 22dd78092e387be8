#include <utility>
#include <vector>

#include <QRadioButton>
#include <QTableWidget>

#include "panel/Bands.h"
#include "widgets/TButton.h"
#include "widgets/TGauge.h"
#include "widgets/TCheckBox.h"
#include "widgets/TRadioGroup.h"
#include "widgets/TSpinEdit.h"
#include "widgets/TTrackBar.h"
#include "widgets/TVrUserLed.h"

namespace orvane::panel {

// Band after band as the window's order has them (the signal reading holds
// nothing that takes the focus); inside a band, left to right.
void SetTabOrder(const TMainControls& c) {
  std::vector<QWidget*> chain;
  const std::initializer_list<QWidget*> controls = {
      c.cbKeepOnTop,   c.tbPump1,           c.tbPump2,     c.rgElements, c.tbPrimary,
      c.tbBoost,       c.BtnSetCurrent,     c.StringGrid1, c.speFilter,  c.rgDryerGas,
      c.rgAnalysisGas, c.BtnWakeInstrument, c.rgGain,      c.rgMode};
  for (QWidget* control : controls) {
    auto* group = qobject_cast<w::TRadioGroup*>(control);
    if (group == nullptr) {
      chain.push_back(control);
      continue;
    }
    for (int i = 0; i < group->Count(); ++i) chain.push_back(group->Button(i));
  }
  for (std::size_t i = 1; i < chain.size(); ++i) QWidget::setTabOrder(chain[i - 1], chain[i]);
}

// Controls whose text says what they are keep it as their name; the others
// are named here, and read-outs say what they show. The letters beside each
// LED are its caption, read once with the LED's state rather than again on
// their own; the slider scales read as their numbers, without the spaces
// that place them under the ticks.
void SetAccessibility(const TMainControls& c) {
  const std::pair<QWidget*, const char*> names[] = {{c.tbPump1, "Pump 1"},
                                                    {c.tbPump2, "Pump 2"},
                                                    {c.tbPrimary, "Primary"},
                                                    {c.tbBoost, "Boost"},
                                                    {c.speFilter, "Filter"},
                                                    {c.ActiveLed, "CD"},
                                                    {c.ReplyLed, "SD"},
                                                    {c.StreamLed, "RD"},
                                                    {c.PrimaryGauge, "Primary Gauge"},
                                                    {c.BoostGauge, "Boost Gauge"}};
  const std::pair<QWidget*, const char*> descriptions[] = {
      {c.Signal, "Signal Reading"},    {c.pnlGas1Stat, "Gas 1 Status"},
      {c.pnlGas2Stat, "Gas 2 Status"}, {c.lblFlameStat, "Flame Status"},
      {c.Label10, "Primary Read Out"}, {c.Label11, "Boost Read Out"},
      {c.Label5, "Primary Setting"},   {c.Label6, "Boost Setting"},
      {c.Label1, "Pump 1 Speed"},      {c.Label2, "Pump 2 Speed"}};
  for (const auto& [control, name] : names) control->setAccessibleName(QString::fromLatin1(name));
  for (const auto& [control, text] : descriptions)
    control->setAccessibleDescription(QString::fromLatin1(text));
  for (w::TButton* picture : {c.btnLock, c.btnSetFilter, c.BtnSetCurrent})
    picture->setAccessibleName(picture->toolTip());
  c.Label15->setBuddy(c.ActiveLed);
  c.Label16->setBuddy(c.ReplyLed);
  c.Label17->setBuddy(c.StreamLed);
  for (QLabel* scale : {c.Label3, c.Label4, c.Label7, c.Label8})
    scale->setAccessibleName(scale->text().simplified());
  c.StringGrid1->setAccessibleName(c.Label14->text());
  c.Image1->setAccessibleName(QStringLiteral("Slide arrow"));
}

}  // namespace orvane::panel
