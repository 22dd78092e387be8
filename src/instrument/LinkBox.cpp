#include "instrument/LinkBox.h"

#include <utility>

namespace orvane::instrument {

// A box ended by the program may return only after boxes opened since, whose
// loops nest in its own: it then leaves the newer box's record alone.
bool TLinkBox::Show(const std::function<void()>& show, std::function<void()> end) {
  if (IsOpen()) return false;
  const unsigned mine = ++shown_;
  open_ = mine;
  end_ = std::move(end);
  struct Closed {
    TLinkBox& box;
    unsigned mine;
    ~Closed() {
      if (box.open_ != mine) return;
      box.open_ = 0;
      box.end_ = {};
    }
  } closed{*this, mine};
  show();
  return true;
}

void TLinkBox::End() {
  if (!IsOpen()) return;
  open_ = 0;
  if (const std::function<void()> end = std::exchange(end_, {})) end();
}

}  // namespace orvane::instrument
