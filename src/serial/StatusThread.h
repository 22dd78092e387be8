#pragma once

#include "serial/DispatcherThread.h"

namespace orvane::serial {

// Watches the line for a hang-up or an error condition, so an unplugged
// device stops the port even while nothing is being read or written.
// Modem-line changes feed nothing in this system (DSR is read on demand), so
// they are not watched, and the thread sleeps until the line fails or the
// port closes.
class TStatusThread : public TApdDispatcherThread {
 public:
  using TApdDispatcherThread::TApdDispatcherThread;

 protected:
  int Execute() override;
  const char* Name() const override { return "orvane-status"; }
};

}  // namespace orvane::serial
