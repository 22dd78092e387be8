#pragma once

#include <QPushButton>

#include "widgets/TNotifyEvent.h"

namespace orvane::widgets {

// A push button whose click can also be made from code; that click runs the
// handler even while the button is disabled.
class TButton : public QPushButton {
  Q_OBJECT

 public:
  explicit TButton(QWidget* parent = nullptr);

  // Errors of the handler reach the caller, as from any other call.
  void Click();

  void SetTag(int tag) { tag_ = tag; }
  int Tag() const { return tag_; }
  void SetOnClick(TNotifyEvent handler) { onClick_ = std::move(handler); }

 private:
  int tag_ = 0;
  TNotifyEvent onClick_;
};

}  // namespace orvane::widgets
