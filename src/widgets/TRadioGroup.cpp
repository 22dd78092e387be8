#include "widgets/TRadioGroup.h"

#include <algorithm>

#include <QGridLayout>
#include <QRadioButton>

#include "widgets/TErrorGuard.h"

namespace orvane::widgets {

TRadioGroup::TRadioGroup(QWidget* parent) : QGroupBox(parent), grid_(new QGridLayout(this)) {
  grid_->setContentsMargins(4, 2, 4, 2);
  grid_->setSpacing(0);
  connect(&group_, &QButtonGroup::idToggled, this, &TRadioGroup::OperatorToggled);
}

void TRadioGroup::SetItems(const QStringList& items) {
  qDeleteAll(buttons_);
  buttons_.clear();
  for (int i = 0; i < items.size(); ++i) {
    auto* button = new QRadioButton(items[i], this);
    buttons_.append(button);
    group_.addButton(button, i);
  }
  Arrange();
  const int old = itemIndex_;
  itemIndex_ = std::min(itemIndex_, Count() - 1);
  ShowIndex();
  if (itemIndex_ != old && onClick_) onClick_(this);
}

void TRadioGroup::SetColumns(int columns) {
  columns_ = std::max(1, columns);
  Arrange();
}

void TRadioGroup::Arrange() {
  const int perColumn = std::max(1, (Count() + columns_ - 1) / columns_);
  for (int i = 0; i < Count(); ++i) grid_->addWidget(buttons_[i], i % perColumn, i / perColumn);
}

void TRadioGroup::SetItemIndex(int index) {
  index = std::clamp(index, -1, Count() - 1);
  if (index == itemIndex_) return;
  itemIndex_ = index;
  ShowIndex();
  if (onClick_) onClick_(this);
}

// An exclusive group refuses to clear its last checked button, so "none" is
// shown with exclusivity lifted for a moment.
void TRadioGroup::ShowIndex() {
  showing_ = true;
  if (itemIndex_ >= 0) {
    buttons_[itemIndex_]->setChecked(true);
  } else if (QAbstractButton* checked = group_.checkedButton()) {
    group_.setExclusive(false);
    checked->setChecked(false);
    group_.setExclusive(true);
  }
  showing_ = false;
  KeepTabStop();
}

// Qt moves the Tab stop only to an item that takes the focus, so an item
// selected by code or by a click elsewhere would leave it on the first one.
void TRadioGroup::KeepTabStop() {
  QRadioButton* stop = Button(itemIndex_);
  if (stop == nullptr || !stop->isEnabled()) {
    const auto enabled = std::find_if(buttons_.cbegin(), buttons_.cend(),
                                      [](const QRadioButton* b) { return b->isEnabled(); });
    stop = enabled == buttons_.cend() ? nullptr : *enabled;
  }
  for (QRadioButton* button : buttons_) {
    button->setFocusPolicy(button == stop ? Qt::StrongFocus : Qt::ClickFocus);
  }
}

void TRadioGroup::OperatorToggled(int index, bool checked) {
  if (showing_ || !checked || index == itemIndex_) return;
  itemIndex_ = index;
  KeepTabStop();
  TErrorGuard::Run([this] {
    if (onClick_) onClick_(this);
  });
}

void TRadioGroup::SetItemEnabled(int index, bool enabled) {
  if (QRadioButton* button = Button(index)) button->setEnabled(enabled);
  KeepTabStop();
}

bool TRadioGroup::ItemEnabled(int index) const {
  const QRadioButton* button = Button(index);
  return button != nullptr && button->isEnabled();
}

QRadioButton* TRadioGroup::Button(int index) const {
  return index >= 0 && index < Count() ? buttons_[index] : nullptr;
}

}  // namespace orvane::widgets
