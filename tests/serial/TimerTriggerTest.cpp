#include <chrono>

#include "PortFixture.h"

namespace orvane::serial::test {
namespace {

using Clock = std::chrono::steady_clock;
using TimerTriggerTest = TPortFixture;

TEST_F(TimerTriggerTest, ArmedFor36TicksFiresOnceInItsWindow) {
  const int handle = Port->AddTimerTrigger();
  ASSERT_EQ(handle, 8);
  Clock::time_point firedAt;
  Owner.OnTimer = [&](TApdBaseDispatcher&, std::uint16_t) { firedAt = Clock::now(); };
  const auto armedAt = Clock::now();
  ASSERT_EQ(Port->SetTimerTrigger(handle, 36, true), ecOK);
  ASSERT_TRUE(RunUntil([&] { return !Owner.TimerHandles.empty(); }, 4000));
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(firedAt - armedAt).count();
  EXPECT_GE(ms, 36 * 55);
  EXPECT_LE(ms, 37 * 55 + 50);
  RunFor(300);
  EXPECT_EQ(Owner.TimerHandles, std::vector<std::uint16_t>{8}) << "fires once per arming";
}

TEST_F(TimerTriggerTest, TwoExpiringTogetherArriveInCreationOrder) {
  const int first = Port->AddTimerTrigger();
  const int second = Port->AddTimerTrigger();
  EXPECT_EQ(second, 16);
  // Armed in reverse order so that only creation order can explain the result.
  ASSERT_EQ(Port->SetTimerTrigger(second, 1, true), ecOK);
  ASSERT_EQ(Port->SetTimerTrigger(first, 1, true), ecOK);
  ASSERT_TRUE(RunUntil([&] { return Owner.TimerHandles.size() == 2; }));
  EXPECT_EQ(Owner.TimerHandles, (std::vector<std::uint16_t>{8, 16}));
}

TEST_F(TimerTriggerTest, DisarmedOrUnknownTriggers) {
  const int handle = Port->AddTimerTrigger();
  ASSERT_EQ(Port->SetTimerTrigger(handle, 1, true), ecOK);
  ASSERT_EQ(Port->SetTimerTrigger(handle, 0, false), ecOK);
  RunFor(200);
  EXPECT_TRUE(Owner.TimerHandles.empty());
  EXPECT_EQ(Port->SetTimerTrigger(handle + 8, 1, true), ecBadTriggerHandle);
  // Ticks 0 re-arms with the interval it had.
  ASSERT_EQ(Port->SetTimerTrigger(handle, 0, true), ecOK);
  ASSERT_TRUE(RunUntil([&] { return Owner.TimerHandles.size() == 1; }));
}

TEST_F(TimerTriggerTest, SaveAndRestoreKeepHandlesAndArmedState) {
  const int idle = Port->AddTimerTrigger();
  const int armed = Port->AddTimerTrigger();
  ASSERT_EQ(Port->SetTimerTrigger(armed, 3, true), ecOK);
  Port->ChangeLengthTrigger(5);
  TTriggerSave save;
  Port->SaveTriggers(save);
  Port->DonePort();
  Port.reset();

  Port = std::make_unique<TApdWin32Dispatcher>(&Owner);
  ASSERT_EQ(Port->InitPort(Pty.SlavePath(), {}, 4096, 4096, lfRaiseDTR), ecOK)
      << Port->LastOpenError().Text;
  Port->UpdateHandlerFlags(1);
  Port->RegisterWndTriggerHandler(&Receiver);
  Port->RestoreTriggers(save);
  ASSERT_TRUE(RunUntil([&] { return !Owner.TimerHandles.empty(); }));
  EXPECT_EQ(Owner.TimerHandles, std::vector<std::uint16_t>{static_cast<std::uint16_t>(armed)});
  EXPECT_EQ(Port->SetTimerTrigger(idle, 1, false), ecOK) << "the idle handle still names it";
  // The handle counter restarts with the open but never hands out a
  // restored handle a second time.
  const int added = Port->AddTimerTrigger();
  EXPECT_NE(added, idle);
  EXPECT_NE(added, armed);
  Pty.Write("1234");
  RunFor(150);
  EXPECT_TRUE(Owner.AvailCounts.empty()) << "length trigger 5 came back too";
}

TEST(TimerExpiryTest, ExpiresAfterItsIntervalAlsoAcrossAClockWrap) {
  TTimerTrigger t{8, 100, 136, 36, true};
  EXPECT_FALSE(TimerExpired(136, t));
  EXPECT_TRUE(TimerExpired(137, t));
  EXPECT_EQ(MsUntilDue(136 * kTickMs, t), kTickMs);
  EXPECT_EQ(MsUntilDue(137 * kTickMs, t), 0u);
  // Armed two ticks before the millisecond clock wraps to 0.
  const std::uint32_t lastTick = TickOf(UINT32_MAX);
  TTimerTrigger wrapped{8, lastTick - 2, lastTick + 34, 36, true};
  EXPECT_FALSE(TimerExpired(lastTick, wrapped));
  EXPECT_FALSE(TimerExpired(33, wrapped));
  EXPECT_TRUE(TimerExpired(34, wrapped));
  EXPECT_EQ(MsUntilDue(33 * kTickMs, wrapped), kTickMs);
}

}  // namespace
}  // namespace orvane::serial::test
