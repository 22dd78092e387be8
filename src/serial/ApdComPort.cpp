#include "serial/ApdComPort.h"

#include <QString>

#include "serial/ApdExceptions.h"
#include "serial/ComSelectForm.h"
#include "serial/DeviceHolder.h"
#include "serial/NotifyReceiver.h"
#include "serial/PortNames.h"
#include "serial/Win32Dispatcher.h"
#include "widgets/TErrorGuard.h"

namespace orvane::serial {

TApdComPort::TApdComPort() = default;

TApdComPort::~TApdComPort() {
  try {
    if (fPortState == TPortState::psOpen) DonePort();
  } catch (...) {
    // A destructor cannot report; the port is released below whatever happened.
  }
  if (fDispatcher) FinishClose();
}

void TApdComPort::SetComNumber(std::uint16_t number) {
  if (number == fComNumber) return;
  if (fPortState != TPortState::psOpen) {
    fComNumber = number;
    return;
  }
  TTriggerSave saved;
  fDispatcher->SaveTriggers(saved);
  SetOpen(false);
  fComNumber = number;
  SetOpen(true);
  if (fDispatcher) fDispatcher->RestoreTriggers(saved);
}

void TApdComPort::SetOpen(bool open) {
  if (open == fOpen) return;
  if (!open) {
    DonePort();
  } else if (fPortState == TPortState::psClosed) {
    InitPort();
  }
}

bool TApdComPort::DSR() const {
  return fPortState == TPortState::psOpen && fDispatcher->CheckDSR();
}

const TApdBaseDispatcher* TApdComPort::Dispatcher() const { return fDispatcher.get(); }

void TApdComPort::PutString(const std::string& text) {
  if (fPortState == TPortState::psShuttingDown) return;
  TApdWin32Dispatcher& dispatcher = RequireDispatcher();
  if (text.empty()) return;
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
  const int result = dispatcher.PutBlock({bytes, text.size()});
  fTrace.Sent(fComNumber, text, result >= 0);
  CheckException(result);
}

std::uint8_t TApdComPort::GetChar() {
  if (fPortState == TPortState::psShuttingDown) return 0;
  std::uint8_t byte = 0;
  CheckException(RequireDispatcher().GetChar(byte));
  fTrace.Received(fComNumber, byte);
  return byte;
}

std::uint16_t TApdComPort::AddTimerTrigger() {
  if (fPortState == TPortState::psShuttingDown) return 0;
  return static_cast<std::uint16_t>(CheckException(RequireDispatcher().AddTimerTrigger()));
}

void TApdComPort::SetTimerTrigger(std::uint16_t handle, std::int32_t ticks, bool activate) {
  if (fPortState == TPortState::psShuttingDown) return;
  CheckException(RequireDispatcher().SetTimerTrigger(handle, ticks, activate));
}

void TApdComPort::SetOnTriggerAvail(TTriggerAvailEvent handler) {
  fOnTriggerAvail = std::move(handler);
  UpdateHandlerFlags();
}

void TApdComPort::SetOnTriggerTimer(TTriggerTimerEvent handler) {
  fOnTriggerTimer = std::move(handler);
  UpdateHandlerFlags();
}

void TApdComPort::TriggerAvail(TApdBaseDispatcher&, std::uint16_t count) {
  if (fOnTriggerAvail) fOnTriggerAvail(*this, count);
}

void TApdComPort::TriggerTimer(TApdBaseDispatcher&, std::uint16_t handle) {
  if (fOnTriggerTimer) fOnTriggerTimer(*this, handle);
}

void TApdComPort::HandlerFailed(std::exception_ptr error) noexcept {
  widgets::TErrorGuard::Run([&] { std::rethrow_exception(error); });
}

void TApdComPort::InitPort() {
  ValidateComNumber();
  try {
    OpenDispatcher();
  } catch (...) {
    fOpen = false;
    fPortState = TPortState::psClosed;
    fDispatcher.reset();
    delete fComWindow;
    fComWindow = nullptr;
    throw;
  }
}

// Port 0 means none is chosen: the operator is asked, unless prompting is off.
void TApdComPort::ValidateComNumber() {
  if (fComNumber != 0) return;
  if (!PromptForPort) CheckException(ecNoPortSelected);
  const std::optional<std::uint16_t> chosen = AskPortNumber();
  if (!chosen) CheckException(ecNoPortSelected);
  SetComNumber(*chosen);
}

void TApdComPort::OpenDispatcher() {
  fDispatcher = std::make_unique<TApdWin32Dispatcher>(this);
  const auto device = PortDevicePath(fComNumber, PortMapFile());
  if (!device) CheckException(ecBadId);
  int result = fDispatcher->InitPort(*device, Line, InSize, OutSize, LineFlags());
  std::string detail = fDispatcher->LastOpenError().Text;
  // The operator is told who holds the line, which only a refused open
  // spends the look through the running processes on.
  if (result == ecAccessDenied) {
    result = ecAlreadyOpen;
    detail = InUseText(*device, FindDeviceHolder(*device));
  }
  if (result == ecFileNotFound) result = ecBadId;
  CheckException(result, detail);
  fPortState = TPortState::psOpen;
  UpdateHandlerFlags();
  fDispatcher->ChangeLengthTrigger(TriggerLength);
  fDispatcher->SetDtr(DTR);
  fDispatcher->SetRts(RTS);
  fOpen = true;
  fComWindow = new TApdNotifyReceiver();
  fDispatcher->RegisterWndTriggerHandler(fComWindow);
  if (fCopyTriggers) {
    fCopyTriggers = false;
    fDispatcher->RestoreTriggers(fSaveTriggerBuffer);
  }
}

// Also from inside one of this port's handlers the close finishes here, so
// the handler can go on with the port (the splash reopens it on another
// number); the receiver the handler runs in is only deleted later.
void TApdComPort::DonePort() {
  if (fPortState != TPortState::psOpen) return;
  fPortState = TPortState::psShuttingDown;
  fTrace.Flush(fComNumber);
  fDispatcher->SaveTriggers(fSaveTriggerBuffer);
  fCopyTriggers = true;
  fDispatcher->DonePort();
  FinishClose();
}

void TApdComPort::FinishClose() {
  fDispatcher->DeregisterWndTriggerHandler(fComWindow);
  fDispatcher.reset();
  if (fComWindow != nullptr) fComWindow->deleteLater();
  fComWindow = nullptr;
  fPortState = TPortState::psClosed;
  fOpen = false;
}

TApdWin32Dispatcher& TApdComPort::RequireDispatcher() {
  if (!fDispatcher && AutoOpen) SetOpen(true);
  if (!fDispatcher) CheckException(ecNotOpen);
  return *fDispatcher;
}

void TApdComPort::UpdateHandlerFlags() {
  if (fPortState != TPortState::psOpen) return;
  fDispatcher->UpdateHandlerFlags(fOnTriggerAvail || fOnTriggerTimer ? 1 : 2);
}

std::uint8_t TApdComPort::LineFlags() const {
  std::uint8_t flags = 0;
  if (DTR) flags |= lfRaiseDTR;
  if (RTS) flags |= lfRaiseRTS;
  if (HWFlowOptions & hwfUseDTR) flags |= lfAutoDTR;
  if (HWFlowOptions & hwfUseRTS) flags |= lfAutoRTS;
  return flags;
}

}  // namespace orvane::serial
