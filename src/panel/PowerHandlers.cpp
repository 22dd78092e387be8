#include "panel/PowerHandlers.h"

#include <exception>
#include <string>

#include <QGuiApplication>
#include <QWidget>

#include "instrument/Protocol.h"
#include "panel/LampHandlers.h"
#include "panel/SettingsHandlers.h"
#include "widgets/TButton.h"
#include "widgets/TMessageDlg.h"
#include "widgets/TRadioGroup.h"
#include "widgets/TTimer.h"
#include "widgets/TVrPowerButton.h"

namespace orvane::panel {

using widgets::TMessageDlg;

TPowerHandlers::TPowerHandlers(const TMainControls& controls, instrument::InstrumentLink& link,
                               instrument::TLinkPort& port, TSettingsHandlers& settings,
                               TLampHandlers& lamp, widgets::TTimer& check, widgets::TTimer& close,
                               QWidget& window, audit::TAuditTrail& audit)
    : c_(controls),
      link_(link),
      port_(port),
      settings_(settings),
      lamp_(lamp),
      check_(check),
      close_(close),
      window_(window),
      audit_(audit) {
  c_.VrPowerButton->SetOnClick([this](QObject* sender) { VrPowerButtonClick(sender); });
  close_.SetOnTimer([this](QObject* sender) { CloseTimerTimer(sender); });
}

// The button has already switched itself: active means the operator woke it.
void TPowerHandlers::VrPowerButtonClick(QObject*) {
  widgets::TVrPowerButton& button = *c_.VrPowerButton;
  if (!port_.IsOpen()) {
    button.SetActive(false);
    return;
  }
  if (!button.Active()) {
    button.SetCaption("ON");
    WriteIdle();
    return;
  }
  button.SetCaption("OFF");
  if (!port_.DSR()) return;
  audit_.Send({.Event = "wake"});
  settings_.ResendSettings();
  if (link_.IsModelB()) {
    lamp_.rgElementsClick(c_.rgElements);
    c_.BtnSetCurrent->Click();
  }
  link_.IdleRequested = false;
}

void TPowerHandlers::WriteIdle() {
  try {
    if (!port_.DSR()) return;
    port_.Write(std::string(protocol::kIdleCommand) + protocol::kCarriageReturn);
    link_.IdleRequested = true;
    audit_.Send({.Event = "idle"});
  } catch (const std::exception&) {
    // An instrument that did not take the idle command is still running.
  }
}

bool TPowerHandlers::FormCloseQuery() {
  if (link_.PanelLocked) return false;
  if (closeNow_) return true;
  // Polling goes on while the operator thinks it over: stopped, it left the
  // stream watchdog to find the link lost, and a Cancel came back to a link
  // the question itself had broken. It stops once the window is to close.
  const int answer =
      port_.DSR() ? TMessageDlg::Confirm(&window_, kShutDownQuestion) : widgets::mrNo;
  if (answer != widgets::mrYes && answer != widgets::mrNo) return false;
  check_.SetEnabled(false);
  if (answer == widgets::mrYes) ShutDown();
  return true;
}

// The instrument gets kShutDownWait to take the shutdown before the program ends.
void TPowerHandlers::ShutDown() {
  closeNow_ = true;
  audit_.Send({.Event = "shut down"});
  if (!port_.IsOpen()) port_.Open();
  try {
    port_.Write(std::string(protocol::kIdleCommand) + protocol::kCarriageReturn);
  } catch (const std::exception&) {
    // The program ends whether or not the instrument heard it.
  }
  close_.SetEnabled(true);
  QGuiApplication::setOverrideCursor(Qt::WaitCursor);
}

bool TPowerHandlers::FormClose() const { return !close_.Enabled(); }

void TPowerHandlers::CloseTimerTimer(QObject*) {
  close_.SetEnabled(false);
  window_.close();
}

}  // namespace orvane::panel
