#pragma once

#include "widgets/TVrColor.h"
#include "widgets/TVrPersistent.h"

namespace orvane::widgets {

// Two colour pairs, each the top and bottom of a gradient: Low1 to Low2 for
// the dark state, High1 to High2 for the lit one.
class TVrPaletteEx : public TVrPersistent {
 public:
  TVrColor Low1() const { return low1_; }
  TVrColor Low2() const { return low2_; }
  TVrColor High1() const { return high1_; }
  TVrColor High2() const { return high2_; }
  void SetLow1(TVrColor value) { Store(low1_, value); }
  void SetLow2(TVrColor value) { Store(low2_, value); }
  void SetHigh1(TVrColor value) { Store(high1_, value); }
  void SetHigh2(TVrColor value) { Store(high2_, value); }

  void Assign(const TVrPaletteEx& source);

 private:
  TVrColor low1_ = kGreen;
  TVrColor low2_ = kBlack;
  TVrColor high1_ = kLime;
  TVrColor high2_ = kBlack;
};

}  // namespace orvane::widgets
