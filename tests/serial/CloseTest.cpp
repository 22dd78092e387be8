#include <chrono>
#include <thread>

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
