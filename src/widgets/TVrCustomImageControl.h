#pragma once

#include <QImage>

#include "widgets/TVrGraphicControl.h"

class QPainter;

namespace orvane::widgets {

// Paints into an off-screen picture of its own size and copies that to the
// screen in one step, so a repaint never shows half a drawing.
class TVrCustomImageControl : public TVrGraphicControl {
  Q_OBJECT

 public:
  explicit TVrCustomImageControl(QWidget* parent = nullptr);

 protected:
  virtual void Paint(QPainter& canvas) = 0;
  void paintEvent(QPaintEvent* event) override;

 private:
  QImage bitmapImage_;
};

}  // namespace orvane::widgets
