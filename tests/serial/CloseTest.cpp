#include <QCoreApplication>
#include <QTimer>
#include <chrono>
#include <vector>

#include "PortFixture.h"

namespace orvane::serial::test {
namespace {

using Clock = std::chrono::steady_clock;
using CloseTest = TPortFixture;

long MsSince(Clock::time_point start) {
  return static_cast<long>(
      std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count());
}

// The handler closes its own port and destroys it, as the component does
// when the splash picks another port from its timer handler: the close
// finishes there and then, and what the handler's caller stands on holds.
TEST_F(CloseTest, ClosingFromInsideAHandlerFinishesThereAndThen) {
  long closeMs = -1;
  bool readAfterClose = true;
  Owner.OnAvail = [&](TApdBaseDispatcher& d, std::uint16_t) {
    const auto start = Clock::now();
    d.DonePort();
    closeMs = MsSince(start);
    EXPECT_FALSE(d.DispActive());
    std::uint8_t byte = 0;
    readAfterClose = d.GetChar(byte) == ecOK;
    Port.reset();
  };
  Pty.Write("?I\r");
  ASSERT_TRUE(RunUntil([&] { return Port == nullptr; }));
  EXPECT_LT(closeMs, 1000);
  EXPECT_FALSE(readAfterClose) << "a close discards unread input";
  RunFor(100);
  EXPECT_EQ(Owner.AvailCounts.size(), 1u);
}

// The dispatcher thread waits for a delivery the UI thread has not handled
// yet: the close gives it up, and its handler never runs, now or later.
TEST_F(CloseTest, ClosingGivesUpADeliveryStillWaiting) {
  const int handle = Port->AddTimerTrigger();
  ASSERT_EQ(Port->SetTimerTrigger(handle, 0, true), ecOK);
  LetADeliveryBePosted();
  const auto start = Clock::now();
  Port->DonePort();
  EXPECT_LT(MsSince(start), 1000);
  EXPECT_FALSE(Port->DispActive());
  RunFor(100);
  EXPECT_TRUE(Owner.TimerHandles.empty());
}

// Once the application has been told to quit, a nested event loop returns
// at once; a close must not rely on one to let its workers go.
TEST_F(CloseTest, AfterTheApplicationWasToldToQuitACloseStillTakesMilliseconds) {
  long closeMs = -1;
  QTimer::singleShot(0, &Receiver, [&] {
    Pty.Write("?I\r");
    LetADeliveryBePosted();
    QCoreApplication::exit(0);
    const auto start = Clock::now();
    Port->DonePort();
    closeMs = MsSince(start);
  });
  QCoreApplication::exec();
  ASSERT_GE(closeMs, 0);
  EXPECT_LT(closeMs, 1000) << "well under the 3 s a delivery may be waited for";
  EXPECT_TRUE(Owner.AvailCounts.empty());
}

// Nobody reads the other end, so the writer ends up waiting for room in the
// driver with the output ring full behind it; the close must not wait for
// the line and the rest of the output is discarded.
TEST_F(CloseTest, ClosingWithTheWriterStuckOnAFullLineDiscardsTheRest) {
  const std::vector<std::uint8_t> block(4096, 'w');
  std::size_t queued = 0;
  for (int i = 0; i < 200; ++i) {
    if (Port->PutBlock(block) == ecOK) queued += block.size();
    if (Port->OutBuffUsed() == 4096) break;
    RunFor(5);
  }
  ASSERT_EQ(Port->OutBuffUsed(), 4096) << "the writer never got stuck";
  EXPECT_EQ(Port->PutBlock(std::span(block.data(), 1)), ecOutputBufferTooSmall);
  const auto start = Clock::now();
  Port->DonePort();
  EXPECT_LT(MsSince(start), 1000);
  EXPECT_LT(Pty.Read(queued, 200).size(), queued);
}

TEST_F(CloseTest, UnplugStopsTheWorkersSilently) {
  Pty.Write("a");
  ASSERT_TRUE(RunUntil([&] { return Owner.Received == "a"; }));
  const int handle = Port->AddTimerTrigger();
  ASSERT_EQ(Port->SetTimerTrigger(handle, 2, true), ecOK);
  Pty.CloseMaster();
  ASSERT_TRUE(RunUntil([&] { return !Port->DispActive(); }));
  EXPECT_TRUE(Port->DeviceFailed());
  EXPECT_EQ(Port->LastWinError(), EIO);
  RunFor(300);
  EXPECT_TRUE(Owner.TimerHandles.empty()) << "no events after the unplug";
  EXPECT_EQ(Owner.AvailCounts.size(), 1u);
  const std::uint8_t byte = 'x';
  EXPECT_EQ(Port->PutBlock(std::span(&byte, 1)), ecDeviceWrite);
  EXPECT_FALSE(Port->CheckDSR());
}

}  // namespace
}  // namespace orvane::serial::test
