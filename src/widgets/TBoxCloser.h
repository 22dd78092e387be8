#pragma once

#include <functional>
#include <utility>

namespace orvane::widgets {

// Ends a box from the program's side once what it reports has passed; the
// box then returns as nobody's answer. While the box is up, whoever shows it
// (the box itself, or a test's stand-in) says through SetOnClose how it is
// ended, and clears that once the box has closed.
class TBoxCloser {
 public:
  void Close() {
    if (const std::function<void()> close = std::exchange(onClose_, {})) close();
  }
  void SetOnClose(std::function<void()> close) { onClose_ = std::move(close); }

 private:
  std::function<void()> onClose_;
};

}  // namespace orvane::widgets
