#pragma once

#include "serial/DispatcherThread.h"

namespace orvane::serial {

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
