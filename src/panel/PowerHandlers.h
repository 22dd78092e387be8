#pragma once

#include <functional>

#include "audit/AuditTrail.h"
#include "instrument/InstrumentLink.h"
#include "instrument/LinkPort.h"
#include "panel/MainControls.h"

class QObject;
class QWidget;

namespace orvane::widgets {
class TTimer;
}

namespace orvane::panel {

class TLampHandlers;
class TSettingsHandlers;

// The power button's idle and wake-up, and the shutdown question on close.
// Idle and wake-up each go to the audit trail.
// "!Z00" goes straight to the port: it is never the command replies are
// matched against, and no watchdog waits for its answer.
class TPowerHandlers {
 public:
  TPowerHandlers(const TMainControls& controls, instrument::InstrumentLink& link,
                 instrument::TLinkPort& port, TSettingsHandlers& settings, TLampHandlers& lamp,
                 widgets::TTimer& check, widgets::TTimer& close, QWidget& window,
                 audit::TAuditTrail& audit);

  void VrPowerButtonClick(QObject* sender);
  // Whether the window may close now; asks the operator when the instrument
  // is there.
  bool FormCloseQuery();
  // Whether the window closes at once or waits for the instrument to shut down.
  bool FormClose() const;
  void CloseTimerTimer(QObject* sender);

  static constexpr const char* kShutDownQuestion = "Would you like to shut down the instrument ?";
  // How long the instrument gets to take the shutdown before the program ends.
  static constexpr int kShutDownWait = 3000;  // ms

 private:
  void WriteIdle();
  void ShutDown();

  const TMainControls& c_;
  instrument::InstrumentLink& link_;
  instrument::TLinkPort& port_;
  TSettingsHandlers& settings_;
  TLampHandlers& lamp_;
  widgets::TTimer& check_;
  widgets::TTimer& close_;
  QWidget& window_;
  audit::TAuditTrail& audit_;
  bool closeNow_ = false;
};

}  // namespace orvane::panel
