#include <algorithm>

#include "serial/BaseDispatcher.h"

namespace orvane::serial {

namespace {

constexpr std::int32_t kHandleStep = 8;
constexpr std::int32_t kCounterLimit = 4096;

}  // namespace

TTimerTrigger* TApdBaseDispatcher::FindTimer(int handle) {
  auto it = std::find_if(fTimerTriggers.begin(), fTimerTriggers.end(),
                         [&](const TTimerTrigger& t) { return t.Handle == handle; });
  return it == fTimerTriggers.end() ? nullptr : &*it;
}

bool TApdBaseDispatcher::HandleInUse(int handle) const {
  return std::any_of(fTimerTriggers.begin(), fTimerTriggers.end(),
                     [&](const TTimerTrigger& t) { return t.Handle == handle; });
}

// Handles are multiples of 8 from a counter that restarts with every open.
// Restored triggers keep their old handles, so a counted handle already in
// use is passed over rather than handed out twice.
int TApdBaseDispatcher::AddTimerTrigger() {
  std::lock_guard lock(fDataSection);
  int handle = 0;
  while (handle == 0 && fTriggerCounter < kCounterLimit) {
    const int candidate = fTriggerCounter++ * kHandleStep;
    if (!HandleInUse(candidate)) handle = candidate;
  }
  for (int h = kHandleStep; handle == 0 && h <= kCounterLimit; h += kHandleStep) {
    if (!HandleInUse(h)) handle = h;
  }
  if (handle == 0) return ecNoMoreTriggers;
  fTimerTriggers.push_back({handle, 0, 0, 0, false});
  return handle;
}

int TApdBaseDispatcher::SetTimerTrigger(int handle, std::int32_t ticks, bool activate) {
  {
    std::lock_guard lock(fDataSection);
    TTimerTrigger* trigger = FindTimer(handle);
    if (trigger == nullptr) return ecBadTriggerHandle;
    if (activate) {
      if (ticks != 0) trigger->Interval = ticks;
      const auto interval = static_cast<std::uint32_t>(std::max(trigger->Interval, 0));
      trigger->StartTick = TickOf(MilliClock());
      trigger->ExpiryTick = trigger->StartTick + std::min(interval, kMaxTimerTicks);
    }
    trigger->Active = activate;
  }
  FQueue.Signal();  // the dispatcher thread sleeps until the next expiry
  return ecOK;
}

void TApdBaseDispatcher::ChangeLengthTrigger(std::uint32_t length) { fLenTrigger = length; }

void TApdBaseDispatcher::SaveTriggers(TTriggerSave& save) {
  std::lock_guard lock(fDataSection);
  save.tsLenTrigger = fLenTrigger;
  save.tsTimerTriggers = fTimerTriggers;
}

void TApdBaseDispatcher::RestoreTriggers(const TTriggerSave& save) {
  {
    std::lock_guard lock(fDataSection);
    fLenTrigger = save.tsLenTrigger;
    fTimerTriggers = save.tsTimerTriggers.value_or(std::vector<TTimerTrigger>{});
  }
  FQueue.Signal();
}

std::optional<TIOQueue::TClock::time_point> TApdBaseDispatcher::NextTimerDeadline() {
  std::lock_guard lock(fDataSection);
  const std::uint32_t now = MilliClock();
  std::optional<std::uint32_t> wait;
  for (const auto& t : fTimerTriggers) {
    if (t.Active) wait = std::min(wait.value_or(UINT32_MAX), MsUntilDue(now, t));
  }
  if (!wait) return std::nullopt;
  return TIOQueue::TClock::now() + std::chrono::milliseconds(*wait);
}

void TApdBaseDispatcher::CheckTimerTriggers() {
  while (!fKillThreads) {
    int fired = 0;
    {
      std::lock_guard lock(fDataSection);
      const std::uint32_t now = TickOf(MilliClock());
      for (auto& t : fTimerTriggers) {
        if (t.Active && TimerExpired(now, t)) {
          t.Active = false;
          fired = t.Handle;
          break;
        }
      }
    }
    if (fired == 0) return;
    DeliverNotification(kApdTriggerTimer, static_cast<std::uint32_t>(fired));
  }
}

}  // namespace orvane::serial
