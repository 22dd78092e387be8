#include "app/SplashPicture.h"

#include <cmath>

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace orvane::app {
namespace {

constexpr QRectF kScreen(16, 56, 208, 96);

struct TPeak {
  double centre;  // share of the screen's width
  double height;  // share of the screen's height
  double width;
};

constexpr TPeak kPeaks[] = {
    {0.22, 0.55, 0.025}, {0.43, 0.85, 0.03}, {0.61, 0.35, 0.02}, {0.80, 0.65, 0.028}};

// Height of the trace, 0 to 1, at `x` (0 to 1 across the screen).
double TraceAt(double x) {
  double y = 0.06 + 0.015 * std::sin(x * 37.0);
  for (const TPeak& peak : kPeaks) {
    const double d = (x - peak.centre) / peak.width;
    y += peak.height * std::exp(-0.5 * d * d);
  }
  return y;
}

void PaintGround(QPainter& canvas) {
  QLinearGradient ground(0, 0, 0, kSplashPictureHeight);
  ground.setColorAt(0, QColor(0x1d, 0x4f, 0x86));
  ground.setColorAt(1, QColor(0x0c, 0x23, 0x40));
  canvas.fillRect(0, 0, kSplashPictureWidth, kSplashPictureHeight, ground);
  canvas.setPen(QColor(0x6f, 0x9c, 0xcc));
  canvas.drawRect(0, 0, kSplashPictureWidth - 1, kSplashPictureHeight - 1);
}

void PaintScreen(QPainter& canvas) {
  canvas.setPen(QColor(0x3d, 0x6d, 0xa3));
  canvas.setBrush(QColor(0x08, 0x18, 0x2c));
  canvas.drawRoundedRect(kScreen, 4, 4);
  canvas.setPen(QPen(QColor(0x1a, 0x3a, 0x5e), 1, Qt::DotLine));
  for (int i = 1; i < 4; ++i) {
    const double y = kScreen.top() + kScreen.height() * i / 4;
    canvas.drawLine(QPointF(kScreen.left() + 4, y), QPointF(kScreen.right() - 4, y));
  }
}

void PaintTrace(QPainter& canvas) {
  const QRectF area = kScreen.adjusted(6, 8, -6, -6);
  QPainterPath trace;
  constexpr int kSteps = 200;
  for (int i = 0; i <= kSteps; ++i) {
    const double x = static_cast<double>(i) / kSteps;
    const QPointF point(area.left() + x * area.width(), area.bottom() - TraceAt(x) * area.height());
    if (i == 0) {
      trace.moveTo(point);
    } else {
      trace.lineTo(point);
    }
  }
  canvas.setBrush(Qt::NoBrush);
  canvas.setPen(QPen(QColor(0x7f, 0xe3, 0xc4), 1.6));
  canvas.drawPath(trace);
}

void PaintName(QPainter& canvas) {
  QFont title("Liberation Sans");
  title.setPixelSize(24);
  title.setBold(true);
  canvas.setFont(title);
  canvas.setPen(Qt::white);
  canvas.drawText(QRectF(0, 12, kSplashPictureWidth, 30), Qt::AlignCenter, "ORVANE - AFS");
  QFont line("Liberation Sans");
  line.setPixelSize(10);
  canvas.setFont(line);
  canvas.setPen(QColor(0xa9, 0xc6, 0xe6));
  canvas.drawText(QRectF(0, 156, kSplashPictureWidth, 16), Qt::AlignCenter,
                  "Atomic Fluorescence Spectrometer");
}

}  // namespace

QPixmap SplashPicture() {
  QPixmap picture(kSplashPictureWidth, kSplashPictureHeight);
  QPainter canvas(&picture);
  canvas.setRenderHint(QPainter::Antialiasing);
  PaintGround(canvas);
  PaintScreen(canvas);
  PaintTrace(canvas);
  PaintName(canvas);
  return picture;
}

}  // namespace orvane::app
