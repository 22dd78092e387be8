#pragma once

#include <QWidget>

#include <filesystem>
#include <optional>

#include "audit/AuditTrail.h"
#include "instrument/AutoReconnect.h"
#include "instrument/ComPortLink.h"
#include "instrument/CommandExchange.h"
#include "instrument/ConnectionSupervisor.h"
#include "instrument/InstrumentLink.h"
#include "instrument/LinkTimers.h"
#include "instrument/StatusPolling.h"
#include "panel/AboutBox.h"
#include "panel/LampHandlers.h"
#include "panel/MainControls.h"
#include "panel/PanelLinkView.h"
#include "panel/PanelPrompts.h"
#include "panel/PanelSettings.h"
#include "panel/PowerHandlers.h"
#include "panel/RunFeed.h"
#include "panel/SettingsAutosave.h"
#include "panel/SettingsHandlers.h"
#include "panel/TrendOpener.h"
#include "serial/ApdComPort.h"
#include "trend/SignalTrend.h"
#include "widgets/TTimer.h"

namespace orvane::panel {

// The main window's seven timers, all disabled at creation.
struct TMainTimers {
  widgets::TTimer ActivityTimer{nullptr, instrument::kActivityInterval};
  widgets::TTimer NoResponseTimer{nullptr, instrument::kNoResponseInterval};
  widgets::TTimer NoDataStreamTimer{nullptr, instrument::kNoDataStreamInterval};
  widgets::TTimer StartupTimer{nullptr, instrument::kStartupInterval};
  widgets::TTimer CloseTimer{nullptr, TPowerHandlers::kShutDownWait};
  widgets::TTimer BoostTimer{nullptr, TLampHandlers::kBoostDelay};
  widgets::TTimer CheckTimer{nullptr, instrument::TStatusPolling::kInterval};
};

// The control panel window. It builds its controls from the layout, owns the
// port, the timers and the link, and hands every event to the class that
// handles it.
class TPY_ORVANEFrm : public QWidget {
  Q_OBJECT

 public:
  // The settings live in `configFile` (config.ini beside the program).
  explicit TPY_ORVANEFrm(std::filesystem::path configFile);
  ~TPY_ORVANEFrm() override;

  const TMainControls& Controls() const { return controls_; }
  TMainTimers& Timers() { return timers_; }
  instrument::InstrumentLink& Link() { return link_; }
  serial::TApdComPort& Port() { return port_; }
  const trend::TSignalTrend& Trend() const { return trend_; }
  TTrendOpener& TrendOpener() { return trendOpener_; }
  // Every operator action that reaches the instrument, and every change of
  // the link, in the order they happen.
  audit::TAuditTrail& Audit() { return audit_; }
  // Writes the settings to config.ini once, at the end of the session; false
  // when they could not be written. The destruction does it when nobody has.
  bool SaveSettings();
  TRunFeed& Runs() { return runs_; }

 protected:
  void showEvent(QShowEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  instrument::TLinkTimers LinkTimers();
  TAboutFacts AboutFacts() const;
  void SetUpPort();
  void FormCreate();
  void BindEvents();
  void FormShow();
  void FormResize();
  void ModelIdentified();
  void cbKeepOnTopClick();
  void FormMinimize();
  void FormDestroy();

  // Built in this order, which the constructor relies on: each member is
  // handed only members declared above it (the timers before the link that
  // drives them, the port before its link, the exchange before everything
  // that sends, the settings file before its autosave); the window itself is
  // a whole QWidget by then. The one exception is the view's reference to
  // settings_, which it keeps and uses only once events flow.
  std::filesystem::path configFile_;
  TMainControls controls_;
  TMainTimers timers_;
  audit::TAuditTrail audit_;
  instrument::InstrumentLink link_;
  serial::TApdComPort port_;
  instrument::TComPortLink portLink_;
  TPanelLinkView view_;
  TPanelPrompts prompts_;
  instrument::TCommandExchange exchange_;
  TSettingsHandlers settings_;
  TLampHandlers lamp_;
  TPowerHandlers power_;
  instrument::TStatusPolling polling_;
  instrument::TConnectionSupervisor supervisor_;
  instrument::TAutoReconnect reconnect_;
  TPanelSettings settingsFile_;
  TSettingsAutosave autosave_;
  trend::TSignalTrend trend_;
  TRunFeed runs_;
  TTrendOpener trendOpener_;
  std::optional<bool> settingsSaved_;
};

}  // namespace orvane::panel
