#pragma once

#include <atomic>
#include <cstdint>
#include <vector>

#include "serial/EventFd.h"
#include "serial/IOQueue.h"

namespace orvane::serial {

// The events a port's workers poll on beside the device.
struct TWorkerEvents {
  TEventFd Stop;     // never reset: every worker wait ends at once
  TEventFd Output;   // bytes were queued in the output ring
  TEventFd Flush;    // drop the block being written
  TEventFd General;  // the writer acknowledges a flush
};

// All that a worker thread of an open port reaches of its dispatcher. The
// dispatcher starts its workers once the device and the events exist and
// joins them before either goes, so every reference handed out here stays
// valid for a worker's whole life.
class TWorkerHost {
 public:
  virtual int DeviceFd() const = 0;
  virtual TWorkerEvents& Events() = 0;
  // True once the workers are to end; whoever sets it wakes them.
  virtual const std::atomic<bool>& StopFlag() const = 0;
  // Input on its way to the dispatch ring: the reader pushes onto it.
  virtual TIOQueue& InputQueue() = 0;
  // Takes every byte of the output ring for the writer, oldest first.
  virtual std::vector<std::uint8_t> NextOutput() = 0;
  // The dispatcher thread's work: returns once the port stops.
  virtual void RunDispatch() = 0;
  // A worker failed: records the errno, makes every worker end, and returns
  // `endCode` for the worker to end with.
  virtual int FailDevice(int endCode, int err) = 0;
  // A worker ended with `endCode`, 0 when it ended normally.
  virtual void WorkerEnded(int endCode) = 0;

 protected:
  ~TWorkerHost() = default;
};

}  // namespace orvane::serial
