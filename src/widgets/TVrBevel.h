#pragma once

#include <QRect>

#include "widgets/TVrColor.h"
#include "widgets/TVrPersistent.h"
#include "widgets/VrTypes.h"

class QPainter;
class QPalette;

namespace orvane::widgets {

// A layered frame: a border, then an outer and an inner layer, each with an
// optional black outline, a raised or lowered edge and a spacing ring.
class TVrBevel : public TVrPersistent {
 public:
  int BorderWidth() const { return borderWidth_; }
  TVrColor BorderColor() const { return borderColor_; }
  TVrColor InnerShadow() const { return innerShadow_; }
  TVrColor InnerHighlight() const { return innerHighlight_; }
  int InnerWidth() const { return innerWidth_; }
  TVrBevelStyle InnerStyle() const { return innerStyle_; }
  TVrBevelOutlineStyle InnerOutline() const { return innerOutline_; }
  int InnerSpace() const { return innerSpace_; }
  TVrColor InnerColor() const { return innerColor_; }
  TVrColor OuterShadow() const { return outerShadow_; }
  TVrColor OuterHighlight() const { return outerHighlight_; }
  int OuterWidth() const { return outerWidth_; }
  TVrBevelStyle OuterStyle() const { return outerStyle_; }
  TVrBevelOutlineStyle OuterOutline() const { return outerOutline_; }
  int OuterSpace() const { return outerSpace_; }
  TVrColor OuterColor() const { return outerColor_; }
  bool Visible() const { return visible_; }

  // Negative widths would make the frame grow outwards: stored as 0.
  void SetBorderWidth(int value);
  void SetBorderColor(TVrColor value) { Store(borderColor_, value); }
  void SetInnerShadow(TVrColor value) { Store(innerShadow_, value); }
  void SetInnerHighlight(TVrColor value) { Store(innerHighlight_, value); }
  void SetInnerWidth(int value);
  void SetInnerStyle(TVrBevelStyle value) { Store(innerStyle_, value); }
  void SetInnerOutline(TVrBevelOutlineStyle value) { Store(innerOutline_, value); }
  void SetInnerSpace(int value);
  void SetInnerColor(TVrColor value) { Store(innerColor_, value); }
  void SetOuterShadow(TVrColor value) { Store(outerShadow_, value); }
  void SetOuterHighlight(TVrColor value) { Store(outerHighlight_, value); }
  void SetOuterWidth(int value);
  void SetOuterStyle(TVrBevelStyle value) { Store(outerStyle_, value); }
  void SetOuterOutline(TVrBevelOutlineStyle value) { Store(outerOutline_, value); }
  void SetOuterSpace(int value);
  void SetOuterColor(TVrColor value) { Store(outerColor_, value); }
  void SetVisible(bool value) { Store(visible_, value); }

  // Copies every value as one batch, so the owner hears of it once.
  void Assign(const TVrBevel& source);

  // Paints the layers from the outside in; `rect` comes back as the area
  // left inside them.
  void Paint(QPainter& canvas, QRect& rect, const QPalette& palette) const;

 private:
  int borderWidth_ = 0;
  TVrColor borderColor_ = kBtnFace;
  TVrColor innerShadow_ = kBtnShadow;
  TVrColor innerHighlight_ = kBtnHighlight;
  int innerWidth_ = 1;
  TVrBevelStyle innerStyle_ = TVrBevelStyle::bsLowered;
  TVrBevelOutlineStyle innerOutline_ = TVrBevelOutlineStyle::osNone;
  int innerSpace_ = 1;
  TVrColor innerColor_ = kBtnFace;
  TVrColor outerShadow_ = kBtnShadow;
  TVrColor outerHighlight_ = kBtnHighlight;
  int outerWidth_ = 1;
  TVrBevelStyle outerStyle_ = TVrBevelStyle::bsRaised;
  TVrBevelOutlineStyle outerOutline_ = TVrBevelOutlineStyle::osOuter;
  int outerSpace_ = 0;
  TVrColor outerColor_ = kBtnFace;
  bool visible_ = true;
};

}  // namespace orvane::widgets
