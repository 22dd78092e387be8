#include <QCoreApplication>
#include <QThread>
#include <chrono>
#include <random>
#include <stdexcept>
#include <thread>

#include "PortFixture.h"

namespace orvane::serial::test {
namespace {

using DataAvailableTest = TPortFixture;

TEST_F(DataAvailableTest, BytesArriveOnTheUiThreadWithTheirCount) {
  bool onUiThread = false;
  Owner.OnAvail = [&](TApdBaseDispatcher& d, std::uint16_t count) {
    onUiThread = QThread::currentThread() == QCoreApplication::instance()->thread();
    EXPECT_EQ(d.InBuffUsed(), count);
    Owner.ReadSome(d, count);
    std::uint8_t extra = 0;
    EXPECT_EQ(d.GetChar(extra), ecBufferIsEmpty);
  };
  Pty.Write("0123,A00\r");
  ASSERT_TRUE(RunUntil([&] { return Owner.Received.size() == 9; }));
  EXPECT_TRUE(onUiThread);
  EXPECT_EQ(Owner.Received, "0123,A00\r");
  int total = 0;
  for (auto c : Owner.AvailCounts) total += c;
  EXPECT_EQ(total, 9);
}

TEST_F(DataAvailableTest, UnreadRestWaitsForOneMoreByte) {
  Owner.OnAvail = [&](TApdBaseDispatcher& d, std::uint16_t) { Owner.ReadSome(d, 2); };
  Pty.Write("abcde");
  ASSERT_TRUE(RunUntil([&] { return Owner.Received.size() >= 2; }));
  RunFor(150);
  ASSERT_EQ(Owner.AvailCounts.size(), 1u) << "no event without a new byte";
  EXPECT_EQ(Owner.AvailCounts[0], 5);
  EXPECT_EQ(Port->InBuffUsed(), 3);

  Owner.OnAvail = nullptr;
  Pty.Write("f");
  ASSERT_TRUE(RunUntil([&] { return Owner.AvailCounts.size() == 2; }));
  EXPECT_EQ(Owner.AvailCounts[1], 4);
  EXPECT_EQ(Owner.Received, "abcdef");
}

TEST_F(DataAvailableTest, NoEventWhileTheLengthTriggerIsOff) {
  Port->ChangeLengthTrigger(0);
  Pty.Write("xy");
  RunFor(150);
  EXPECT_TRUE(Owner.AvailCounts.empty());
  Port->ChangeLengthTrigger(1);
  Pty.Write("z");
  ASSERT_TRUE(RunUntil([&] { return Owner.Received == "xyz"; }));
  EXPECT_EQ(Owner.AvailCounts.back(), 3);
}

// A full dispatch ring holds input back in the queue; a handler that
// empties the ring every time must still see every byte once, in order.
TEST_F(DataAvailableTest, OneMebibyteInRandomChunksArrivesWhole) {
  constexpr std::size_t kSize = 1 << 20;
  std::mt19937 random(20261209);
  std::vector<unsigned char> sent(kSize);
  for (auto& b : sent) b = static_cast<unsigned char>(random());
  std::thread writer([&] {
    std::mt19937 sizes(7);
    for (std::size_t done = 0; done < kSize;) {
      const std::size_t n = std::min<std::size_t>(1 + sizes() % 3000, kSize - done);
      Pty.Write(std::span(sent.data() + done, n));
      done += n;
    }
  });
  const bool complete = RunUntil([&] { return Owner.Received.size() >= kSize; }, 20000);
  writer.join();
  ASSERT_TRUE(complete) << Owner.Received.size() << " bytes arrived";
  EXPECT_EQ(Owner.Received.size(), kSize);
  EXPECT_TRUE(std::equal(sent.begin(), sent.end(),
                         reinterpret_cast<const unsigned char*>(Owner.Received.data())));
}

// The dispatcher thread is held in a timer delivery while more than a ring's
// worth of input queues up; it then fills the ring exactly round, back to
// where the last event left it. That is still new input and must be told.
TEST_F(DataAvailableTest, ARingFilledExactlyRoundStillRaisesAnEvent) {
  Pty.Write("a");
  ASSERT_TRUE(RunUntil([&] { return Owner.Received == "a"; }));
  ASSERT_EQ(Port->SetTimerTrigger(Port->AddTimerTrigger(), 0, true), ecOK);
  std::this_thread::sleep_for(std::chrono::milliseconds(150));
  const std::string burst(9000, 'b');
  Pty.Write(burst);
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  ASSERT_TRUE(RunUntil([&] { return Owner.Received.size() == 1 + burst.size(); }));
  ASSERT_GE(Owner.AvailCounts.size(), 2u);
  EXPECT_EQ(Owner.AvailCounts[1], TApdBaseDispatcher::kDispatchBufSize);
}

TEST_F(DataAvailableTest, AThrowingHandlerStopsAtTheReceiver) {
  Owner.OnAvail = [](TApdBaseDispatcher&, std::uint16_t) { throw std::runtime_error("boom"); };
  Pty.Write("1");
  ASSERT_TRUE(RunUntil([&] { return Owner.Failures == 1; }));
  Owner.OnAvail = nullptr;
  Pty.Write("2");
  ASSERT_TRUE(RunUntil([&] { return Owner.Received == "12"; })) << "the port carries on";
}

TEST_F(DataAvailableTest, GetCharOutsideAnEventTakesFromTheRing) {
  Owner.OnAvail = [](TApdBaseDispatcher&, std::uint16_t) {};
  Pty.Write("pq");
  ASSERT_TRUE(RunUntil([&] { return !Owner.AvailCounts.empty(); }));
  std::uint8_t byte = 0;
  ASSERT_EQ(Port->GetChar(byte), ecOK);
  EXPECT_EQ(byte, 'p');
  ASSERT_EQ(Port->GetChar(byte), ecOK);
  EXPECT_EQ(byte, 'q');
  EXPECT_EQ(Port->GetChar(byte), ecBufferIsEmpty);
}

}  // namespace
}  // namespace orvane::serial::test
