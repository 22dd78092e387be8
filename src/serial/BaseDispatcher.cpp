#include "serial/BaseDispatcher.h"

#include <algorithm>

#include "serial/DispatcherRegistry.h"

namespace orvane::serial {

namespace {

std::uint64_t NextDispatcherId() {
  static std::atomic<std::uint64_t> counter{0};
  return ++counter;
}

}  // namespace

TApdBaseDispatcher::TApdBaseDispatcher(TApdDispatcherOwner* owner)
    : fOwner(owner), fHandle(-1), fId(NextDispatcherId()) {
  fHandle = TApdDispatcherRegistry::Add(this);
}

TApdBaseDispatcher::~TApdBaseDispatcher() { TApdDispatcherRegistry::Remove(fHandle); }

void TApdBaseDispatcher::PrepareOpen(const std::string& device, int outSize) {
  fDeviceName = device;
  fLastOpenError = {};
  fLastError = 0;
  {
    std::lock_guard lock(fDeliveryLock);
    fStopDeliveries = false;
  }
  {
    std::lock_guard lock(fOutputSection);
    fOBuffer.assign(static_cast<std::size_t>(std::max(outSize, 1)), 0);
    fOBufHead = fOBufTail = 0;
    fOBufFull = false;
  }
  {
    std::lock_guard lock(fDispSection);
    fRing.Allocate();
    fLastTailData = fNotifyTail = 0;
  }
  std::lock_guard lock(fDataSection);
  fTimerTriggers.clear();
  fTriggerCounter = 1;
  fLenTrigger = 0;
}

// The close never waits for the UI thread: a handler it ran from here on
// could find its owner half destroyed, and the UI thread may be the one
// closing from inside a handler or no longer running its event loop at all.
void TApdBaseDispatcher::DonePort() {
  StopDeliveries();
  if (fPortOpen) {
    FlushOutBuffer();
    FlushInBuffer();
    CloseCom();
  }
  DonePortPrim();
}

void TApdBaseDispatcher::DonePortPrim() {
  if (fDispActive || fPortOpen) CloseCom();
  ReleaseEvents();
  {
    std::lock_guard lock(fOutputSection);
    fOBuffer.clear();
    fOBufHead = fOBufTail = 0;
    fOBufFull = false;
  }
  std::lock_guard lock(fDispSection);
  fRing.Release();
}

void TApdBaseDispatcher::StopWorkers() {
  fKillThreads = true;
  StopDeliveries();
  FQueue.Signal();
}

void TApdBaseDispatcher::StopDeliveries() {
  {
    std::lock_guard lock(fDeliveryLock);
    fStopDeliveries = true;
    fAbandoned = true;
  }
  fDeliveryDone.notify_all();
}

bool TApdBaseDispatcher::DeliveriesStopped() {
  std::lock_guard lock(fDeliveryLock);
  return fStopDeliveries;
}

void TApdBaseDispatcher::EndHandler(std::uint64_t serial) {
  {
    std::lock_guard lock(fDeliveryLock);
    if (serial == fDeliverySerial) fDelivered = true;
  }
  fDeliveryDone.notify_all();
}

void TApdBaseDispatcher::SetDtr(bool on) {
  std::lock_guard lock(fDataSection);
  fDTRState = on;
  if (fPortOpen) EscapeComFunction(on ? TEscapeFunction::SetDtr : TEscapeFunction::ClrDtr);
}

void TApdBaseDispatcher::SetRts(bool on) {
  std::lock_guard lock(fDataSection);
  fRTSState = on;
  if (fPortOpen) EscapeComFunction(on ? TEscapeFunction::SetRts : TEscapeFunction::ClrRts);
}

void TApdBaseDispatcher::DriveRememberedLines() {
  std::lock_guard lock(fDataSection);
  SetDtr(fDTRState);
  SetRts(fRTSState);
}

void TApdBaseDispatcher::RegisterWndTriggerHandler(TApdNotifyReceiver* receiver) {
  std::lock_guard lock(fDataSection);
  fWndTriggerHandlers.push_back({receiver, false});
  RecomputeHandlerFlags();
}

void TApdBaseDispatcher::DeregisterWndTriggerHandler(TApdNotifyReceiver* receiver) {
  std::lock_guard lock(fDataSection);
  if (fEventBusy) {
    // The dispatcher thread may be waiting for this very receiver, which
    // is about to go; a posted event to it would never be handled.
    for (auto& target : fWndTriggerHandlers) {
      if (target.Receiver == receiver) target.Deleted = true;
    }
    fDeletePending = true;
    {
      std::lock_guard delivery(fDeliveryLock);
      fDelivered = true;
    }
    fDeliveryDone.notify_all();
  } else {
    std::erase_if(fWndTriggerHandlers, [&](const TWndTarget& t) { return t.Receiver == receiver; });
  }
  RecomputeHandlerFlags();
}

void TApdBaseDispatcher::UpdateHandlerFlags(int flag) {
  std::lock_guard lock(fDataSection);
  if (flag == 1) fPortHandlerInstalled = true;
  if (flag == 2) fPortHandlerInstalled = false;
  RecomputeHandlerFlags();
}

void TApdBaseDispatcher::RecomputeHandlerFlags() {
  const bool others = std::any_of(fWndTriggerHandlers.begin(), fWndTriggerHandlers.end(),
                                  [](const TWndTarget& t) { return !t.Deleted; });
  fHandlerServiceNeeded = fPortHandlerInstalled || others;
}

}  // namespace orvane::serial
