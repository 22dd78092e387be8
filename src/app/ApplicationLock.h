#pragma once

#include <array>
#include <optional>
#include <string>

#include <QObject>
#include <QPointer>

#include "app/LogonCheck.h"
#include "audit/AuditTrail.h"

class QWidget;

namespace orvane::widgets {
class TButton;
}

namespace orvane::app {

class TUnlockDialog;

// The padlock of the main window. Locking disables the four groups of
// instrument controls; unlocking asks for the password of the account that
// is logged on and lets PAM check it off the UI thread, while the dialog
// stays open and shows that a check runs. The controls inside the groups
// keep their own enabled state throughout.
class TApplicationLock : public QObject {
  Q_OBJECT

 public:
  // The groups in the order they are locked: pnlGainMode, gbPumps, gbGases,
  // gbLamp. Binds btnLock's click to btnLockClick and shows the padlock that
  // matches panelLocked, which lives in the link record and must outlive this.
  TApplicationLock(QWidget* pnlGainMode, QWidget* gbPumps, QWidget* gbGases, QWidget* gbLamp,
                   widgets::TButton* btnLock, bool& panelLocked, QObject* parent = nullptr);
  ~TApplicationLock() override;

  // Locks when unlocked; otherwise asks for the password. Does nothing while
  // the dialog is open or a check is running.
  void btnLockClick(QObject* sender);

  // Locking, unlocking and a refused password go to `trail` from now on, each
  // with the account's name and never anything typed.
  void SetAuditTrail(audit::TAuditTrail& trail) { audit_ = &trail; }

  // From the click that opens the dialog until the check has answered.
  bool Busy() const { return asking_ || check_.Running(); }

 signals:
  // The check has answered: the panel is unlocked, or the refusal was shown,
  // or (the dialog was cancelled meanwhile) the answer was dropped.
  void CheckFinished(bool unlocked);

 private:
  void Lock();
  void AskForPassword();
  void StartCheck(const std::string& user);
  void Answered(const TLogonResult& result);
  void Finish(const TLogonResult& result);
  void SetGroupsEnabled(bool enabled);
  void ShowPadlock();
  void Audit(const char* event) const;

  std::array<QWidget*, 4> groups_;
  QPointer<widgets::TButton> button_;
  bool& panelLocked_;
  bool asking_ = false;
  QPointer<TUnlockDialog> dialog_;       // while it is open
  std::optional<TLogonResult> verdict_;  // from the check's answer until the dialog ends
  TLogonCheck check_;
  audit::TAuditTrail* audit_ = nullptr;
};

}  // namespace orvane::app
