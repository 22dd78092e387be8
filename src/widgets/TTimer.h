#pragma once

#include <QObject>
#include <QTimer>

#include "widgets/TNotifyEvent.h"

namespace orvane::widgets {

// A periodic timer with the enable/interval rules the handlers are written
// for: enabling a running timer keeps its countdown, disabling and enabling
// restarts it, and a new interval restarts a running timer. It runs only
// while enabled with an interval above 0. Ticks reach OnTimer through the
// error guard.
class TTimer : public QObject {
  Q_OBJECT

 public:
  explicit TTimer(QObject* parent = nullptr, int interval = 1000);

  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  int Interval() const { return interval_; }
  void SetInterval(int interval);
  void SetOnTimer(TNotifyEvent handler) { onTimer_ = std::move(handler); }

  bool Running() const { return timer_.isActive(); }
  // Milliseconds left until the next tick, -1 when not running.
  int RemainingTime() const { return timer_.remainingTime(); }

 signals:
  // Lets whoever waits for the timer to be switched off be woken by it
  // instead of asking again and again.
  void EnabledChanged(bool enabled);

 private:
  void Restart();
  void Tick();

  QTimer timer_;
  bool enabled_ = false;
  int interval_;
  TNotifyEvent onTimer_;
};

}  // namespace orvane::widgets
