#pragma once

#include <cstdint>
#include <functional>

#include <QFrame>

#include "widgets/TNotifyEvent.h"
#include "widgets/TTimer.h"

namespace orvane::widgets {

enum class TDirection { drUp, drDown, drLeft, drRight };

// A panel that slides a fixed distance out from its rest position and back,
// animated by its own timer: either in fixed steps per tick, or by the clock
// so that a slide takes MoveFullTime whatever the tick timing. Clicking it
// only raises OnClick; whoever handles that decides whether it moves.
// Assistive tools see it expanded while ToDirection is true, named by its
// tooltip unless it has an accessibleName.
class TantMovablePanel : public QFrame {
  Q_OBJECT

 public:
  // Milliseconds of a 32-bit counter that wraps; all time arithmetic is
  // modulo 2^32.
  using TTickClock = std::function<std::uint32_t()>;

  explicit TantMovablePanel(QWidget* parent = nullptr);

  bool MoveNewStyle() const { return moveNewStyle_; }
  void SetMoveNewStyle(bool newStyle) { moveNewStyle_ = newStyle; }
  std::uint32_t MoveFullTime() const { return moveFullTime_; }
  // 0 would divide by zero: stored as 1.
  void SetMoveFullTime(std::uint32_t ms);
  std::uint16_t TimerInterval() const { return timerInterval_; }
  // 0 is stored as 25.
  void SetTimerInterval(std::uint16_t ms);
  int MovePerTick() const { return movePerTick_; }
  void SetMovePerTick(int pixels);
  int MoveLength() const { return moveLength_; }
  void SetMoveLength(int pixels);
  TDirection Direction() const { return direction_; }
  void SetDirection(TDirection direction) { direction_ = direction; }
  bool AutoBack() const { return autoBack_; }
  void SetAutoBack(bool autoBack) { autoBack_ = autoBack; }
  bool AutoRepeat() const { return autoRepeat_; }
  void SetAutoRepeat(bool autoRepeat) { autoRepeat_ = autoRepeat; }

  void SetOnDoMove(TNotifyEvent handler) { onDoMove_ = std::move(handler); }
  void SetOnUndoMove(TNotifyEvent handler) { onUndoMove_ = std::move(handler); }
  void SetOnMoveEnd(TNotifyEvent handler) { onMoveEnd_ = std::move(handler); }
  void SetOnClick(TNotifyEvent handler) { onClick_ = std::move(handler); }
  // What a completed mouse click does, handler error box included.
  void Click();

  // Fixes the rest position and the direction from the current settings;
  // call once the panel has been placed and set up.
  void Loaded();

  void DoMove();
  void UndoMove();
  // Turns the target round without starting the timer.
  void ChangeDirection() { SetToDirection(!toDirection_); }
  // True when the last requested slide was out.
  bool ToDirection() const { return toDirection_; }
  bool MovingNow() const { return movingNow_; }
  // Distance from the rest position in the sliding direction.
  int Offset() const;

  void SetClock(TTickClock clock) { clock_ = std::move(clock); }

 protected:
  // One animation step, as the timer runs it.
  void Tick();
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  void SetToDirection(bool out);
  void Start(bool out, const TNotifyEvent& event);
  void TimeTick();
  void StepTick();
  void PlaceAt(int offset);
  void Finish();

  bool moveNewStyle_ = false;
  std::uint32_t moveFullTime_ = 1000;
  std::uint16_t timerInterval_ = 25;
  int movePerTick_ = 0;
  int moveLength_ = 0;
  TDirection direction_ = TDirection::drDown;
  bool autoBack_ = false;
  bool autoRepeat_ = false;
  TNotifyEvent onDoMove_;
  TNotifyEvent onUndoMove_;
  TNotifyEvent onMoveEnd_;
  TNotifyEvent onClick_;

  TTimer intTimer_;
  TDirection realDirection_ = TDirection::drDown;
  int beginTop_ = 0;
  int beginLeft_ = 0;
  bool toDirection_ = false;
  bool movingNow_ = false;
  bool pressedInside_ = false;
  std::uint32_t timeOfMoveBeginning_ = 0;
  TTickClock clock_;
};

}  // namespace orvane::widgets
