#include "widgets/TGauge.h"

#include <algorithm>
#include <climits>

#include <QImage>
#include <QPainter>

#include "widgets/AccessibleChange.h"
#include "widgets/EInvalidOperation.h"

namespace orvane::widgets {

namespace {

EInvalidOperation OutOfRange(long long low, long long high) {
  return EInvalidOperation(
      QString::asprintf("Value must be between %lld and %lld", low, high).toStdString());
}

}  // namespace

TGauge::TGauge(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  resize(100, 100);
}

// Worked out in 64 bits: the span of two 32-bit bounds times 100 does not fit
// in 32.
int TGauge::PercentDone() const {
  if (maxValue_ == minValue_) return 0;
  const long long done = static_cast<long long>(curValue_) - minValue_;
  const long long span = static_cast<long long>(maxValue_) - minValue_;
  return static_cast<int>(done * 100 / span);
}

void TGauge::SetProgress(int value) { StoreProgress(value); }

void TGauge::AddProgress(int delta) {
  StoreProgress(static_cast<long long>(curValue_) + delta);
  repaint();
}

bool TGauge::StoreProgress(long long value) {
  const int limited = static_cast<int>(std::clamp<long long>(value, minValue_, maxValue_));
  if (limited == curValue_) return false;
  const int before = PercentDone();
  curValue_ = limited;
  if (PercentDone() != before) repaint();
  AnnounceValue(this, curValue_);
  return true;
}

void TGauge::LimitProgress() {
  const int limited = std::clamp(curValue_, minValue_, maxValue_);
  if (limited == curValue_) return;
  curValue_ = limited;
  AnnounceValue(this, curValue_);
}

void TGauge::SetMinValue(int value) {
  if (value == minValue_) return;
  if (value > maxValue_) throw OutOfRange(-INT_MAX, static_cast<long long>(maxValue_) - 1);
  minValue_ = value;
  LimitProgress();
  repaint();
}

void TGauge::SetMaxValue(int value) {
  if (value == maxValue_) return;
  if (value < minValue_) throw OutOfRange(static_cast<long long>(minValue_) + 1, INT_MAX);
  maxValue_ = value;
  LimitProgress();
  repaint();
}

void TGauge::paintEvent(QPaintEvent*) {
  QImage picture(size(), QImage::Format_RGB32);
  picture.fill(Qt::black);
  QRect inner = rect();
  if (borderStyle_ == TGaugeBorderStyle::bsSingle) inner.adjust(1, 1, -1, -1);
  const int percent = PercentDone();
  {
    QPainter canvas(&picture);
    PaintBar(canvas, inner, percent);
    if (showText_) PaintText(canvas, inner, percent);
  }
  QPainter(this).drawImage(0, 0, picture);
}

// W and H count one past the inner area's far edge, so the bar's far edge
// lands on floor(W * p / 100) in the gauge's own coordinates.
void TGauge::PaintBar(QPainter& canvas, const QRect& inner, int percent) const {
  canvas.fillRect(inner, backColor_);
  const int w = inner.width() + 1;
  const int h = inner.height() + 1;
  if (kind_ == TGaugeKind::gkHorizontalBar) {
    const int filled = std::min(w, w * percent / 100);
    if (filled > 0)
      canvas.fillRect(inner.x(), inner.y(), filled - inner.x(), h - inner.y(), foreColor_);
  } else if (kind_ == TGaugeKind::gkVerticalBar) {
    int filled = h * percent / 100;
    if (filled >= h) filled = h - 1;
    if (filled > 0) canvas.fillRect(inner.x(), h - filled, w - inner.x(), filled, foreColor_);
  }
}

void TGauge::PaintText(QPainter& canvas, const QRect& inner, int percent) const {
  const QString text = QString::asprintf("%d%%", percent);
  QFont crisp = font();
  crisp.setStyleStrategy(QFont::NoAntialias);
  const QFontMetrics metrics(crisp);
  const int tw = metrics.horizontalAdvance(text);
  const int th = metrics.height();
  QImage layer(size(), QImage::Format_RGB32);
  layer.fill(Qt::black);
  {
    QPainter painter(&layer);
    painter.setClipRect(inner);
    painter.setFont(crisp);
    painter.setPen(Qt::white);
    const QRect cell((inner.width() + 2 - tw) / 2, (inner.height() + 2 - th) / 2, tw, th);
    painter.drawText(cell, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);
  }
  canvas.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
  canvas.drawImage(0, 0, layer);
}

}  // namespace orvane::widgets
