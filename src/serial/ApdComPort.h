#pragma once

#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <string>

#include "serial/DispatcherOwner.h"
#include "serial/LineSettings.h"
#include "serial/LineTrace.h"
#include "serial/TriggerSave.h"

namespace orvane::serial {

class TApdNotifyReceiver;
class TApdWin32Dispatcher;

enum class TPortState { psClosed, psShuttingDown, psOpen };

// Automatic line control the driver may take over.
enum THWFlowOption : std::uint8_t { hwfUseDTR = 0x01, hwfUseRTS = 0x02 };

// The serial port the windows talk through: it keeps the line settings and
// the port number, opens and closes the port through a dispatcher, and
// raises the data-available and timer events on the UI thread. Every call
// is for the UI thread; failures are thrown as the exceptions of
// ApdExceptions.h.
class TApdComPort : public TApdDispatcherOwner {
 public:
  using TTriggerAvailEvent = std::function<void(TApdComPort& cp, std::uint16_t count)>;
  using TTriggerTimerEvent = std::function<void(TApdComPort& cp, std::uint16_t handle)>;

  TApdComPort();
  ~TApdComPort() override;
  TApdComPort(const TApdComPort&) = delete;
  TApdComPort& operator=(const TApdComPort&) = delete;

  std::uint16_t ComNumber() const { return fComNumber; }
  void SetComNumber(std::uint16_t number);
  bool Open() const { return fOpen; }
  void SetOpen(bool open);
  bool DSR() const;
  TPortState PortState() const { return fPortState; }
  // The dispatcher of the open port; none while closed.
  const TApdBaseDispatcher* Dispatcher() const;

  void PutString(const std::string& text);
  std::uint8_t GetChar();
  std::uint16_t AddTimerTrigger();
  void SetTimerTrigger(std::uint16_t handle, std::int32_t ticks, bool activate);

  void SetOnTriggerAvail(TTriggerAvailEvent handler);
  void SetOnTriggerTimer(TTriggerTimerEvent handler);

  // Line settings and options, applied at the next open. The line is the
  // instrument's unless told otherwise: it is the only line the program
  // speaks.
  TLineSettings Line;
  std::uint16_t InSize = 4096;
  std::uint16_t OutSize = 4096;
  bool AutoOpen = true;
  bool PromptForPort = true;
  bool DTR = true;
  bool RTS = true;
  std::uint8_t HWFlowOptions = 0;
  std::uint16_t TriggerLength = 1;

 private:
  void TriggerAvail(TApdBaseDispatcher& dispatcher, std::uint16_t count) override;
  void TriggerTimer(TApdBaseDispatcher& dispatcher, std::uint16_t handle) override;
  void HandlerFailed(std::exception_ptr error) noexcept override;

  void InitPort();
  void ValidateComNumber();
  void OpenDispatcher();
  void DonePort();
  void FinishClose();
  TApdWin32Dispatcher& RequireDispatcher();
  void UpdateHandlerFlags();
  std::uint8_t LineFlags() const;

  std::uint16_t fComNumber = 0;
  bool fOpen = false;
  TPortState fPortState = TPortState::psClosed;
  bool fCopyTriggers = false;
  TTriggerSave fSaveTriggerBuffer;
  TLineTrace fTrace;
  std::unique_ptr<TApdWin32Dispatcher> fDispatcher;
  TApdNotifyReceiver* fComWindow = nullptr;
  TTriggerAvailEvent fOnTriggerAvail;
  TTriggerTimerEvent fOnTriggerTimer;
};

}  // namespace orvane::serial
