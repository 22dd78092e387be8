#include "widgets/TVrBevel.h"

#include <algorithm>

#include <QPainter>
#include <QPalette>

#include "widgets/VrDraw.h"

namespace orvane::widgets {

namespace {

struct Layer {
  TVrBevelOutlineStyle outline;
  TVrBevelStyle style;
  TVrColor shadow;
  TVrColor highlight;
  int width;
  TVrColor color;
  int space;
};

void PaintLayer(QPainter& canvas, QRect& rect, const QPalette& palette, const Layer& layer) {
  const QColor black(Qt::black);
  const QColor shadow = layer.shadow.Resolve(palette);
  const QColor highlight = layer.highlight.Resolve(palette);
  if (layer.outline == TVrBevelOutlineStyle::osOuter) Frame(canvas, rect, black, black, 1);
  if (layer.style == TVrBevelStyle::bsLowered) Frame(canvas, rect, shadow, highlight, layer.width);
  if (layer.style == TVrBevelStyle::bsRaised) Frame(canvas, rect, highlight, shadow, layer.width);
  if (layer.outline == TVrBevelOutlineStyle::osInner) Frame(canvas, rect, black, black, 1);
  const QColor color = layer.color.Resolve(palette);
  Frame(canvas, rect, color, color, layer.space);
}

}  // namespace

void TVrBevel::SetBorderWidth(int value) { Store(borderWidth_, std::max(0, value)); }
void TVrBevel::SetInnerWidth(int value) { Store(innerWidth_, std::max(0, value)); }
void TVrBevel::SetInnerSpace(int value) { Store(innerSpace_, std::max(0, value)); }
void TVrBevel::SetOuterWidth(int value) { Store(outerWidth_, std::max(0, value)); }
void TVrBevel::SetOuterSpace(int value) { Store(outerSpace_, std::max(0, value)); }

void TVrBevel::Assign(const TVrBevel& source) {
  BeginUpdate();
  SetBorderWidth(source.borderWidth_);
  SetBorderColor(source.borderColor_);
  SetInnerShadow(source.innerShadow_);
  SetInnerHighlight(source.innerHighlight_);
  SetInnerWidth(source.innerWidth_);
  SetInnerStyle(source.innerStyle_);
  SetInnerOutline(source.innerOutline_);
  SetInnerSpace(source.innerSpace_);
  SetInnerColor(source.innerColor_);
  SetOuterShadow(source.outerShadow_);
  SetOuterHighlight(source.outerHighlight_);
  SetOuterWidth(source.outerWidth_);
  SetOuterStyle(source.outerStyle_);
  SetOuterOutline(source.outerOutline_);
  SetOuterSpace(source.outerSpace_);
  SetOuterColor(source.outerColor_);
  SetVisible(source.visible_);
  EndUpdate();
}

void TVrBevel::Paint(QPainter& canvas, QRect& rect, const QPalette& palette) const {
  if (!visible_) return;
  const QColor border = borderColor_.Resolve(palette);
  Frame(canvas, rect, border, border, borderWidth_);
  PaintLayer(canvas, rect, palette,
             {outerOutline_, outerStyle_, outerShadow_, outerHighlight_, outerWidth_, outerColor_,
              outerSpace_});
  PaintLayer(canvas, rect, palette,
             {innerOutline_, innerStyle_, innerShadow_, innerHighlight_, innerWidth_, innerColor_,
              innerSpace_});
}

}  // namespace orvane::widgets
