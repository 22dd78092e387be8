#include "serial/Win32Dispatcher.h"

#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <system_error>

#include "serial/DispatcherThread.h"
#include "serial/ReadThread.h"
#include "serial/SerialDevice.h"
#include "serial/StatusThread.h"
#include "serial/WriteThread.h"

namespace orvane::serial {

namespace {

constexpr int kFlushAckMs = 5000;

}  // namespace

TApdWin32Dispatcher::TApdWin32Dispatcher(TApdDispatcherOwner* owner) : TApdBaseDispatcher(owner) {}

TApdWin32Dispatcher::~TApdWin32Dispatcher() { DonePortPrim(); }

int TApdWin32Dispatcher::InitPort(const std::string& device, const TLineSettings& line, int inSize,
                                  int outSize, std::uint8_t lineFlags) {
  if (PortOpen() || DispActive()) return ecAlreadyOpen;
  try {
    fEvents = std::make_unique<TWorkerEvents>();
  } catch (const std::system_error& e) {
    fLastOpenError = SystemError(e.code().value(), device, "eventfd");
    return fLastOpenError.Code;
  }
  PrepareOpen(device, outSize);
  if (OpenCom(device, inSize, outSize) < 0) {
    DonePort();
    return fLastOpenError.Code;
  }
  if ((lineFlags & lfAutoDTR) == 0) SetDtr((lineFlags & lfRaiseDTR) != 0);
  if ((lineFlags & lfAutoRTS) == 0) SetRts((lineFlags & lfRaiseRTS) != 0);
  if (const int rc = SetLine(line); rc < 0) {
    DonePort();
    return rc;
  }
  return StartDispatcher();
}

int TApdWin32Dispatcher::OpenCom(const std::string& device, int, int) {
  TSerialError error;
  const int fd = OpenSerialDevice(device, error);
  if (fd < 0) {
    fLastOpenError = error;
    return error.Code;
  }
  fFd = fd;
  SetPortOpen(true);
  return fd;
}

int TApdWin32Dispatcher::SetLine(const TLineSettings& line) {
  if (fFd < 0) return ecNotOpen;
  const TSerialError error = ApplyLineSettings(fFd, DeviceName(), line);
  if (error.Code < 0) {
    fLastOpenError = error;
    return error.Code;
  }
  DriveRememberedLines();
  return ecOK;
}

bool TApdWin32Dispatcher::CheckDSR() { return fFd >= 0 && ReadDsr(fFd); }

void TApdWin32Dispatcher::EscapeComFunction(TEscapeFunction function) {
  if (fFd < 0) return;
  const bool dtr = function == TEscapeFunction::SetDtr || function == TEscapeFunction::ClrDtr;
  const bool on = function == TEscapeFunction::SetDtr || function == TEscapeFunction::SetRts;
  DriveModemLine(fFd, dtr ? TIOCM_DTR : TIOCM_RTS, on);
}

int TApdWin32Dispatcher::StartDispatcher() {
  fDispActive = true;
  fKillThreads = false;
  TWorkerHost& host = *this;
  fThreads.push_back(std::make_unique<TReadThread>(host));
  fThreads.push_back(std::make_unique<TDispThread>(host));
  fThreads.push_back(std::make_unique<TWriteThread>(host));
  fThreads.push_back(std::make_unique<TStatusThread>(host));
  for (auto& thread : fThreads) {
    {
      std::lock_guard lock(fThreadsLock);
      ++fActiveThreads;
    }
    try {
      thread->Start();
    } catch (const std::system_error& e) {
      WorkerEnded(0);
      fLastOpenError = SystemError(e.code().value(), DeviceName(), "thread");
      DonePort();
      return fLastOpenError.Code;
    }
  }
  return ecOK;
}

void TApdWin32Dispatcher::CloseCom() {
  if (fCloseComActive) return;
  fCloseComActive = true;
  if (!fThreads.empty()) StopThreads();
  if (fFd >= 0) CloseSerialDevice(fFd);
  fFd = -1;
  SetPortOpen(false);
  fCloseComActive = false;
}

void TApdWin32Dispatcher::StopAll() {
  StopWorkers();
  if (fEvents) fEvents->Stop.Signal();
}

// Every worker wait ends on the stop event and the dispatcher thread's
// delivery has been given up, so the joins take no longer than the workers
// need to notice.
void TApdWin32Dispatcher::StopThreads() {
  StopAll();
  for (auto& thread : fThreads) thread->Join();
  fThreads.clear();
}

// Any failure of a worker, a lack of memory included, leaves the device
// without its workers: nothing drains the output ring any more.
void TApdWin32Dispatcher::WorkerEnded(int endCode) {
  if (endCode < 0) fLastError = -1;
  std::lock_guard lock(fThreadsLock);
  if (--fActiveThreads == 0) fDispActive = false;
}

int TApdWin32Dispatcher::FailDevice(int endCode, int err) {
  fLastWinError = err;
  StopAll();
  return endCode;
}

void TApdWin32Dispatcher::FlushOutDevice() {
  if (fFd < 0) return;
  if (fEvents && DispActive() && !fKillThreads) {
    fEvents->General.Consume();
    fEvents->Flush.Signal();
    fEvents->General.WaitFor(kFlushAckMs);
  }
  tcflush(fFd, TCOFLUSH);
}

void TApdWin32Dispatcher::FlushInDevice() {
  if (fFd >= 0) tcflush(fFd, TCIFLUSH);
}

void TApdWin32Dispatcher::OutputQueued() {
  if (fEvents) fEvents->Output.Signal();
}

void TApdWin32Dispatcher::ReleaseEvents() { fEvents.reset(); }

}  // namespace orvane::serial
