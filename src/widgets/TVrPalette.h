#pragma once

#include "widgets/TVrColor.h"
#include "widgets/TVrPersistent.h"

namespace orvane::widgets {

// A dark and a lit colour.
class TVrPalette : public TVrPersistent {
 public:
  TVrColor Low() const { return low_; }
  TVrColor High() const { return high_; }
  void SetLow(TVrColor value) { Store(low_, value); }
  void SetHigh(TVrColor value) { Store(high_, value); }

  // Low for 0 or less, High otherwise.
  TVrColor Colors(int index) const { return index <= 0 ? low_ : high_; }

  void Assign(const TVrPalette& source);

 private:
  TVrColor low_ = kGreen;
  TVrColor high_ = kLime;
};

}  // namespace orvane::widgets
