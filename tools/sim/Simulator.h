#pragma once

#include "Clock.h"
#include "ControlConsole.h"
#include "Device.h"
#include "EventLog.h"
#include "LineAssembler.h"
#include "Options.h"

namespace orvane::sim {

// One thread, one poll(): the line, the control input and SIGINT/SIGTERM,
// with the next transmit deadline as the timeout.
class Simulator {
 public:
  explicit Simulator(const Options& options);  // throws std::system_error
  ~Simulator();
  Simulator(const Simulator&) = delete;
  Simulator& operator=(const Simulator&) = delete;

  void Run();

 private:
  // False once the control input asks to quit.
  bool OnControlInput(TimePoint now);

  TimePoint start_;
  EventLog log_;
  Device device_;
  ControlConsole console_;
  LineAssembler controlLines_;
  int signalFd_ = -1;
  bool controlOpen_ = true;
};

}  // namespace orvane::sim
