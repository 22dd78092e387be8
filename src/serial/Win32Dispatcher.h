#pragma once

#include <memory>
#include <mutex>
#include <vector>

#include "serial/BaseDispatcher.h"
#include "serial/EventFd.h"

namespace orvane::serial {

class TApdDispatcherThread;

// The dispatcher bound to a Linux serial device (the name is the design's).
// Four workers run while the port is open: the reader and the status
// watcher block in poll() on the device and the stop event, the writer on
// its events, the dispatcher thread on the input queue with a deadline.
class TApdWin32Dispatcher : public TApdBaseDispatcher {
 public:
  explicit TApdWin32Dispatcher(TApdDispatcherOwner* owner);
  ~TApdWin32Dispatcher() override;

  int InitPort(const std::string& device, const TLineSettings& line, int inSize, int outSize,
               std::uint8_t lineFlags) override;
  bool CheckDSR() override;
  int SetLine(const TLineSettings& line) override;
  int OpenCom(const std::string& device, int inSize, int outSize) override;
  void CloseCom() override;
  // The errno that stopped the workers, 0 while none did.
  int LastWinError() const { return fLastWinError; }

 protected:
  void EscapeComFunction(TEscapeFunction function) override;
  void FlushOutDevice() override;
  void FlushInDevice() override;
  void OutputQueued() override;
  void ReleaseEvents() override;

 private:
  friend class TApdDispatcherThread;
  friend class TReadThread;
  friend class TStatusThread;
  friend class TWriteThread;
  friend class TDispThread;

  struct TWorkerEvents {
    TEventFd Stop;     // never reset: every worker wait ends at once
    TEventFd Output;   // bytes were queued in the output ring
    TEventFd Flush;    // drop the block being written
    TEventFd General;  // the writer acknowledges a flush
  };

  int StartDispatcher();
  void StopThreads();
  void ThreadEnded(int endCode);
  // A worker failed: record the error and make every worker end.
  int FailDevice(int endCode, int err);
  void StopAll();

  int fFd = -1;
  std::unique_ptr<TWorkerEvents> fEvents;
  std::vector<std::unique_ptr<TApdDispatcherThread>> fThreads;
  std::mutex fThreadsLock;
  int fActiveThreads = 0;
  bool fCloseComActive = false;
  std::atomic<int> fLastWinError{0};
};

}  // namespace orvane::serial
