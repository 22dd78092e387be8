#pragma once

namespace orvane::serial {

// An eventfd used as an event a worker can poll() on next to the device.
// Signal() makes it readable until Consume() (auto-reset by the waiter);
// a stop event is signalled once and never consumed, so every later poll
// on it returns at once.
class TEventFd {
 public:
  TEventFd();
  ~TEventFd();
  TEventFd(const TEventFd&) = delete;
  TEventFd& operator=(const TEventFd&) = delete;

  int Fd() const { return fFd; }
  void Signal();
  // Resets the event; true when it was signalled.
  bool Consume();
  // Waits at most `ms` milliseconds for the event and consumes it.
  bool WaitFor(int ms);

 private:
  int fFd;
};

}  // namespace orvane::serial
