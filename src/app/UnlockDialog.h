#pragma once

#include <functional>

#include <QDialog>

#include "app/SecretText.h"

class QLineEdit;
class QPushButton;

namespace orvane::app {

// The modal two-field dialog that asks for the password of the account the
// program runs under. The account's name is shown greyed out; the check
// concerns the account that is logged on whatever the field holds (an
// assistive tool can still write into a disabled field).
class TUnlockDialog : public QDialog {
  Q_OBJECT

 public:
  static constexpr int kMaxFieldLength = 255;

  // Lets a test answer every dialog in place of the operator: the script
  // sees the dialog, shown and ready, and returns the button to press
  // (widgets::mrOk presses OK, anything else ends the dialog with that
  // result). An empty script leaves the operator to answer.
  using Script = std::function<int(TUnlockDialog&)>;
  static void SetScript(Script script);

  explicit TUnlockDialog(const QString& userName, QWidget* parent = nullptr);
  ~TUnlockDialog() override;

  // Centred on the screen with the password field focused; widgets::mrOk, or
  // widgets::mrCancel for Cancel, Escape and the close box.
  int ShowModal();

  // With a handler, OK does not end the dialog: it shows that a check runs
  // (OK disabled, a busy cursor) and calls `submit`, and whoever checks ends
  // the dialog with done() once the answer is there. Cancel still leaves.
  void SetOnSubmit(std::function<void()> submit) { onSubmit_ = std::move(submit); }
  // Ends the dialog, and with it the busy cursor.
  void done(int result) override;

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
  void Submit();
  void Answer(int result);
  void SetChecking(bool checking);

  QLineEdit* user_ = nullptr;
  QLineEdit* password_ = nullptr;
  QPushButton* ok_ = nullptr;
  std::function<void()> onSubmit_;
  bool checking_ = false;
};

}  // namespace orvane::app
