#include "widgets/TVrUserLed.h"

#include <QPainter>

#include "widgets/AccessibleChange.h"
#include "widgets/TErrorGuard.h"
#include "widgets/VrDraw.h"

namespace orvane::widgets {

TVrUserLed::TVrUserLed(QWidget* parent) : TVrGraphicControl(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  resize(20, 10);
  bevel_.SetInnerStyle(TVrBevelStyle::bsNone);
  bevel_.SetInnerHighlight(kLime);
  bevel_.SetInnerShadow(kGreen);
  paletteEx_.SetLow1(kMaroon);
  paletteEx_.SetHigh1(kRed);
  bevel_.SetOnChange([this] { UpdateControlCanvas(); });
  paletteEx_.SetOnChange([this] { UpdateControlCanvas(); });
}

void TVrUserLed::SetActive(bool active) {
  if (!Store(active_, active)) return;
  AnnounceText(this, QAccessible::DescriptionChanged);
  if (onChange_) onChange_(this);
}

void TVrUserLed::paintEvent(QPaintEvent*) {
  QPainter canvas(this);
  if (drawStyle_ == TVrDrawStyle::dsNormal) {
    PaintNormal(canvas);
    return;
  }
  canvas.fillRect(rect(), palette().color(backgroundRole()));
  if (onDraw_) TErrorGuard::Run([&] { onDraw_(*this, canvas, rect()); });
}

void TVrUserLed::PaintNormal(QPainter& canvas) {
  const QPalette& pal = palette();
  QRect area = rect();
  const QColor outline = outlineColor_.Resolve(pal);
  Frame(canvas, area, outline, outline, outlineWidth_);
  bevel_.Paint(canvas, area, pal);
  const TVrColor top = active_ ? paletteEx_.High1() : paletteEx_.Low1();
  const TVrColor bottom = active_ ? paletteEx_.High2() : paletteEx_.Low2();
  VerticalGradient(canvas, area, top.Resolve(pal), bottom.Resolve(pal));
}

}  // namespace orvane::widgets
