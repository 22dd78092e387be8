#include "instrument/ConnectionSupervisor.h"

#include <exception>

#include "instrument/LinkAudit.h"
#include "instrument/LinkSearch.h"
#include "widgets/TBoxCloser.h"
#include "widgets/TTimer.h"

namespace orvane::instrument {

TConnectionSupervisor::TConnectionSupervisor(InstrumentLink& link, TCommandExchange& exchange,
                                             TLinkPort& port, const TLinkTimers& timers,
                                             TLinkView& view, TLinkPrompts& prompts,
                                             audit::TAuditTrail& audit)
    : link_(link),
      exchange_(exchange),
      port_(port),
      timers_(timers),
      view_(view),
      prompts_(prompts),
      audit_(audit) {}

QString TConnectionSupervisor::NotPresentText(std::uint16_t comNumber) {
  return QString("Instrument Not Present on COM %1\r\n"
                 "Please Do the following:\r\n\n"
                 "1 - Check the Serial, Link.\r\n"
                 "2 - Make sure the Instrument is powered on.\r\n"
                 "3 - Press Reset when ready.")
      .arg(comNumber);
}

QString TConnectionSupervisor::LostText() { return "Lost Communication with Instrument"; }

void TConnectionSupervisor::ConnectInstrument() {
  ResetIndicators();
  if (port_.ComNumber() == 0) {
    if (const auto chosen = SelectPort()) UsePort(*chosen);
  }
  if (port_.ComNumber() == 0) return;
  AwaitAnswer();
}

void TConnectionSupervisor::ResetIndicators() {
  link_.CommsLost = false;
  link_.ReplyMatched = false;
  answered_ = false;
  view_.ShowSignal("0.000");
  link_.ReplyBuffer.Clear();
  view_.SetLed(TLinkLed::Active, false);
  view_.SetLed(TLinkLed::Reply, false);
  view_.SetLed(TLinkLed::Stream, false);
}

// The search is this call's own: whatever happens while it waits (a
// watchdog ending it, a nested connect), it is gone when the call returns,
// and the link's guarded pointer forgets it only if it still points at it.
void TConnectionSupervisor::AwaitAnswer() {
  TLinkSearch search;
  link_.SearchDialog = &search;
  // The port question could not be asked under another box about the link:
  // that box's answer decides what comes next, on a link still lost.
  if (!EnsurePortOpen()) {
    link_.CommsLost = true;
    return;
  }
  exchange_.Send(protocol::kIdentifyCommand);
  prompts_.ShowSearch(search);
}

// A port whose device went away still reads as open and would never see the
// instrument again: close it so that the open below finds the device anew.
bool TConnectionSupervisor::EnsurePortOpen() {
  if (port_.IsOpen() && port_.DeviceFailed()) port_.Close();
  if (port_.IsOpen()) return true;
  try {
    port_.Open();
  } catch (const std::exception&) {
    if (linkBox_.IsOpen()) return false;
    if (const auto chosen = SelectPort()) UsePort(*chosen);
  }
  return true;
}

void TConnectionSupervisor::FormShow() {
  if (!link_.DataReceived) timers_.Startup.SetEnabled(true);
  if (!port_.DSR()) return;
  exchange_.Send(protocol::kFilterReadCommand);
  timers_.Check.SetEnabled(true);
}

void TConnectionSupervisor::StartupTimerTimer() {
  timers_.Startup.SetEnabled(false);
  ConnectInstrument();
}

void TConnectionSupervisor::ActivityTimerTimer() {
  timers_.Activity.SetEnabled(false);
  view_.SetLed(TLinkLed::Active, false);
  answered_ = !link_.CommsLost;
  if (answered_) NoteLinkUp();
  if (link_.SearchDialog) {
    link_.SearchDialog->Finish();
    return;
  }
  // A tick armed by activity before a watchdog found the link lost (the
  // first line after a power cycle, run into a reply cut off by the power,
  // counts as activity but not as an answer) must not make the lost link
  // look connected: Reset stays within reach.
  if (!answered_) return;
  view_.SetResetEnabled(false);
  if (!link_.IdleRequested) view_.ShowPowerState(true);
  // Answered again without a connect: switched off and on again within the
  // watchdogs' time.
  if (link_.SettingsLost) RestoreSettings();
  // Connected and polling answered: a warning or port question about the
  // link has lost its cause.
  linkBox_.End();
}

void TConnectionSupervisor::NoResponseTimerTimer() {
  timers_.NoResponse.SetEnabled(false);
  timers_.Check.SetEnabled(false);
  view_.SetLed(TLinkLed::Reply, false);
  NoteLinkDown("not present");
  MarkLost();
  link_.DataReceived = false;
  NoticeDeviceGone();
  if (port_.ComNumber() == 0 || link_.ForcePortSelect) {
    OfferPortSelection();
    return;
  }
  CloseSearchDialog();
  if (WarnLinkLost(NotPresentText(port_.ComNumber()))) ShowLinkDown();
}

void TConnectionSupervisor::OfferPortSelection() {
  CloseSearchDialog();
  if (linkBox_.IsOpen()) return;
  const auto chosen = SelectPort();
  if (!StillLost()) return;
  // A question cancelled leaves the link down, and Reset must stay within
  // reach: greyed out, nothing could ever bring the instrument back.
  if (!chosen) {
    ShowLinkDown();
    return;
  }
  UsePort(*chosen);
  link_.ForcePortSelect = false;
  Reconnect();
}

void TConnectionSupervisor::NoDataStreamTimerTimer() {
  timers_.NoDataStream.SetEnabled(false);
  view_.SetLed(TLinkLed::Stream, false);
  const bool dsr = port_.DSR();
  // A command still awaiting its answer is the no-response watchdog's to
  // judge. Marking the link lost here would throw that answer away: after a
  // gain change the poll is held back three seconds, and its answer lands
  // only a few tens of milliseconds before this watchdog would fire.
  if (dsr && timers_.NoResponse.Enabled()) return;
  NoteLinkDown(nullptr);
  MarkLost();
  // With DSR up the link is only silent: the next poll goes unanswered and
  // the no-response watchdog reports it.
  if (dsr) return;
  NoticeDeviceGone();
  timers_.NoResponse.SetEnabled(false);
  timers_.Check.SetEnabled(false);
  CloseSearchDialog();
  if (!WarnLinkLost(LostText())) return;
  ShowLinkDown();
  Reconnect();
}

void TConnectionSupervisor::BtnWakeInstrumentClick() {
  audit_.Send({.Event = "reset"});
  link_.ForcePortSelect = true;
  Reconnect();
}

// The settings go out to an instrument whose line is up even when it did not
// answer, as Reset always sent them; only an answer makes its readings
// trusted again.
void TConnectionSupervisor::Reconnect() {
  ConnectInstrument();
  if (port_.ComNumber() != 0 && port_.DSR()) RestoreSettings();
}

void TConnectionSupervisor::RestoreSettings() {
  view_.RestoreSettings();
  if (answered_) link_.SettingsLost = false;
}

void TConnectionSupervisor::MarkLost() {
  link_.CommsLost = true;
  link_.ReplyMatched = false;
  link_.SettingsLost = true;
  answered_ = false;
}

// The instrument answers: the first time since the program started, or again
// after the link was found lost.
void TConnectionSupervisor::NoteLinkUp() {
  if (linkUp_) return;
  audit_.Send({.Event = everUp_ ? "reconnected" : "connected"});
  linkUp_ = everUp_ = true;
}

// A link that was up is lost; one never up since the last loss is reported
// only as `whenNeverUp`, what the operator is told (none: nothing new).
void TConnectionSupervisor::NoteLinkDown(const char* whenNeverUp) {
  if (linkUp_) {
    audit_.Send({.Event = "lost"});
  } else if (whenNeverUp) {
    audit_.Send({.Event = whenNeverUp});
  }
  linkUp_ = false;
}

// The port the operator chose in the port dialog.
void TConnectionSupervisor::UsePort(std::uint16_t number) {
  const std::string before = PortName(port_.ComNumber());
  port_.SetComNumber(number);
  audit_.Send({.Event = audit::TAuditTrail::kSettingEvent,
               .Setting = "port",
               .OldValue = before,
               .NewValue = PortName(number)});
}

// Neither answered again nor being searched for: what follows a box about
// the link acts only then, never on a link that came back meanwhile.
bool TConnectionSupervisor::StillLost() const {
  const bool searching = link_.SearchDialog && !link_.SearchDialog->Finished();
  return !answered_ && !searching;
}

// True once the operator has closed the warning with the link still lost.
bool TConnectionSupervisor::WarnLinkLost(const QString& text) {
  widgets::TBoxCloser closer;
  bool answered = false;
  linkBox_.Show([&] { answered = prompts_.Warn(text, closer); }, [&closer] { closer.Close(); });
  return answered && StillLost();
}

// Before the box: the device may come back while the box waits.
void TConnectionSupervisor::NoticeDeviceGone() {
  if (onDeviceGone_ && port_.DeviceFailed()) onDeviceGone_();
}

void TConnectionSupervisor::CloseSearchDialog() {
  if (link_.SearchDialog) link_.SearchDialog->Finish();
}

void TConnectionSupervisor::ShowLinkDown() {
  view_.SetResetEnabled(true);
  view_.ShowPowerState(false);
}

// None when cancelled, ended by the program, or asked under another box.
std::optional<std::uint16_t> TConnectionSupervisor::SelectPort() {
  widgets::TBoxCloser closer;
  std::optional<std::uint16_t> chosen;
  linkBox_.Show([&] { chosen = prompts_.AskPort(closer); }, [&closer] { closer.Close(); });
  return chosen;
}

}  // namespace orvane::instrument
