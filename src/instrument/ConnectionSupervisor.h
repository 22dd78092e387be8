#pragma once

#include <cstdint>
#include <functional>
#include <optional>

#include <QString>

#include "audit/AuditTrail.h"
#include "instrument/CommandExchange.h"
#include "instrument/LinkBox.h"
#include "instrument/LinkPrompts.h"

namespace orvane::instrument {

// Establishes and watches the link: the connect procedure with its search
// box, the start-up connect, the three watchdogs and Reset. Every wait here
// is a modal box, so replies, polling and the other watchdogs go on meanwhile.
class TConnectionSupervisor {
 public:
  TConnectionSupervisor(InstrumentLink& link, TCommandExchange& exchange, TLinkPort& port,
                        const TLinkTimers& timers, TLinkView& view, TLinkPrompts& prompts,
                        audit::TAuditTrail& audit);

  // Returns once the search box has closed.
  void ConnectInstrument();
  // The link's part of the window's first show.
  void FormShow();
  void StartupTimerTimer();
  void ActivityTimerTimer();
  void NoResponseTimerTimer();
  void NoDataStreamTimerTimer();
  // The Reset button.
  void BtnWakeInstrumentClick();
  // Reset's connect and settings, without Reset's standing request for the
  // port dialog: what the automatic reconnect runs, and every connect made
  // after a lost link.
  void Reconnect();
  // Told when a watchdog finds the link lost and the port's device failed,
  // before it shows its box.
  void SetOnDeviceGone(std::function<void()> handler) { onDeviceGone_ = std::move(handler); }

  static QString NotPresentText(std::uint16_t comNumber);
  static QString LostText();

 private:
  void ResetIndicators();
  bool EnsurePortOpen();
  void AwaitAnswer();
  void RestoreSettings();
  void MarkLost();
  void NoteLinkUp();
  void NoteLinkDown(const char* whenNeverUp);
  bool StillLost() const;
  void CloseSearchDialog();
  void OfferPortSelection();
  bool WarnLinkLost(const QString& text);
  void ShowLinkDown();
  void NoticeDeviceGone();
  std::optional<std::uint16_t> SelectPort();
  void UsePort(std::uint16_t number);

  InstrumentLink& link_;
  TCommandExchange& exchange_;
  TLinkPort& port_;
  TLinkTimers timers_;
  TLinkView& view_;
  TLinkPrompts& prompts_;
  audit::TAuditTrail& audit_;
  std::function<void()> onDeviceGone_;
  TLinkBox linkBox_;
  // The instrument answered since the last connect began or the link was
  // found lost.
  bool answered_ = false;
  // What the audit trail was last told of the link: up, and up at least once.
  bool linkUp_ = false;
  bool everUp_ = false;
};

}  // namespace orvane::instrument
