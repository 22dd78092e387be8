#include "widgets/VrDraw.h"

#include <QPainter>

namespace orvane::widgets {

namespace {

void Ring(QPainter& canvas, const QRect& r, const QColor& top, const QColor& bottom) {
  const int right = r.x() + r.width() - 1;
  const int lowest = r.y() + r.height() - 1;
  canvas.fillRect(r.x(), r.y(), 1, r.height(), top);
  canvas.fillRect(r.x(), r.y(), r.width() - 1, 1, top);
  canvas.fillRect(right, r.y(), 1, r.height(), bottom);
  canvas.fillRect(r.x(), lowest, r.width(), 1, bottom);
}

int Step(int from, int to, int row, int rows) { return from + (to - from) * row / rows; }

}  // namespace

void Frame(QPainter& canvas, QRect& rect, const QColor& top, const QColor& bottom, int width) {
  for (int i = 0; i < width; ++i) {
    if (rect.width() > 0 && rect.height() > 0) Ring(canvas, rect, top, bottom);
    rect.adjust(1, 1, -1, -1);
  }
}

void VerticalGradient(QPainter& canvas, const QRect& rect, const QColor& from, const QColor& to) {
  const int rows = rect.height();
  for (int row = 0; row < rows; ++row) {
    const QColor color(Step(from.red(), to.red(), row, rows),
                       Step(from.green(), to.green(), row, rows),
                       Step(from.blue(), to.blue(), row, rows));
    canvas.fillRect(rect.x(), rect.y() + row, rect.width(), 1, color);
  }
}

}  // namespace orvane::widgets
