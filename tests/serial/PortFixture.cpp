#include "PortFixture.h"

#include <QEventLoop>
#include <QTimer>
#include <chrono>
#include <thread>

namespace orvane::serial::test {

void TRecordingOwner::TriggerAvail(TApdBaseDispatcher& d, std::uint16_t count) {
  AvailCounts.push_back(count);
  if (OnAvail) {
    OnAvail(d, count);
  } else {
    ReadSome(d, count);
  }
}

void TRecordingOwner::TriggerTimer(TApdBaseDispatcher& d, std::uint16_t handle) {
  TimerHandles.push_back(handle);
  if (OnTimer) OnTimer(d, handle);
}

int TRecordingOwner::ReadSome(TApdBaseDispatcher& d, int n) {
  int got = 0;
  std::uint8_t byte = 0;
  while (got < n && d.GetChar(byte) == ecOK) {
    Received.push_back(static_cast<char>(byte));
    ++got;
  }
  return got;
}

bool RunUntil(const std::function<bool()>& done, int ms) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
  QEventLoop loop;
  QTimer check;
  QObject::connect(&check, &QTimer::timeout, [&] {
    if (done() || std::chrono::steady_clock::now() >= deadline) loop.quit();
  });
  check.start(1);
  if (!done()) loop.exec();
  return done();
}

void RunFor(int ms) {
  QEventLoop loop;
  QTimer::singleShot(ms, &loop, &QEventLoop::quit);
  loop.exec();
}

void LetADeliveryBePosted() { std::this_thread::sleep_for(std::chrono::milliseconds(150)); }

void TPortFixture::SetUp() {
  Port = std::make_unique<TApdWin32Dispatcher>(&Owner);
  ASSERT_EQ(Port->InitPort(Pty.SlavePath(), TLineSettings{}, 4096, 4096, lfRaiseDTR), ecOK)
      << Port->LastOpenError().Text;
  Port->UpdateHandlerFlags(1);
  Port->RegisterWndTriggerHandler(&Receiver);
  Port->ChangeLengthTrigger(1);
}

void TPortFixture::TearDown() {
  if (Port) Port->DonePort();
  Port.reset();
}

}  // namespace orvane::serial::test
