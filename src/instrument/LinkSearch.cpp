#include "instrument/LinkSearch.h"

namespace orvane::instrument {

void TLinkSearch::Finish() {
  if (finished_) return;
  finished_ = true;
  emit Ended();
}

}  // namespace orvane::instrument
