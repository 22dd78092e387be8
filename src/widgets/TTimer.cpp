#include "widgets/TTimer.h"

#include <algorithm>

#include "widgets/TErrorGuard.h"

namespace orvane::widgets {

TTimer::TTimer(QObject* parent, int interval) : QObject(parent), interval_(std::max(0, interval)) {
  // Coarse timers may fire 5 % early; the handlers count on their intervals.
  timer_.setTimerType(Qt::PreciseTimer);
  connect(&timer_, &QTimer::timeout, this, &TTimer::Tick);
}

void TTimer::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  Restart();
  emit EnabledChanged(enabled);
}

void TTimer::SetInterval(int interval) {
  interval = std::max(0, interval);
  if (interval == interval_) return;
  interval_ = interval;
  Restart();
}

void TTimer::Restart() {
  timer_.stop();
  if (enabled_ && interval_ > 0) timer_.start(interval_);
}

void TTimer::Tick() {
  TErrorGuard::Run([this] {
    if (onTimer_) onTimer_(this);
  });
}

}  // namespace orvane::widgets
