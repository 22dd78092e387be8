#include "app/UnlockDialog.h"

#include <QBoxLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

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
  setWindowTitle("User Authentication - Using your Windows user credential");
  BuildLayout();
  user_->setText(userName);
  user_->setEnabled(false);
  password_->setEchoMode(QLineEdit::Password);
  // The style's own mask character varies by theme; operators expect '*'.
  password_->setStyleSheet("QLineEdit { lineedit-password-character: 42; }");
}

void TUnlockDialog::BuildLayout() {
  auto* layout = new QVBoxLayout(this);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  user_ = AddField("Current Username:");
  password_ = AddField("Password:");
  auto* ok = new QPushButton("OK", this);
  ok->setObjectName("OkBtn");
  ok->setDefault(true);
  auto* cancel = new QPushButton("Cancel", this);
  cancel->setObjectName("CancelBtn");
  connect(ok, &QPushButton::clicked, this, [this] { done(widgets::mrOk); });
  connect(cancel, &QPushButton::clicked, this, &TUnlockDialog::reject);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok);
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
  if (ActiveScript()) return ActiveScript()(*this);
  return exec();
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

}  // namespace orvane::app
