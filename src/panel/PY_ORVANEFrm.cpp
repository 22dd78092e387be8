#include "panel/PY_ORVANEFrm.h"

#include <QCloseEvent>
#include <QIcon>
#include <QShowEvent>
#include <QWindow>

#include "config/IniFile.h"
#include "instrument/LinkAudit.h"
#include "panel/AboutBox.h"
#include "panel/DetectorSettings.h"
#include "panel/MainLayout.h"
#include "panel/WindowModel.h"
#include "serial/ApdExceptions.h"
#include "serial/PortNames.h"
#include "widgets/PictureStrip.h"
#include "widgets/TButton.h"
#include "widgets/TCheckBox.h"
#include "widgets/TErrorGuard.h"
#include "widgets/TRadioGroup.h"

namespace orvane::panel {

TPY_ORVANEFrm::TPY_ORVANEFrm(std::filesystem::path configFile)
    : configFile_(std::move(configFile)),
      controls_(BuildMainLayout(*this)),
      portLink_(port_, [this](std::string_view bytes) { exchange_.Receive(bytes); }),
      view_(controls_, settings_, [this] { ModelIdentified(); }),
      prompts_(*this),
      exchange_(link_, portLink_, LinkTimers(), view_),
      settings_(controls_, link_, exchange_, timers_.CheckTimer, audit_),
      lamp_(controls_, exchange_, timers_.CheckTimer, timers_.BoostTimer, audit_),
      power_(controls_, link_, portLink_, settings_, lamp_, timers_.CheckTimer, timers_.CloseTimer,
             *this, audit_),
      polling_(link_, exchange_, timers_.CheckTimer),
      supervisor_(link_, exchange_, portLink_, LinkTimers(), view_, prompts_, audit_),
      reconnect_(link_, portLink_, [this] { supervisor_.Reconnect(); }),
      settingsFile_(controls_, link_, port_, *this),
      autosave_(settingsFile_, controls_, configFile_),
      runs_(
          TRunFeed::DefaultFolder(), [this] { return DetectorSettings(controls_, link_); },
          [this] { return link_.CommsLost; }, this),
      trendOpener_(*this, *controls_.Signal, trend_, runs_) {
  audit_.SetStamp(
      [this](audit::TAuditEvent& event) { instrument::StampLink(event, link_, portLink_); });
  audit_.Subscribe([this](const audit::TAuditEvent& event) { runs_.Hear(event); });
  setObjectName("PY_ORVANEFrm");
  setWindowTitle(kProgramCaption);
  setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint |
                 Qt::WindowStaysOnTopHint);
  setWindowIcon(widgets::ProgramIcon());
  setMinimumSize(kTileClientSize);
  SetUpPort();
  BindEvents();
  InstallAbout(*this, [this] { return AboutFacts(); });
  widgets::TErrorGuard::Run([this] { FormCreate(); });
  autosave_.Start();
  FormResize();
}

void TPY_ORVANEFrm::FormCreate() { settingsFile_.Load(config::TIniFile(configFile_)); }

TPY_ORVANEFrm::~TPY_ORVANEFrm() { FormDestroy(); }

instrument::TLinkTimers TPY_ORVANEFrm::LinkTimers() {
  return {timers_.ActivityTimer, timers_.NoResponseTimer, timers_.NoDataStreamTimer,
          timers_.StartupTimer, timers_.CheckTimer};
}

TAboutFacts TPY_ORVANEFrm::AboutFacts() const {
  const unsigned number = port_.ComNumber();
  return {number, serial::PortDevicePath(number, serial::PortMapFile()).value_or(""), port_.Line,
          configFile_};
}

void TPY_ORVANEFrm::SetUpPort() {
  port_.AutoOpen = false;
  port_.RTS = false;
}

void TPY_ORVANEFrm::BindEvents() {
  timers_.ActivityTimer.SetOnTimer([this](QObject*) { supervisor_.ActivityTimerTimer(); });
  timers_.NoResponseTimer.SetOnTimer([this](QObject*) { supervisor_.NoResponseTimerTimer(); });
  timers_.NoDataStreamTimer.SetOnTimer([this](QObject*) { supervisor_.NoDataStreamTimerTimer(); });
  timers_.StartupTimer.SetOnTimer([this](QObject*) { supervisor_.StartupTimerTimer(); });
  timers_.CheckTimer.SetOnTimer([this](QObject*) { polling_.CheckTimerTimer(); });
  controls_.BtnWakeInstrument->SetOnClick(
      [this](QObject*) { supervisor_.BtnWakeInstrumentClick(); });
  supervisor_.SetOnDeviceGone([this] { reconnect_.DeviceGone(); });
  controls_.cbKeepOnTop->SetOnClick([this](QObject*) { cbKeepOnTopClick(); });
  exchange_.SetOnSignalAccepted(
      [this](double signal, std::uint8_t gainCode, std::uint8_t modeCode) {
        trend_.Record(signal, gainCode, modeCode);
        runs_.Record(trend_.Readings().Back());
      });
}

void TPY_ORVANEFrm::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  // A window manager showing the window again is not the program showing it.
  if (!event->spontaneous()) widgets::TErrorGuard::Run([this] { FormShow(); });
}

void TPY_ORVANEFrm::FormShow() {
  PutTickMarks(controls_);
  runs_.Recover();
  supervisor_.FormShow();
}

void TPY_ORVANEFrm::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  FormResize();
}

// The operator does not size the window: the model does. Any size change,
// a maximise included, brings the model's size back.
void TPY_ORVANEFrm::FormResize() {
  if (!link_.EnforceWindowSize) return;
  if (isMaximized() || isFullScreen())
    setWindowState(windowState() & ~(Qt::WindowMaximized | Qt::WindowFullScreen));
  const QSize size = ModelClientSize(link_.InstrumentModel);
  if (this->size() != size) resize(size);
}

void TPY_ORVANEFrm::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::WindowStateChange && isMinimized()) FormMinimize();
}

// Minimising leaves a small tile in the corner that still shows the LEDs and
// the signal, so the operator never loses sight of the instrument.
void TPY_ORVANEFrm::FormMinimize() {
  link_.EnforceWindowSize = false;
  setWindowState(windowState() & ~Qt::WindowMinimized);
  resize(kTileClientSize);
  move(1, 1);
  link_.EnforceWindowSize = true;
}

void TPY_ORVANEFrm::closeEvent(QCloseEvent* event) {
  bool close = false;
  widgets::TErrorGuard::Run([&] { close = power_.FormCloseQuery() && power_.FormClose(); });
  event->setAccepted(close);
}

// The model decides the size, the caption and which modes exist: model B
// measures in Emission only and has the lamp, whose currents go out at once.
void TPY_ORVANEFrm::ModelIdentified() {
  const bool modelB = link_.IsModelB();
  FormResize();
  setWindowTitle(ModelCaption(link_.InstrumentModel));
  controls_.rgMode->SetItemEnabled(0, !modelB);
  controls_.rgMode->SetItemEnabled(1, !modelB);
  settings_.UpdateGainCode();
  if (!modelB) {
    settings_.UpdateModeCode();
    settings_.SendGainMode();
    return;
  }
  controls_.rgMode->SetItemIndex(2);
  controls_.BtnSetCurrent->Click();
}

// Setting the widget's flags would hide the window and show it again, which
// also runs the show handler once more; the native window takes the flag as
// it stands.
void TPY_ORVANEFrm::cbKeepOnTopClick() {
  const bool onTop = controls_.cbKeepOnTop->Checked();
  overrideWindowFlags(windowFlags().setFlag(Qt::WindowStaysOnTopHint, onTop));
  if (QWindow* handle = windowHandle()) handle->setFlag(Qt::WindowStaysOnTopHint, onTop);
}

// The last save waits for a write under way, so it is the last to reach the
// file. A failure is shown in the error box and remembered for the exit
// status.
bool TPY_ORVANEFrm::SaveSettings() {
  if (!settingsSaved_) {
    autosave_.Stop();
    settingsSaved_ = widgets::TErrorGuard::Run([this] {
      config::TIniFile ini(configFile_);
      settingsFile_.Save(ini);
    });
  }
  return *settingsSaved_;
}

// Each step runs whatever the one before it did: a settings file that cannot
// be written must not leave the port open.
void TPY_ORVANEFrm::FormDestroy() {
  SaveSettings();
  for (widgets::TTimer* timer :
       {&timers_.ActivityTimer, &timers_.NoResponseTimer, &timers_.NoDataStreamTimer,
        &timers_.BoostTimer, &timers_.StartupTimer, &timers_.CloseTimer, &timers_.CheckTimer}) {
    timer->SetEnabled(false);
  }
  widgets::TErrorGuard::Run([this] {
    try {
      port_.SetOpen(false);
    } catch (const serial::EBadId&) {
    } catch (const serial::EAlreadyOpen&) {
    }
  });
}

}  // namespace orvane::panel
