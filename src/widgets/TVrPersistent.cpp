#include "widgets/TVrPersistent.h"

#include <utility>

namespace orvane::widgets {

void TVrPersistent::EndUpdate() {
  if (updateCount_ > 0) --updateCount_;
  Changed();
}

void TVrPersistent::SetOnChange(std::function<void()> onChange) { onChange_ = std::move(onChange); }

void TVrPersistent::Changed() {
  if (updateCount_ == 0 && onChange_) onChange_();
}

}  // namespace orvane::widgets
