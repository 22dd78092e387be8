#pragma once

#include "serial/DispatcherThread.h"

namespace orvane::serial {

// Moves everything the driver holds into the input queue, in chunks of at
// most 256 bytes, each time the device becomes readable.
class TReadThread : public TApdDispatcherThread {
 public:
  using TApdDispatcherThread::TApdDispatcherThread;

 protected:
  int Execute() override;
  const char* Name() const override { return "orvane-read"; }

 private:
  int DrainDevice();
};

}  // namespace orvane::serial
