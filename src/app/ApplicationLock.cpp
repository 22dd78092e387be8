#include "app/ApplicationLock.h"

#include <memory>
#include <utility>

#include <QIcon>
#include <QWidget>

#include "app/UnlockDialog.h"
#include "widgets/TButton.h"
#include "widgets/TMessageDlg.h"

namespace orvane::app {

using widgets::TMessageDlg;

TApplicationLock::TApplicationLock(QWidget* pnlGainMode, QWidget* gbPumps, QWidget* gbGases,
                                   QWidget* gbLamp, widgets::TButton* btnLock, bool& panelLocked,
                                   QObject* parent)
    : QObject(parent),
      groups_{pnlGainMode, gbPumps, gbGases, gbLamp},
      button_(btnLock),
      panelLocked_(panelLocked) {
  button_->SetOnClick([this](QObject* sender) { btnLockClick(sender); });
  ShowPadlock();
}

// The button may outlive the lock; its click must not reach a lock that is gone.
TApplicationLock::~TApplicationLock() {
  if (button_) button_->SetOnClick(nullptr);
}

void TApplicationLock::btnLockClick(QObject*) {
  if (Busy()) return;
  if (panelLocked_) {
    AskForPassword();
  } else {
    Lock();
  }
}

void TApplicationLock::Lock() {
  SetGroupsEnabled(false);
  panelLocked_ = true;
  ShowPadlock();
  Audit("lock");
}

// The check is always about the account the program runs under: the name
// field is only shown, and an assistive tool could write into it.
void TApplicationLock::AskForPassword() {
  const std::string account = CurrentUserName();
  const QString user = QString::fromStdString(account);
  asking_ = true;
  QPointer<TUnlockDialog> dialog = new TUnlockDialog(user, button_->window());
  dialog->SetOnSubmit([this, account] { StartCheck(account); });
  dialog_ = dialog;
  const QPointer<TApplicationLock> alive(this);
  const int result = dialog->ShowModal();
  // The window, and the lock or the dialog with it, may have gone meanwhile.
  const std::unique_ptr<TUnlockDialog> owned(dialog.data());
  if (alive.isNull()) return;
  asking_ = false;
  const std::optional<TLogonResult> verdict = std::exchange(verdict_, std::nullopt);
  if (owned == nullptr || result != widgets::mrOk || !verdict) return;
  Finish(*verdict);
}

void TApplicationLock::StartCheck(const std::string& user) {
  check_.Start(user, dialog_->TakePassword(),
               [this](const TLogonResult& answer) { Answered(answer); });
}

// The dialog ends with the answer, which is acted on once it has closed. An
// answer after Cancel is dropped: the panel stays locked.
void TApplicationLock::Answered(const TLogonResult& result) {
  if (dialog_.isNull() || dialog_->isHidden()) {
    emit CheckFinished(false);
    return;
  }
  verdict_ = result;
  dialog_->done(widgets::mrOk);
}

void TApplicationLock::Finish(const TLogonResult& result) {
  if (result.Success) {
    SetGroupsEnabled(true);
    panelLocked_ = false;
    ShowPadlock();
    Audit("unlock");
  } else {
    Audit("unlock refused");
    TMessageDlg::ShowMessage(button_->window(), QString::fromStdString(result.Message));
  }
  emit CheckFinished(result.Success);
}

void TApplicationLock::SetGroupsEnabled(bool enabled) {
  for (QWidget* group : groups_) group->setEnabled(enabled);
}

void TApplicationLock::Audit(const char* event) const {
  if (audit_) audit_->Send({.Event = event, .User = CurrentUserName()});
}

void TApplicationLock::ShowPadlock() {
  button_->setIcon(
      QIcon(panelLocked_ ? ":/images/padlock-closed.xpm" : ":/images/padlock-open.xpm"));
}

}  // namespace orvane::app
