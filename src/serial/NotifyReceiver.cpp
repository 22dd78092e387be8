#include "serial/NotifyReceiver.h"

#include <QCoreApplication>

#include "serial/BaseDispatcher.h"
#include "serial/DispatcherOwner.h"
#include "serial/DispatcherRegistry.h"

namespace orvane::serial {

namespace {

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

void TApdNotifyReceiver::PostClosePending(const TApdBaseDispatcher& dispatcher) {
  QCoreApplication::postEvent(
      this, new TApdNotifyEvent(kApdClosePending, 0, dispatcher.Handle(), dispatcher.Id(), 0));
}

bool TApdNotifyReceiver::event(QEvent* e) {
  if (e->type() != TApdNotifyEvent::EventType()) return QObject::event(e);
  Handle(*static_cast<TApdNotifyEvent*>(e));
  return true;
}

void TApdNotifyReceiver::Handle(const TApdNotifyEvent& e) {
  auto lock = TApdDispatcherRegistry::Lock();
  TApdBaseDispatcher* d = FindDispatcher(e);
  if (d == nullptr || d->Owner() == nullptr) return;
  if (e.Message != kApdClosePending) {
    RunHandler(*d, e);
  } else if (d->HandlerDepth() > 0) {
    d->RequestCloseRepost();
  } else {
    d->Owner()->DeferredClose(*d);
  }
}

void TApdNotifyReceiver::RunHandler(TApdBaseDispatcher& dispatcher, const TApdNotifyEvent& e) {
  TApdDispatcherOwner* owner = dispatcher.Owner();
  dispatcher.BeginHandler();
  try {
    const auto param = static_cast<std::uint16_t>(e.Param);
    if (e.Message == kApdTriggerAvail) owner->TriggerAvail(dispatcher, param);
    if (e.Message == kApdTriggerTimer) owner->TriggerTimer(dispatcher, param);
  } catch (...) {
    owner->HandlerFailed(std::current_exception());
  }
  // The handler may have closed and destroyed the port; look it up again.
  TApdBaseDispatcher* d = FindDispatcher(e);
  if (d != nullptr && d->EndHandler(e.Serial)) PostClosePending(*d);
}

}  // namespace orvane::serial
