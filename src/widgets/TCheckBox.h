#pragma once

#include <QCheckBox>

#include "widgets/TNotifyEvent.h"

namespace orvane::widgets {

// A check box whose OnClick runs whenever its state changes, whether the
// operator or the code changed it.
class TCheckBox : public QCheckBox {
  Q_OBJECT

 public:
  explicit TCheckBox(QWidget* parent = nullptr);

  bool Checked() const { return isChecked(); }
  void SetChecked(bool checked);

  void SetOnClick(TNotifyEvent handler) { onClick_ = std::move(handler); }

 private:
  void OperatorToggled();

  bool changingFromCode_ = false;
  TNotifyEvent onClick_;
};

}  // namespace orvane::widgets
