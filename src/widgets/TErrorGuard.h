#pragma once

#include <functional>

#include <QString>

namespace orvane::widgets {

// The boundary between Qt and our handlers: nothing a handler throws may
// cross a Qt frame, so every event that reaches a handler from Qt (input,
// timer ticks, port events) runs inside Run. An error ends the handler and is
// shown in the standard error box; the program then carries on.
class TErrorGuard {
 public:
  using TRecorder = std::function<void(const QString& message)>;

  // False when the handler threw.
  static bool Run(const std::function<void()>& handler) noexcept;

  // The standard error box: modal, the message as its text, one OK button,
  // transient for the window TDialogOwner names.
  static void ShowError(const QString& message);

  // Tests record the message instead of opening the box; an empty recorder
  // brings the box back.
  static void SetRecorder(TRecorder recorder);
};

}  // namespace orvane::widgets
