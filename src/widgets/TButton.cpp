#include "widgets/TButton.h"

#include "widgets/TErrorGuard.h"

namespace orvane::widgets {

TButton::TButton(QWidget* parent) : QPushButton(parent) {
  connect(this, &QPushButton::clicked, this, [this] { TErrorGuard::Run([this] { Click(); }); });
}

void TButton::Click() {
  if (onClick_) onClick_(this);
}

}  // namespace orvane::widgets
