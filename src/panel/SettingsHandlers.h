#pragma once

#include "audit/AuditTrail.h"
#include "instrument/CommandExchange.h"
#include "panel/MainControls.h"

class QObject;

namespace orvane::panel {

// Gain and mode, the pumps, the gases and the filter: each turns its
// control's state into one command and sends it. None waits for the reply.
// Each value sent that differs from the last goes to the audit trail.
class TSettingsHandlers {
 public:
  TSettingsHandlers(const TMainControls& controls, instrument::InstrumentLink& link,
                    instrument::TCommandExchange& exchange, widgets::TTimer& check,
                    audit::TAuditTrail& audit);

  void GainModeClick(QObject* sender);
  void UpdateGainCode();
  void UpdateModeCode();
  void PumpSpeedChange(QObject* sender);
  void rgDryerGasClick(QObject* sender);
  void rgAnalysisGasClick(QObject* sender);
  void btnSetFilterClick(QObject* sender);
  void speFilterChange(QObject* sender);

  // The gases and pumps once more, as the wake-up needs them.
  void ResendSettings();
  // What an instrument switched off and on has forgotten: the gases and
  // pumps, then the gain and mode, the filter and, on model B, the lamp.
  void RestoreSettings();
  // Sends the gain and mode the selectors hold now.
  void SendGainMode();

  static constexpr int kStretchedPoll = 3000;  // ms

 private:
  void Bind();

  const TMainControls& c_;
  instrument::InstrumentLink& link_;
  instrument::TCommandExchange& exchange_;
  widgets::TTimer& check_;
  audit::TAuditTrail& audit_;
};

}  // namespace orvane::panel
