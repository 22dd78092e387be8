#pragma once

#include <cstdint>
#include <vector>

#include "serial/DispatcherThread.h"

namespace orvane::serial {

// Takes everything queued in the output ring and writes it to the device,
// waiting for room when the driver is full. A flush drops the block being
// written and is acknowledged on the general event.
class TWriteThread : public TApdDispatcherThread {
 public:
  using TApdDispatcherThread::TApdDispatcherThread;

 protected:
  int Execute() override;
  const char* Name() const override { return "orvane-write"; }

 private:
  int Drain();
  // 0 written, 1 given up for a flush or stop, negative on a device failure.
  int WriteBlock(const std::vector<std::uint8_t>& block);
  int AwaitWritable();
};

}  // namespace orvane::serial
