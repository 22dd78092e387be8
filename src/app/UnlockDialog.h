#pragma once

#include <functional>

#include <QDialog>

#include "app/SecretText.h"

class QLineEdit;

namespace orvane::app {

// The modal two-field dialog that asks for the password of the account the
// program runs under. The account's name is shown greyed out, so the check
// always concerns the account that is logged on.
class TUnlockDialog : public QDialog {
  Q_OBJECT

 public:
  static constexpr int kMaxFieldLength = 255;

  // Lets a test answer every dialog without showing one: the script sees the
  // dialog, ready as the operator would see it, and returns the modal result.
  // An empty script brings the real dialog back.
  using Script = std::function<int(TUnlockDialog&)>;
  static void SetScript(Script script);

  explicit TUnlockDialog(const QString& userName, QWidget* parent = nullptr);

  // Centred on the screen with the password field focused; widgets::mrOk, or
  // widgets::mrCancel for Cancel, Escape and the close box.
  int ShowModal();

  QString UserName() const;
  // The password typed, taken out of the field, which is left empty.
  TSecretText TakePassword();

  QLineEdit* UserNameEdit() const { return user_; }
  QLineEdit* PasswordEdit() const { return password_; }

 protected:
  void reject() override;

 private:
  void BuildLayout();
  QLineEdit* AddField(const QString& prompt);

  QLineEdit* user_ = nullptr;
  QLineEdit* password_ = nullptr;
};

}  // namespace orvane::app
