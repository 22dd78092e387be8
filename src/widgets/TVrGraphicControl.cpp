#include "widgets/TVrGraphicControl.h"

namespace orvane::widgets {

TVrGraphicControl::TVrGraphicControl(QWidget* parent) : QWidget(parent) {}

void TVrGraphicControl::EndUpdate() {
  if (updateCount_ > 0) --updateCount_;
  UpdateControlCanvas();
}

void TVrGraphicControl::UpdateControlCanvas() {
  if (updateCount_ == 0) repaint();
}

}  // namespace orvane::widgets
