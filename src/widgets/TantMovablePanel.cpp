#include "widgets/TantMovablePanel.h"

#include <algorithm>
#include <chrono>

#include <QMouseEvent>

#include "widgets/AccessibleChange.h"
#include "widgets/TErrorGuard.h"

namespace orvane::widgets {

namespace {

constexpr std::uint16_t kDefaultInterval = 25;

std::uint32_t SystemTickCount() {
  using std::chrono::duration_cast;
  using std::chrono::milliseconds;
  using std::chrono::steady_clock;
  const auto ms = duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
  return static_cast<std::uint32_t>(ms);
}

}  // namespace

TantMovablePanel::TantMovablePanel(QWidget* parent)
    : QFrame(parent), intTimer_(this, kDefaultInterval), clock_(SystemTickCount) {
  setFrameStyle(QFrame::Panel | QFrame::Raised);
  intTimer_.SetOnTimer([this](QObject*) { Tick(); });
}

void TantMovablePanel::SetMoveFullTime(std::uint32_t ms) { moveFullTime_ = std::max(1u, ms); }

void TantMovablePanel::SetTimerInterval(std::uint16_t ms) {
  timerInterval_ = ms == 0 ? kDefaultInterval : ms;
  intTimer_.SetInterval(timerInterval_);
}

void TantMovablePanel::SetMovePerTick(int pixels) { movePerTick_ = std::max(0, pixels); }

void TantMovablePanel::SetMoveLength(int pixels) { moveLength_ = std::max(0, pixels); }

void TantMovablePanel::Loaded() {
  realDirection_ = direction_;
  beginTop_ = y();
  beginLeft_ = x();
}

void TantMovablePanel::DoMove() { Start(true, onDoMove_); }

void TantMovablePanel::UndoMove() { Start(false, onUndoMove_); }

void TantMovablePanel::Start(bool out, const TNotifyEvent& event) {
  SetToDirection(out);
  movingNow_ = true;
  if (event) event(this);
  intTimer_.SetEnabled(true);
}

// Turning round in mid-slide shifts the start time so that the way back
// begins at the current offset and takes as long as the way so far has. A
// slide whose time is already up turns round from its end.
void TantMovablePanel::SetToDirection(bool out) {
  const std::uint32_t now = clock_();
  const bool turning = out != toDirection_;
  if (moveNewStyle_ && movingNow_) {
    if (!turning) return;
    const std::uint32_t elapsed = std::min(now - timeOfMoveBeginning_, moveFullTime_);
    timeOfMoveBeginning_ = now - (moveFullTime_ - elapsed);
  } else {
    timeOfMoveBeginning_ = now;
  }
  toDirection_ = out;
  if (turning) AnnounceExpanded(this);
}

int TantMovablePanel::Offset() const {
  switch (realDirection_) {
    case TDirection::drUp:
      return beginTop_ - y();
    case TDirection::drDown:
      return y() - beginTop_;
    case TDirection::drLeft:
      return beginLeft_ - x();
    case TDirection::drRight:
      return x() - beginLeft_;
  }
  return 0;
}

void TantMovablePanel::Tick() {
  if (moveNewStyle_) {
    TimeTick();
  } else {
    StepTick();
  }
}

// Elapsed time is taken modulo 2^32, so the slide keeps its pace when the
// tick counter wraps during it.
void TantMovablePanel::TimeTick() {
  std::uint32_t elapsed = clock_() - timeOfMoveBeginning_;
  const bool ended = elapsed > moveFullTime_;
  if (ended) elapsed = moveFullTime_;
  const auto done = static_cast<int>(static_cast<std::int64_t>(moveLength_) * elapsed /
                                     static_cast<std::int64_t>(moveFullTime_));
  PlaceAt(toDirection_ ? done : moveLength_ - done);
  if (ended) Finish();
}

// A step of 0 would never arrive, so it goes to the end at once.
void TantMovablePanel::StepTick() {
  const long long step = movePerTick_;
  const long long offset = Offset();
  if (toDirection_ && step > 0 && offset + step < moveLength_) {
    PlaceAt(static_cast<int>(offset + step));
    return;
  }
  if (!toDirection_ && step > 0 && offset > step) {
    PlaceAt(static_cast<int>(offset - step));
    return;
  }
  PlaceAt(toDirection_ ? moveLength_ : 0);
  Finish();
}

void TantMovablePanel::PlaceAt(int offset) {
  switch (realDirection_) {
    case TDirection::drUp:
      move(beginLeft_, beginTop_ - offset);
      break;
    case TDirection::drDown:
      move(beginLeft_, beginTop_ + offset);
      break;
    case TDirection::drLeft:
      move(beginLeft_ - offset, beginTop_);
      break;
    case TDirection::drRight:
      move(beginLeft_ + offset, beginTop_);
      break;
  }
  repaint();
}

void TantMovablePanel::Finish() {
  intTimer_.SetEnabled(false);
  movingNow_ = false;
  const bool wasOut = toDirection_;
  if (onMoveEnd_) onMoveEnd_(this);
  if (!autoRepeat_ && !(autoBack_ && wasOut)) return;
  if (wasOut) {
    UndoMove();
  } else {
    DoMove();
  }
}

void TantMovablePanel::mousePressEvent(QMouseEvent* event) {
  pressedInside_ = event->button() == Qt::LeftButton;
  QFrame::mousePressEvent(event);
}

void TantMovablePanel::mouseReleaseEvent(QMouseEvent* event) {
  const bool click = pressedInside_ && event->button() == Qt::LeftButton &&
                     rect().contains(event->position().toPoint());
  pressedInside_ = false;
  QFrame::mouseReleaseEvent(event);
  if (click) Click();
}

void TantMovablePanel::Click() {
  if (onClick_) TErrorGuard::Run([this] { onClick_(this); });
}

// The first release of a double-click was its click. Qt's default takes the
// second press for another one, which would slide the panel out and straight
// back.
void TantMovablePanel::mouseDoubleClickEvent(QMouseEvent* event) {
  pressedInside_ = false;
  event->accept();
}

}  // namespace orvane::widgets
