#pragma once

#include "audit/AuditTrail.h"
#include "instrument/CommandExchange.h"
#include "panel/MainControls.h"

class QObject;

namespace orvane::panel {

// The lamp's primary and boost currents: the sliders only prepare a value;
// Set sends the primary at once and the boost kBoostDelay later, so the
// lamp is not struck with both at the same moment. The element selector puts
// both sliders at a preset, and the operating-conditions table slides out.
// The currents sent and the preset chosen go to the audit trail when new.
class TLampHandlers {
 public:
  TLampHandlers(const TMainControls& controls, instrument::TCommandExchange& exchange,
                widgets::TTimer& check, widgets::TTimer& boost, audit::TAuditTrail& audit);

  // How long after the primary the boost goes out.
  static constexpr int kBoostDelay = 5000;  // ms

  void LampCurrentChange(QObject* sender);
  void BtnSetCurrentClick(QObject* sender);
  void BoostTimerTimer(QObject* sender);
  void rgElementsClick(QObject* sender);
  void SetLampPositions(double primaryMilliamps, double boostMilliamps);
  void OptionsPanelClick(QObject* sender);
  void ToggleOptionsPanel(widgets::TantMovablePanel& panel);

 private:
  void Bind();

  const TMainControls& c_;
  instrument::TCommandExchange& exchange_;
  widgets::TTimer& check_;
  widgets::TTimer& boost_;
  audit::TAuditTrail& audit_;
};

}  // namespace orvane::panel
