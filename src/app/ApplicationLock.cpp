#include "app/ApplicationLock.h"

#include <memory>

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
}

void TApplicationLock::AskForPassword() {
  const QString user = QString::fromStdString(CurrentUserName());
  asking_ = true;
  QPointer<TUnlockDialog> dialog = new TUnlockDialog(user, button_->window());
  const QPointer<TApplicationLock> alive(this);
  const int result = dialog->ShowModal();
  // The window, and the lock or the dialog with it, may have gone meanwhile.
  const std::unique_ptr<TUnlockDialog> owned(dialog.data());
  if (alive.isNull()) return;
  asking_ = false;
  if (owned == nullptr || result != widgets::mrOk) return;
  check_.Start(owned->UserName().toStdString(), owned->TakePassword(),
               [this](const TLogonResult& answer) { Finish(answer); });
}

void TApplicationLock::Finish(const TLogonResult& result) {
  if (result.Success) {
    SetGroupsEnabled(true);
    panelLocked_ = false;
    ShowPadlock();
  } else {
    TMessageDlg::ShowMessage(button_->window(), QString::fromStdString(result.Message));
  }
  emit CheckFinished(result.Success);
}

void TApplicationLock::SetGroupsEnabled(bool enabled) {
  for (QWidget* group : groups_) group->setEnabled(enabled);
}

void TApplicationLock::ShowPadlock() {
  button_->setIcon(
      QIcon(panelLocked_ ? ":/images/padlock-closed.xpm" : ":/images/padlock-open.xpm"));
}

}  // namespace orvane::app
