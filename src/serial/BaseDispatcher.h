#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "serial/DispatchRing.h"
#include "serial/IOQueue.h"
#include "serial/LineSettings.h"
#include "serial/SerialErrors.h"
#include "serial/TimerTrigger.h"
#include "serial/TriggerSave.h"

namespace orvane::serial {

class TApdDispatcherOwner;
class TApdNotifyReceiver;

// Notification numbers; the first parameter is the count or the handle.
inline constexpr std::uint32_t kApdTriggerAvail = 32257;
inline constexpr std::uint32_t kApdTriggerTimer = 32259;

enum class TEscapeFunction { SetRts, ClrRts, SetDtr, ClrDtr };

// The engine behind one open port: the dispatch ring the UI thread reads
// from, the output ring the writer drains, the timer triggers, and delivery
// of each notification to the UI thread, which the dispatcher thread waits
// for. Everything device-specific is left to the binding.
//
// All public operations are for the UI thread; results are 0 (or a count)
// on success and a negative ec* code on failure.
class TApdBaseDispatcher {
 public:
  static constexpr std::uint32_t kDispatchBufSize = TDispatchRing::kSize;
  static constexpr auto kDeliveryLimit = std::chrono::milliseconds(3000);

  explicit TApdBaseDispatcher(TApdDispatcherOwner* owner);
  virtual ~TApdBaseDispatcher();
  TApdBaseDispatcher(const TApdBaseDispatcher&) = delete;
  TApdBaseDispatcher& operator=(const TApdBaseDispatcher&) = delete;

  virtual int InitPort(const std::string& device, const TLineSettings& line, int inSize,
                       int outSize, std::uint8_t lineFlags) = 0;
  // Discards unsent and unread bytes, stops the workers and closes the
  // device. From its start no handler of this dispatcher runs any more: a
  // delivery the dispatcher thread waits for is given up, also when the
  // close is made from inside that very handler.
  void DonePort();

  // Opens the device alone (no threads, no line settings): the device
  // handle, or a negative code with LastOpenError() telling why.
  virtual int OpenCom(const std::string& device, int inSize, int outSize) = 0;
  // Stops the workers, if any, and closes the device.
  virtual void CloseCom() = 0;

  int PutBlock(std::span<const std::uint8_t> block);
  int GetChar(std::uint8_t& byte);
  int InBuffUsed();
  int OutBuffUsed();
  virtual bool CheckDSR() = 0;
  virtual int SetLine(const TLineSettings& line) = 0;
  void SetDtr(bool on);
  void SetRts(bool on);

  int AddTimerTrigger();
  int SetTimerTrigger(int handle, std::int32_t ticks, bool activate);
  void ChangeLengthTrigger(std::uint32_t length);
  void SaveTriggers(TTriggerSave& save);
  void RestoreTriggers(const TTriggerSave& save);

  void RegisterWndTriggerHandler(TApdNotifyReceiver* receiver);
  void DeregisterWndTriggerHandler(TApdNotifyReceiver* receiver);
  // 1: the owner wants notifications; 2: it does not; 0: recompute.
  void UpdateHandlerFlags(int flag);

  int Handle() const { return fHandle; }
  std::uint64_t Id() const { return fId; }
  TApdDispatcherOwner* Owner() const { return fOwner; }
  const std::string& DeviceName() const { return fDeviceName; }
  const TSerialError& LastOpenError() const { return fLastOpenError; }
  bool DispActive() const { return fDispActive; }
  // The device is held, whether or not its workers still run.
  bool PortOpen() const { return fPortOpen; }
  // True once a worker failed (the line was unplugged, memory ran out) and
  // so all of them stopped.
  bool DeviceFailed() const { return fLastError == -1; }

  // UI side of a delivery, used by TApdNotifyReceiver: whether a posted
  // notification may still reach its handler, and the end of a handler.
  bool DeliveriesStopped();
  void EndHandler(std::uint64_t serial);

 protected:
  // Platform operations of the binding.
  virtual void EscapeComFunction(TEscapeFunction function) = 0;
  virtual void FlushOutDevice() = 0;
  virtual void FlushInDevice() = 0;
  // Output was queued: wake the writer.
  virtual void OutputQueued() = 0;
  virtual void ReleaseEvents() = 0;

  void PrepareOpen(const std::string& device, int outSize);
  // Drives DTR and RTS again to the levels last set.
  void DriveRememberedLines();
  void DonePortPrim();
  // Body of the dispatcher thread.
  void DispatchLoop();
  // Takes every byte of the output ring for the writer, oldest first.
  std::vector<std::uint8_t> TakeOutput();
  // Makes every worker wait end and no new delivery start.
  void StopWorkers();
  // Gives up the delivery being waited for and lets no other one start.
  void StopDeliveries();
  void SetPortOpen(bool open) { fPortOpen = open; }

  TIOQueue FQueue;
  std::atomic<bool> fKillThreads{false};
  std::atomic<bool> fDispActive{false};
  std::atomic<int> fLastError{0};
  TSerialError fLastOpenError;

 private:
  struct TWndTarget {
    TApdNotifyReceiver* Receiver;
    bool Deleted;
  };

  void MoveQueuedData();
  void FlushOutBuffer();
  void FlushInBuffer();
  void ServiceInput();
  bool CheckDataAvailable();
  void CheckTimerTriggers();
  std::optional<TIOQueue::TClock::time_point> NextTimerDeadline();
  bool InputPending();
  bool DeliverNotification(std::uint32_t message, std::uint32_t param);
  bool SendToReceiver(TApdNotifyReceiver* receiver, std::uint32_t message, std::uint32_t param);
  void FinishAvailDelivery(std::uint32_t count, bool& result);
  void EndDelivery();
  TTimerTrigger* FindTimer(int handle);
  bool HandleInUse(int handle) const;
  void RecomputeHandlerFlags();

  TApdDispatcherOwner* fOwner;
  int fHandle;
  std::uint64_t fId;
  std::string fDeviceName;
  bool fPortOpen = false;

  // DataSection: triggers, notification targets, handler flags.
  std::recursive_mutex fDataSection;
  std::vector<TTimerTrigger> fTimerTriggers;
  std::int32_t fTriggerCounter = 1;
  std::vector<TWndTarget> fWndTriggerHandlers;
  bool fPortHandlerInstalled = false;
  bool fHandlerServiceNeeded = false;
  bool fDeletePending = false;
  bool fDTRState = false;
  bool fRTSState = false;
  std::atomic<std::uint32_t> fLenTrigger{0};
  std::atomic<bool> fEventBusy{false};

  // DispSection: the dispatch ring, and what the last data-available event
  // was told, in bytes moved in since the open.
  std::recursive_mutex fDispSection;
  TDispatchRing fRing{FQueue};
  std::uint64_t fLastTailData = 0;
  std::uint64_t fNotifyTail = 0;

  // OutputSection: the output ring.
  std::recursive_mutex fOutputSection;
  std::vector<std::uint8_t> fOBuffer;
  std::uint32_t fOBufHead = 0;
  std::uint32_t fOBufTail = 0;
  bool fOBufFull = false;

  // The delivery the dispatcher thread waits for.
  std::mutex fDeliveryLock;
  std::condition_variable fDeliveryDone;
  std::uint64_t fDeliverySerial = 0;
  bool fDelivered = false;
  bool fAbandoned = false;
  bool fStopDeliveries = false;
};

}  // namespace orvane::serial
