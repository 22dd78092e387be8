#pragma once

#include <functional>

namespace orvane::instrument {

// The one box about the link (a warning or a port question) that may be open
// at a time. Timers and port events go on while a box waits, so the link can
// be lost and found again several times under one box: a second box would
// only repeat the first, and each would act on its answer long after its
// cause had passed. The program ends the open box once the link is back.
class TLinkBox {
 public:
  bool IsOpen() const { return open_ != 0; }
  // Runs `show`, which opens the box and returns once it has closed; `end`
  // ends that box from the program's side. False, with nothing shown, while
  // another box is open.
  bool Show(const std::function<void()>& show, std::function<void()> end);
  // Ends the open box, if there is one.
  void End();

 private:
  std::function<void()> end_;
  unsigned open_ = 0;  // which box is open; 0 for none
  unsigned shown_ = 0;
};

}  // namespace orvane::instrument
