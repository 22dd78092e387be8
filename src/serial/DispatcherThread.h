#pragma once

#include <thread>

namespace orvane::serial {

class TApdWin32Dispatcher;

// A worker of one open port. The dispatcher owns it and joins it at close,
// so a worker can never outlive the dispatcher it works for.
class TApdDispatcherThread {
 public:
  explicit TApdDispatcherThread(TApdWin32Dispatcher& dispatcher) : fDispatcher(dispatcher) {}
  virtual ~TApdDispatcherThread();
  TApdDispatcherThread(const TApdDispatcherThread&) = delete;
  TApdDispatcherThread& operator=(const TApdDispatcherThread&) = delete;

  void Start();
  void Join();

 protected:
  // The thread's work; returns its end code, 0 when it ended normally.
  virtual int Execute() = 0;
  // Shown by ps and /proc, at most 15 characters.
  virtual const char* Name() const = 0;

  TApdWin32Dispatcher& fDispatcher;

 private:
  void Run();

  std::thread fThread;
};

}  // namespace orvane::serial
