#pragma once

#include <memory>
#include <mutex>
#include <vector>

#include "serial/BaseDispatcher.h"
#include "serial/WorkerHost.h"

namespace orvane::serial {

class TApdDispatcherThread;

// The dispatcher bound to a Linux serial device. Four workers run while the
// port is open: the reader and the status watcher block in poll() on the
// device and the stop event, the writer on its events, the dispatcher thread
// on the input queue with a deadline. They reach it only as a TWorkerHost.
class TApdWin32Dispatcher : public TApdBaseDispatcher, private TWorkerHost {
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
  // What the workers reach.
  int DeviceFd() const override { return fFd; }
  TWorkerEvents& Events() override { return *fEvents; }
  const std::atomic<bool>& StopFlag() const override { return fKillThreads; }
  TIOQueue& InputQueue() override { return FQueue; }
  std::vector<std::uint8_t> NextOutput() override { return TakeOutput(); }
  void RunDispatch() override { DispatchLoop(); }
  int FailDevice(int endCode, int err) override;
  void WorkerEnded(int endCode) override;

  int StartDispatcher();
  void StopThreads();
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
