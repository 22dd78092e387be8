#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <functional>
#include <random>
#include <string>
#include <thread>

#include "HeapUse.h"
#include "PanelRig.h"
#include "PortHolder.h"
#include "PtyPair.h"
#include "instrument/Protocol.h"
#include "trend/ReadingRing.h"
#include "widgets/TButton.h"
#include "widgets/TTrackBar.h"
#include "widgets/TVrUserLed.h"

namespace orvane::panel::test {
namespace {

using Texts = std::vector<QString>;
const QString kLost = "Lost Communication with Instrument";
const QString kNoSuchPort = "ie_BadId - Specified comport doesn't exist";

// 4 KiB of random bytes; a carriage return about one in fifty when asked for,
// else none.
std::string Noise(std::mt19937& random, bool withReturns) {
  std::string noise(4096, '\0');
  for (char& byte : noise) {
    byte = static_cast<char>(1 + random() % 255);
    if (byte == '\r' || (withReturns && random() % 50 == 0)) byte = withReturns ? '\r' : '\n';
  }
  return noise;
}

std::size_t Entries(const char* dir) {
  const std::filesystem::directory_iterator entries(dir);
  return static_cast<std::size_t>(std::distance(begin(entries), end(entries)));
}

// The instrument's line failing under the running window, as a lab sees it.
class MainWindowFaultTest : public PanelRig {
 protected:
  void Connect() {
    StartSim('B', 0);
    OpenWindow();
    ASSERT_TRUE(WaitConnected());
    ASSERT_TRUE(WaitStartSettled());
  }
  void Forget() {
    boxes.clear();
    errors.clear();
    portDialogs = 0;
  }
  // Unplugged while polling: the stream watchdog reports the lost link, and
  // the connect it starts cannot open the vanished device.
  void UnplugAndAwaitTheReport() {
    Control("unplug");
    ASSERT_TRUE(RunUntil([&] { return !errors.empty(); }, 8000)) << boxes.size() << " boxes";
    EXPECT_EQ(boxes, Texts{kLost});
    EXPECT_EQ(errors, Texts{kNoSuchPort});
    EXPECT_EQ(portDialogs, 1);
  }
  struct TFlood {
    std::size_t Written = 0;
    long HeapGrowth = 0;  // bytes, from the end of the first second to the end
  };
  // The trend keeps every accepted reading, taking a block at a time up to a
  // day's worth: memory meant to grow, within the ring's bound.
  long TrendBytes() const {
    return static_cast<long>(window->Trend().Readings().AllocatedBlocks() *
                             trend::TReadingRing::kBlockSize * sizeof(trend::TReading));
  }
  // Writes `next()` to the far end as fast as the panel takes it for 4 s
  // while the event loop runs; `meanwhile` after the first second.
  TFlood Flood(serial::test::TPtyPair& pty, const std::function<std::string()>& next,
               const std::function<void()>& meanwhile = {}) {
    std::atomic<bool> stop{false};
    std::atomic<bool> stopped{false};
    std::atomic<std::size_t> written{0};
    std::thread instrument([&] {
      while (!stop) {
        const std::string block = next();
        pty.Write(block);
        written += block.size();
      }
      stopped = true;
    });
    RunFor(1000);
    const auto heap = static_cast<long>(LiveHeapBytes()) - TrendBytes();
    if (meanwhile) meanwhile();
    RunFor(3000);
    const TFlood flood{written, static_cast<long>(LiveHeapBytes()) - TrendBytes() - heap};
    // A write may wait for the panel to read: the event loop runs meanwhile.
    stop = true;
    RunUntil([&] { return stopped.load(); }, 5000);
    instrument.join();
    return flood;
  }
  // The instrument answers the identify that Reset sends, whatever the panel
  // wrote before it.
  bool ResetIdentifies(serial::test::TPtyPair& pty) {
    RunFor(300);
    std::thread answer([&] {
      std::string seen;
      for (int i = 0; i < 50 && seen.find("?I\r") == std::string::npos; ++i) {
        seen += pty.Read(256, 100);
      }
      pty.Write(protocol::EncodeReplyFrame({0x0123, 'I', 0x00}));
    });
    C().BtnWakeInstrument->Click();  // returns once the search is over
    answer.join();
    return Link().IsModelB();
  }
  bool PollingGoesOn() {
    const std::size_t before = Received().size();
    return WaitReceived(before + 3, 4000);
  }
};

TEST_F(MainWindowFaultTest, ThreeUnplugsWhilePollingAreReportedAndResetLeavesNothingBehind) {
  Connect();
  const std::size_t fds = Entries("/proc/self/fd");
  const std::size_t threads = Entries("/proc/self/task");
  for (int round = 0; round < 3; ++round) {
    SCOPED_TRACE(round);
    Forget();
    UnplugAndAwaitTheReport();
    Control("plug");
    C().BtnWakeInstrument->click();
    ASSERT_TRUE(WaitConnected());
    ASSERT_TRUE(PollingGoesOn());
  }
  EXPECT_EQ(Entries("/proc/self/fd"), fds);
  EXPECT_EQ(Entries("/proc/self/task"), threads);
}

// Another program cannot take the line the panel holds; when it takes the
// line while the panel is cut off, Reset reports the port as in use and
// offers the others, until that program lets go.
TEST_F(MainWindowFaultTest, APortTakenByAnotherProgramIsReportedUntilItLetsGo) {
  Connect();
  EXPECT_THROW(serial::test::TPortHolder{LinkPath()}, std::runtime_error);
  ASSERT_TRUE(PollingGoesOn());
  UnplugAndAwaitTheReport();
  Control("plug");
  serial::test::TPortHolder other(LinkPath());
  Forget();
  C().BtnWakeInstrument->click();
  EXPECT_EQ(portDialogs, 1);
  EXPECT_EQ(errors, Texts{QString::fromStdString(LinkPath()) + " is in use by another program"});
  other.Release();
  C().BtnWakeInstrument->click();
  EXPECT_TRUE(WaitConnected());
  EXPECT_TRUE(PollingGoesOn());
}

// Valid replies as fast as the pty takes them: the panel keeps up without
// its memory growing, answers the operator meanwhile, and afterwards a
// Reset identifies the instrument as usual.
TEST_F(MainWindowFaultTest, AFloodOfRepliesAtFullPtySpeedNeitherGrowsMemoryNorWedgesThePanel) {
  serial::test::TPtyPair pty;
  MapPorts({{3, pty.SlavePath()}});
  OpenWindow();
  std::string block;
  for (int i = 0; i < 100; ++i) block += protocol::EncodeReplyFrame({0x0123, 'A', 0x14});
  const TFlood flood = Flood(pty, [&] { return block; }, [&] { C().tbPump1->SetPosition(77); });
  EXPECT_GT(flood.Written, 1u << 20) << "the flood was no flood";
  EXPECT_LT(flood.HeapGrowth, 2 << 20) << flood.Written << " bytes flooded";
  std::string fromPanel;
  for (std::string chunk; !(chunk = pty.Read(4096, 100)).empty();) fromPanel += chunk;
  EXPECT_NE(fromPanel.find("!J4D\r"), std::string::npos) << fromPanel;
  EXPECT_TRUE(errors.empty());
  EXPECT_TRUE(ResetIdentifies(pty));
}

// Random bytes with no carriage return ever, then with one now and then:
// nothing builds up however long a line without an end grows, and once the
// noise stops Reset identifies the instrument.
TEST_F(MainWindowFaultTest, LineNoiseAtFullPtySpeedNeitherGrowsMemoryNorWedgesThePanel) {
  serial::test::TPtyPair pty;
  MapPorts({{3, pty.SlavePath()}});
  OpenWindow();
  std::mt19937 random(20261212);
  for (const bool withReturns : {false, true}) {
    SCOPED_TRACE(withReturns ? "with carriage returns" : "without carriage returns");
    const TFlood flood = Flood(pty, [&] { return Noise(random, withReturns); });
    EXPECT_GT(flood.Written, 256u << 10) << "the noise was no flood";
    EXPECT_LT(flood.HeapGrowth, 1 << 20) << flood.Written << " bytes of noise";
  }
  EXPECT_TRUE(ResetIdentifies(pty));
}

}  // namespace
}  // namespace orvane::panel::test
