#include "widgets/TVrPalette.h"

namespace orvane::widgets {

void TVrPalette::Assign(const TVrPalette& source) {
  BeginUpdate();
  SetLow(source.low_);
  SetHigh(source.high_);
  EndUpdate();
}

}  // namespace orvane::widgets
