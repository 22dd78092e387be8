#include "widgets/TSearchAnimation.h"

#include <cmath>
#include <numbers>

#include <QPainter>
#include <QPainterPath>

namespace orvane::widgets {

namespace {

const QColor kOutline(0x6E, 0x4E, 0x10);
const QColor kFolderBack(0xD8, 0xA8, 0x38);
const QColor kFolderFront(0xF4, 0xCC, 0x58);
const QColor kPaperLine(0x9C, 0xA4, 0xB0);
const QColor kRim(0x30, 0x38, 0x40);
const QColor kGlass(0xB4, 0xDC, 0xFF, 0x78);
const QColor kHandle(0x6A, 0x3C, 0x18);

// The lens circles this point once per loop, clockwise from the top.
constexpr QPointF kOrbitCentre(40.0, 26.0);
constexpr double kOrbitRadius = 9.0;
constexpr double kLensRadius = 8.0;
constexpr double kHandleLength = 9.0;

void PaintFolderBack(QPainter& canvas) {
  QPainterPath back;
  back.moveTo(18, 44);
  back.lineTo(18, 10);
  back.lineTo(33, 10);
  back.lineTo(36, 14);
  back.lineTo(62, 14);
  back.lineTo(62, 44);
  back.closeSubpath();
  canvas.setPen(QPen(kOutline, 1.0));
  canvas.setBrush(kFolderBack);
  canvas.drawPath(back);
}

void PaintPapers(QPainter& canvas) {
  canvas.setPen(QPen(kPaperLine, 1.0));
  canvas.setBrush(Qt::white);
  canvas.drawRect(QRectF(24.5, 12.5, 34, 24));
  canvas.drawRect(QRectF(21.5, 16.5, 34, 22));
  for (int y = 21; y <= 33; y += 4) canvas.drawLine(QPointF(25, y + 0.5), QPointF(52, y + 0.5));
}

void PaintFolderFront(QPainter& canvas) {
  const QPointF front[] = {{15.5, 27.5}, {64.5, 27.5}, {61.5, 45.5}, {18.5, 45.5}};
  canvas.setPen(QPen(kOutline, 1.0));
  canvas.setBrush(kFolderFront);
  canvas.drawPolygon(front, 4);
}

void PaintLens(QPainter& canvas, QPointF centre) {
  const QPointF diagonal(std::numbers::sqrt2 / 2, std::numbers::sqrt2 / 2);
  const QPointF handleStart = centre + diagonal * (kLensRadius + 1);
  canvas.setPen(QPen(kHandle, 4.0, Qt::SolidLine, Qt::RoundCap));
  canvas.drawLine(handleStart, handleStart + diagonal * kHandleLength);
  canvas.setPen(QPen(kRim, 2.0));
  canvas.setBrush(kGlass);
  canvas.drawEllipse(centre, kLensRadius, kLensRadius);
  canvas.setPen(QPen(Qt::white, 1.5, Qt::SolidLine, Qt::RoundCap));
  canvas.setBrush(Qt::NoBrush);
  const double r = kLensRadius - 3;
  canvas.drawArc(QRectF(centre.x() - r, centre.y() - r, 2 * r, 2 * r), 100 * 16, 60 * 16);
}

QPointF LensCentre(int frame) {
  const double angle = 2 * std::numbers::pi * frame / TSearchAnimation::kFrameCount;
  return kOrbitCentre + QPointF(std::sin(angle), -std::cos(angle)) * kOrbitRadius;
}

}  // namespace

TSearchAnimation::TSearchAnimation(QWidget* parent)
    : QWidget(parent), timer_(this, kFrameInterval) {
  setFixedSize(kWidth, kHeight);
  timer_.SetOnTimer([this](QObject*) { Tick(); });
}

void TSearchAnimation::Start() {
  if (Active() || !onScreen_) return;
  frame_ = 0;
  update();
  timer_.SetEnabled(true);
}

void TSearchAnimation::Stop() { timer_.SetEnabled(false); }

void TSearchAnimation::Tick() {
  frame_ = (frame_ + 1) % kFrameCount;
  update();
}

void TSearchAnimation::paintEvent(QPaintEvent*) {
  QPainter canvas(this);
  canvas.setRenderHint(QPainter::Antialiasing);
  PaintFolderBack(canvas);
  PaintPapers(canvas);
  PaintFolderFront(canvas);
  PaintLens(canvas, LensCentre(frame_));
}

// Spontaneous events (the window minimised and restored) count too: a
// minimised window is not on the screen.
void TSearchAnimation::showEvent(QShowEvent*) {
  onScreen_ = true;
  Start();
}

void TSearchAnimation::hideEvent(QHideEvent*) {
  onScreen_ = false;
  Stop();
}

}  // namespace orvane::widgets
