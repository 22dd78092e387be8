#include <chrono>
#include <thread>
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

// The handler closes its own port, as the splash does from its timer: the
// close returns at once, the rings outlive the handler, and the deferred
// close finishes the job after the handler has returned.
TEST_F(CloseTest, ClosingFromInsideAHandlerTakesTheClosePendingPath) {
  long closeMs = -1;
  bool readAfterClose = true;
  Owner.OnAvail = [&](TApdBaseDispatcher& d, std::uint16_t) {
    const auto start = Clock::now();
    d.DonePort();
    closeMs = MsSince(start);
    EXPECT_TRUE(d.ClosePending());
    std::uint8_t byte = 0;
    readAfterClose = d.GetChar(byte) == ecOK;
    Receiver.PostClosePending(d);
  };
  Owner.OnDeferredClose = [&](TApdBaseDispatcher& d) {
    EXPECT_EQ(d.HandlerDepth(), 0);
    Port.reset();
  };
  Pty.Write("?I\r");
  ASSERT_TRUE(RunUntil([&] { return Owner.DeferredCloses == 1; }));
  EXPECT_LT(closeMs, 500);
  EXPECT_FALSE(readAfterClose) << "a close discards unread input";
  EXPECT_EQ(Port, nullptr);
  EXPECT_EQ(Owner.AvailCounts.size(), 1u);
}

// A close while the dispatcher thread waits for a delivery the UI thread
// has not handled yet: the close handles it while it waits for the workers.
TEST_F(CloseTest, ClosingWhileADeliveryWaitsDoesNotDeadlock) {
  const int handle = Port->AddTimerTrigger();
  ASSERT_EQ(Port->SetTimerTrigger(handle, 0, true), ecOK);
  // Give the trigger time to fire without running the event loop.
  std::this_thread::sleep_for(std::chrono::milliseconds(150));
  const auto start = Clock::now();
  Port->DonePort();
  EXPECT_LT(MsSince(start), 1000);
  EXPECT_EQ(Owner.TimerHandles.size(), 1u);
  EXPECT_FALSE(Port->DispActive());
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
