#pragma once

#include <QEvent>
#include <QObject>
#include <cstdint>

namespace orvane::serial {

class TApdBaseDispatcher;

// One notification on its way to the UI thread. It names its dispatcher by
// registry slot and by identity, so an event that outlives its dispatcher
// (or meets a new one in the same slot) is dropped.
class TApdNotifyEvent : public QEvent {
 public:
  static QEvent::Type EventType();
  // Posts a new notification to `receiver`, from any thread.
  static void Post(QObject* receiver, std::uint32_t message, std::uint32_t param,
                   int dispatcherHandle, std::uint64_t dispatcherId, std::uint64_t serial);

  std::uint32_t Message;
  std::uint32_t Param;
  int DispatcherHandle;
  std::uint64_t DispatcherId;
  std::uint64_t Serial;

 private:
  TApdNotifyEvent(std::uint32_t message, std::uint32_t param, int dispatcherHandle,
                  std::uint64_t dispatcherId, std::uint64_t serial);
};

// The hidden notification window of the port: a QObject of the
// UI thread to which the dispatcher thread posts notifications. It finds the
// dispatcher in the registry, runs the owner's handler and tells the waiting
// dispatcher thread it is done. No exception leaves it.
class TApdNotifyReceiver : public QObject {
  Q_OBJECT

 public:
  using QObject::QObject;

 protected:
  bool event(QEvent* e) override;

 private:
  void Handle(const TApdNotifyEvent& e);
  void RunHandler(TApdBaseDispatcher& dispatcher, const TApdNotifyEvent& e);
};

}  // namespace orvane::serial
