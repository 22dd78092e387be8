#include "serial/NotifyReceiver.h"

#include <QCoreApplication>
#include <mutex>

#include "serial/BaseDispatcher.h"
#include "serial/DispatcherOwner.h"
#include "serial/DispatcherRegistry.h"

namespace orvane::serial {

namespace {

// Qt's event queue orders a post before its delivery with locks the thread
// sanitizer cannot see into; this lock, taken around the making of an event
// and before reading one, states that order where it can be checked.
std::mutex& HandoffLock() {
  static std::mutex lock;
  return lock;
}

TApdBaseDispatcher* FindDispatcher(const TApdNotifyEvent& e) {
  TApdBaseDispatcher* d = TApdDispatcherRegistry::Find(e.DispatcherHandle);
  return d != nullptr && d->Id() == e.DispatcherId ? d : nullptr;
}

}  // namespace

QEvent::Type TApdNotifyEvent::EventType() {
  static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
  return type;
}

TApdNotifyEvent::TApdNotifyEvent(std::uint32_t message, std::uint32_t param, int dispatcherHandle,
                                 std::uint64_t dispatcherId, std::uint64_t serial)
    : QEvent(EventType()),
      Message(message),
      Param(param),
      DispatcherHandle(dispatcherHandle),
      DispatcherId(dispatcherId),
      Serial(serial) {}

void TApdNotifyEvent::Post(QObject* receiver, std::uint32_t message, std::uint32_t param,
                           int dispatcherHandle, std::uint64_t dispatcherId, std::uint64_t serial) {
  TApdNotifyEvent* e = nullptr;
  {
    std::lock_guard lock(HandoffLock());
    e = new TApdNotifyEvent(message, param, dispatcherHandle, dispatcherId, serial);
  }
  QCoreApplication::postEvent(receiver, e);
}

bool TApdNotifyReceiver::event(QEvent* e) {
  { std::lock_guard lock(HandoffLock()); }
  if (e->type() != TApdNotifyEvent::EventType()) return QObject::event(e);
  Handle(*static_cast<TApdNotifyEvent*>(e));
  return true;
}

void TApdNotifyReceiver::Handle(const TApdNotifyEvent& e) {
  auto lock = TApdDispatcherRegistry::Lock();
  TApdBaseDispatcher* d = FindDispatcher(e);
  // A notification posted before its port began to close is given up with
  // the rest: its handler's owner may already be going.
  if (d == nullptr || d->Owner() == nullptr || d->DeliveriesStopped()) return;
  RunHandler(*d, e);
}

void TApdNotifyReceiver::RunHandler(TApdBaseDispatcher& dispatcher, const TApdNotifyEvent& e) {
  TApdDispatcherOwner* owner = dispatcher.Owner();
  try {
    const auto param = static_cast<std::uint16_t>(e.Param);
    if (e.Message == kApdTriggerAvail) owner->TriggerAvail(dispatcher, param);
    if (e.Message == kApdTriggerTimer) owner->TriggerTimer(dispatcher, param);
  } catch (...) {
    owner->HandlerFailed(std::current_exception());
  }
  // The handler may have closed and destroyed the port; look it up again.
  if (TApdBaseDispatcher* d = FindDispatcher(e)) d->EndHandler(e.Serial);
}

}  // namespace orvane::serial
