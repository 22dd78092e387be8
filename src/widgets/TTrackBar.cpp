#include "widgets/TTrackBar.h"

#include <algorithm>
#include <iterator>

#include <QPainter>
#include <QStyle>
#include <QStyleOptionSlider>

#include "widgets/AccessibleChange.h"
#include "widgets/TErrorGuard.h"

namespace orvane::widgets {

namespace {

constexpr int kTickGap = 2;
// A track bar's channel stops short of its ends, so the thumb at either end
// stays clear of a label placed right beside the control.
constexpr int kChannelInset = 5;
constexpr int kTickLength = 4;

}  // namespace

TTrackBar::TTrackBar(QWidget* parent) : QSlider(Qt::Horizontal, parent) {
  setRange(0, 10);
  setTickPosition(QSlider::NoTicks);
  connect(this, &QSlider::valueChanged, this, &TTrackBar::OperatorChanged);
}

template <typename Change>
void TTrackBar::ChangeFromCode(Change change) {
  const int before = value();
  changingFromCode_ = true;
  change();
  changingFromCode_ = false;
  accepted_ = value();
  if (value() != before && onChange_) onChange_(this);
}

void TTrackBar::SetPosition(int position) {
  ChangeFromCode([&] { setValue(std::clamp(position, minimum(), maximum())); });
}

void TTrackBar::SetRange(int min, int max) {
  ChangeFromCode([&] { setRange(min, std::max(min, max)); });
}

// Qt refuses mouse, wheel and keys to a disabled slider, but an assistive
// tool still sets its value (AT-SPI's value and its Increase and Decrease
// actions): that change is undone, and the handler never hears of it.
void TTrackBar::OperatorChanged() {
  if (changingFromCode_) return;
  if (!isEnabled()) {
    changingFromCode_ = true;
    setValue(accepted_);
    changingFromCode_ = false;
    return;
  }
  accepted_ = value();
  TErrorGuard::Run([this] {
    if (onChange_) onChange_(this);
  });
}

// Qt reads the hint as the description while none is set, but tells no tool
// that it changed, so a screen reader would go on reading the old meaning.
bool TTrackBar::event(QEvent* event) {
  const bool handled = QSlider::event(event);
  if (event->type() == QEvent::ToolTipChange && accessibleDescription().isEmpty())
    AnnounceText(this, QAccessible::DescriptionChanged);
  return handled;
}

void TTrackBar::SetTick(int position) {
  if (position < minimum() || position > maximum()) return;
  ticks_.insert(position);
  update();
}

void TTrackBar::ClearTicks() {
  ticks_.clear();
  update();
}

std::vector<int> TTrackBar::Ticks() const {
  std::set<int> shown;
  std::copy_if(ticks_.begin(), ticks_.end(), std::inserter(shown, shown.end()),
               [this](int tick) { return tick >= minimum() && tick <= maximum(); });
  shown.insert(minimum());
  shown.insert(maximum());
  return {shown.begin(), shown.end()};
}

void TTrackBar::SetSelStart(int position) {
  selStart_ = position;
  update();
}

void TTrackBar::SetSelEnd(int position) {
  selEnd_ = position;
  update();
}

// The channel first, then selection and ticks, then the thumb on top.
void TTrackBar::paintEvent(QPaintEvent*) {
  QPainter canvas(this);
  QStyleOptionSlider option;
  initStyleOption(&option);
  option.subControls = QStyle::SC_SliderGroove;
  style()->drawComplexControl(QStyle::CC_Slider, &option, &canvas, this);
  PaintSelection(canvas, option);
  PaintTicks(canvas, option);
  option.subControls = QStyle::SC_SliderHandle;
  style()->drawComplexControl(QStyle::CC_Slider, &option, &canvas, this);
}

// Qt computes the channel, the thumb and the mouse's position from this
// rectangle, so drawing and dragging agree on the inset.
void TTrackBar::initStyleOption(QStyleOptionSlider* option) const {
  QSlider::initStyleOption(option);
  option->rect.adjust(kChannelInset, 0, -kChannelInset, 0);
}

// Where the thumb's centre stands when the slider is at `position`.
int TTrackBar::CentreOf(const QStyleOptionSlider& option, int position) const {
  QStyleOptionSlider at = option;
  at.sliderPosition = std::clamp(position, minimum(), maximum());
  at.sliderValue = at.sliderPosition;
  return style()
      ->subControlRect(QStyle::CC_Slider, &at, QStyle::SC_SliderHandle, this)
      .center()
      .x();
}

void TTrackBar::PaintSelection(QPainter& canvas, const QStyleOptionSlider& option) const {
  const int from = CentreOf(option, std::min(selStart_, selEnd_));
  const int to = CentreOf(option, std::max(selStart_, selEnd_));
  if (to <= from) return;
  const QRect groove =
      style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderGroove, this);
  const QRect channel(from, groove.y() + 1, to - from + 1, std::max(1, groove.height() - 2));
  canvas.fillRect(channel, palette().color(QPalette::Highlight));
}

void TTrackBar::PaintTicks(QPainter& canvas, const QStyleOptionSlider& option) const {
  const QRect thumb =
      style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, this);
  const int top = std::min(thumb.bottom() + kTickGap, height() - kTickLength);
  const QColor color = palette().color(QPalette::WindowText);
  for (int tick : Ticks()) canvas.fillRect(CentreOf(option, tick), top, 1, kTickLength, color);
}

}  // namespace orvane::widgets
