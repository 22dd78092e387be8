#include "widgets/TVrCustomImageControl.h"

#include <algorithm>

#include <QPainter>

namespace orvane::widgets {

TVrCustomImageControl::TVrCustomImageControl(QWidget* parent) : TVrGraphicControl(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void TVrCustomImageControl::paintEvent(QPaintEvent*) {
  const QSize size(std::max(1, width()), std::max(1, height()));
  if (bitmapImage_.size() != size) bitmapImage_ = QImage(size, QImage::Format_RGB32);
  {
    QPainter canvas(&bitmapImage_);
    Paint(canvas);
  }
  QPainter screen(this);
  screen.drawImage(0, 0, bitmapImage_);
}

}  // namespace orvane::widgets
