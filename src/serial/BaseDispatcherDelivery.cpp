#include <algorithm>

#include "serial/BaseDispatcher.h"
#include "serial/NotifyReceiver.h"

namespace orvane::serial {

// The dispatcher thread sleeps until input is queued, the next armed timer
// trigger is due, a trigger changes or the workers stop; it never polls.
void TApdBaseDispatcher::DispatchLoop() {
  while (!fKillThreads) {
    if (!InputPending()) FQueue.Wait(NextTimerDeadline());
    if (fKillThreads) break;
    ServiceInput();
    CheckTimerTriggers();
  }
}

bool TApdBaseDispatcher::InputPending() {
  std::lock_guard lock(fDispSection);
  return !fRing.Full() && !FQueue.Empty();
}

void TApdBaseDispatcher::ServiceInput() {
  MoveQueuedData();
  while (!fKillThreads && CheckDataAvailable()) {
  }
}

bool TApdBaseDispatcher::CheckDataAvailable() {
  std::uint32_t count = 0;
  {
    std::lock_guard lock(fDispSection);
    fLastTailData = fRing.TotalIn();
    count = fRing.Used();
    const std::uint32_t length = fLenTrigger;
    if (length == 0 || fLastTailData == fNotifyTail || count < length) return false;
    fNotifyTail = fLastTailData;
  }
  return DeliverNotification(kApdTriggerAvail, count);
}

bool TApdBaseDispatcher::DeliverNotification(std::uint32_t message, std::uint32_t param) {
  std::vector<TApdNotifyReceiver*> targets;
  {
    std::lock_guard lock(fDataSection);
    if (!fHandlerServiceNeeded) return true;
    fEventBusy = true;
    if (fWndTriggerHandlers.size() > 1 || fPortHandlerInstalled) {
      for (const auto& t : fWndTriggerHandlers) targets.push_back(t.Receiver);
    }
  }
  const bool avail = message == kApdTriggerAvail;
  {
    std::lock_guard lock(fDispSection);
    fRing.BeginDelivery(avail);
  }
  bool closed = false;
  for (TApdNotifyReceiver* receiver : targets) {
    {
      std::lock_guard lock(fDispSection);
      fRing.BeginHandler();
    }
    closed = SendToReceiver(receiver, message, param);
    if (closed) break;
    std::lock_guard lock(fDispSection);
    fRing.EndHandler();
  }
  bool result = true;
  if (closed) {
    std::lock_guard lock(fDispSection);
    fRing.AbandonDelivery();
  } else if (avail) {
    FinishAvailDelivery(param, result);
  }
  EndDelivery();
  return closed ? false : result;
}

// Sends one notification and waits for its handler, at most the delivery
// limit. True when the delivery was given up for a close.
bool TApdBaseDispatcher::SendToReceiver(TApdNotifyReceiver* receiver, std::uint32_t message,
                                        std::uint32_t param) {
  static std::atomic<std::uint64_t> serials{0};
  {
    // Posting under DataSection keeps the receiver from being deregistered
    // (and deleted) between the check and the post.
    std::lock_guard data(fDataSection);
    const bool gone =
        std::none_of(fWndTriggerHandlers.begin(), fWndTriggerHandlers.end(),
                     [&](const TWndTarget& t) { return t.Receiver == receiver && !t.Deleted; });
    if (gone) return false;
    std::lock_guard delivery(fDeliveryLock);
    if (fStopDeliveries) return true;
    fDeliverySerial = ++serials;
    fDelivered = false;
    fAbandoned = false;
    TApdNotifyEvent::Post(receiver, message, param, fHandle, fId, fDeliverySerial);
  }
  std::unique_lock lock(fDeliveryLock);
  fDeliveryDone.wait_for(lock, kDeliveryLimit, [this] { return fDelivered || fAbandoned; });
  return fAbandoned;
}

void TApdBaseDispatcher::FinishAvailDelivery(std::uint32_t count, bool& result) {
  std::lock_guard lock(fDispSection);
  result = fRing.FinishDelivery(count);
}

void TApdBaseDispatcher::EndDelivery() {
  {
    std::lock_guard lock(fDataSection);
    fEventBusy = false;
    if (fDeletePending) {
      std::erase_if(fWndTriggerHandlers, [](const TWndTarget& t) { return t.Deleted; });
      fDeletePending = false;
      RecomputeHandlerFlags();
    }
  }
  std::lock_guard lock(fDispSection);
  fRing.EndDelivery();
}

}  // namespace orvane::serial
