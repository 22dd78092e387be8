#include "app/UnlockDialog.h"

#include <QBoxLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

#include "widgets/TErrorGuard.h"
#include "widgets/TMessageDlg.h"

namespace orvane::app {
namespace {

TUnlockDialog::Script& ActiveScript() {
  static TUnlockDialog::Script script;
  return script;
}

}  // namespace

void TUnlockDialog::SetScript(Script script) { ActiveScript() = std::move(script); }

TUnlockDialog::TUnlockDialog(const QString& userName, QWidget* parent) : QDialog(parent) {
  setObjectName("UnlockDialog");
  setWindowTitle("User Authentication - Using your Linux user credential");
  BuildLayout();
  user_->setText(userName);
  user_->setEnabled(false);
  password_->setEchoMode(QLineEdit::Password);
  // The style's own mask character varies by theme; operators expect '*'.
  password_->setStyleSheet("QLineEdit { lineedit-password-character: 42; }");
}

TUnlockDialog::~TUnlockDialog() { SetChecking(false); }

void TUnlockDialog::BuildLayout() {
  auto* layout = new QVBoxLayout(this);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  user_ = AddField("Current Username:");
  password_ = AddField("Password:");
  ok_ = new QPushButton("OK", this);
  ok_->setObjectName("OkBtn");
  ok_->setDefault(true);
  auto* cancel = new QPushButton("Cancel", this);
  cancel->setObjectName("CancelBtn");
  connect(ok_, &QPushButton::clicked, this, &TUnlockDialog::Submit);
  connect(cancel, &QPushButton::clicked, this, &TUnlockDialog::reject);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok_);
  buttons->addWidget(cancel);
  layout->addSpacing(6);
  layout->addLayout(buttons);
}

QLineEdit* TUnlockDialog::AddField(const QString& prompt) {
  auto* label = new QLabel(prompt, this);
  auto* field = new QLineEdit(this);
  field->setMaxLength(kMaxFieldLength);
  field->setMinimumWidth(260);
  label->setBuddy(field);
  layout()->addWidget(label);
  layout()->addWidget(field);
  return field;
}

int TUnlockDialog::ShowModal() {
  // Polished first: the style sheet of the password field changes its size.
  ensurePolished();
  adjustSize();
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    move(screen->availableGeometry().center() - rect().center());
  }
  password_->setFocus();
  if (ActiveScript()) {
    QTimer::singleShot(0, this, [this] { Answer(ActiveScript()(*this)); });
  }
  return exec();
}

void TUnlockDialog::Answer(int result) {
  if (result == widgets::mrOk) {
    ok_->click();
  } else {
    done(result);
  }
}

void TUnlockDialog::Submit() {
  if (!onSubmit_) {
    done(widgets::mrOk);
    return;
  }
  SetChecking(true);
  if (!widgets::TErrorGuard::Run(onSubmit_)) SetChecking(false);
}

// PAM may take seconds (a delay after a wrong password, a directory server far
// away): the operator sees that it works, and cannot send a second check.
void TUnlockDialog::SetChecking(bool checking) {
  if (checking == checking_) return;
  checking_ = checking;
  ok_->setEnabled(!checking);
  if (checking) {
    QGuiApplication::setOverrideCursor(Qt::BusyCursor);
  } else {
    QGuiApplication::restoreOverrideCursor();
  }
}

QString TUnlockDialog::UserName() const { return user_->text(); }

TSecretText TUnlockDialog::TakePassword() {
  QString text = password_->text();
  // The field lets go of its copy first, so that ours is the only one left;
  // setText, unlike clear, also drops the typing history without adding to it.
  password_->setText(QString());
  return TSecretText::TakeFrom(text);
}

void TUnlockDialog::reject() { done(widgets::mrCancel); }

void TUnlockDialog::done(int result) {
  SetChecking(false);
  QDialog::done(result);
}

}  // namespace orvane::app
