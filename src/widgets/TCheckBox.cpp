#include "widgets/TCheckBox.h"

#include "widgets/TErrorGuard.h"

namespace orvane::widgets {

TCheckBox::TCheckBox(QWidget* parent) : QCheckBox(parent) {
  connect(this, &QCheckBox::toggled, this, &TCheckBox::OperatorToggled);
}

void TCheckBox::SetChecked(bool checked) {
  if (checked == isChecked()) return;
  changingFromCode_ = true;
  setChecked(checked);
  changingFromCode_ = false;
  if (onClick_) onClick_(this);
}

void TCheckBox::OperatorToggled() {
  if (changingFromCode_) return;
  TErrorGuard::Run([this] {
    if (onClick_) onClick_(this);
  });
}

}  // namespace orvane::widgets
