#include "widgets/TVrPaletteEx.h"

namespace orvane::widgets {

void TVrPaletteEx::Assign(const TVrPaletteEx& source) {
  BeginUpdate();
  SetLow1(source.low1_);
  SetLow2(source.low2_);
  SetHigh1(source.high1_);
  SetHigh2(source.high2_);
  EndUpdate();
}

}  // namespace orvane::widgets
