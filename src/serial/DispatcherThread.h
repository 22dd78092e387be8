#pragma once

#include <thread>

namespace orvane::serial {

class TWorkerHost;

// A worker of one open port. The dispatcher owns it and joins it at close,
// so a worker can never outlive the dispatcher it works for.
class TApdDispatcherThread {
 public:
  explicit TApdDispatcherThread(TWorkerHost& host) : fHost(host) {}
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

  TWorkerHost& fHost;

 private:
  void Run();

  std::thread fThread;
};

// Moves input into the dispatch ring, fires triggers and hands each
// notification to the UI thread, waiting for it.
class TDispThread : public TApdDispatcherThread {
 public:
  using TApdDispatcherThread::TApdDispatcherThread;

 protected:
  int Execute() override;
  const char* Name() const override { return "orvane-disp"; }
};

}  // namespace orvane::serial
