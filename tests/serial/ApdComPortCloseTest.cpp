#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <vector>

#include "ComPortFixture.h"
#include "PortFixture.h"

namespace orvane::serial::test {
namespace {

using ApdComPortCloseTest = TComPortFixture;

std::size_t Entries(const char* dir) {
  const std::filesystem::directory_iterator entries(dir);
  return static_cast<std::size_t>(std::distance(begin(entries), end(entries)));
}

// The splash's timer handler when the operator picks another port: close,
// new number, open, re-arm, identify twice, all inside the handler. Once at
// once, once with the dialog up past the time the delivery is waited for.
TEST_F(ApdComPortCloseTest, TheSplashReopensOnAnotherPortInsideItsTimerHandler) {
  for (const int dialogMs : {0, 3500}) {
    SCOPED_TRACE(dialogMs);
    int fired = 0;
    Port.SetOnTriggerTimer([&](TApdComPort& cp, std::uint16_t handle) {
      if (++fired > 1) return;
      if (dialogMs > 0) RunFor(dialogMs);
      cp.SetOpen(false);
      EXPECT_FALSE(cp.Open());
      EXPECT_EQ(cp.PortState(), TPortState::psClosed);
      cp.SetComNumber(10);
      if (!cp.Open()) cp.SetOpen(true);
      cp.SetTimerTrigger(handle, 2, true);
      cp.PutString("?I\r");
      cp.PutString("?I\r");
    });
    OpenOn(3);
    Port.SetTimerTrigger(Port.AddTimerTrigger(), 1, true);
    ASSERT_TRUE(RunUntil([&] { return fired == 2; }, dialogMs + 3000)) << "fired " << fired;
    EXPECT_EQ(PtyB.Read(6), "?I\r?I\r");
    EXPECT_TRUE(Port.Open());
    Port.SetOpen(false);
  }
}

// A window that owns its port and a reply buffer; the buffer is destroyed
// before the port, as members go in reverse order.
struct TReplyWindow {
  explicit TReplyWindow(int& handled) {
    ConfigureAsTheWindowsDo(Port);
    Reply.reserve(64);
    Port.SetOnTriggerAvail([this, &handled](TApdComPort& cp, std::uint16_t count) {
      ++handled;
      for (int i = 0; i < count; ++i) Reply.push_back(static_cast<char>(cp.GetChar()));
    });
  }
  TApdComPort Port;
  std::vector<char> Reply;
};

TEST_F(ApdComPortCloseTest, AWindowGoneWithAReplyInFlightNeverHearsOfIt) {
  for (const bool closedFirst : {false, true}) {
    SCOPED_TRACE(closedFirst ? "closed, then destroyed" : "destroyed");
    int handled = 0;
    auto window = std::make_unique<TReplyWindow>(handled);
    window->Port.SetComNumber(3);
    window->Port.SetOpen(true);
    PtyA.Write("0064,I01\r");
    LetADeliveryBePosted();
    if (closedFirst) window->Port.SetOpen(false);
    window.reset();
    RunFor(200);
    EXPECT_EQ(handled, 0);
  }
}

// 750 cycles from the test, then 250 from inside the data handler, each
// reopened port woken by a byte the handler sends its way.
TEST_F(ApdComPortCloseTest, AThousandCyclesLeaveNoDescriptorOrThreadBehind) {
  OpenOn(3);
  Port.SetOpen(false);
  RunFor(50);
  const std::size_t fds = Entries("/proc/self/fd");
  const std::size_t threads = Entries("/proc/self/task");
  for (int i = 0; i < 750; ++i) {
    Port.SetOpen(true);
    Port.SetOpen(false);
  }
  int inside = 0;
  Port.SetOnTriggerAvail([&](TApdComPort& cp, std::uint16_t) {
    cp.SetOpen(false);
    cp.SetOpen(true);
    if (++inside < 250) PtyA.Write("x");
  });
  Port.SetOpen(true);
  PtyA.Write("x");
  ASSERT_TRUE(RunUntil([&] { return inside == 250; }, 60000)) << inside << " cycles";
  Port.SetOpen(false);
  RunFor(50);
  EXPECT_EQ(Entries("/proc/self/fd"), fds);
  EXPECT_EQ(Entries("/proc/self/task"), threads);
}

}  // namespace
}  // namespace orvane::serial::test
