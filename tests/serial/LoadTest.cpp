#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "ComPortFixture.h"
#include "PortFixture.h"
#include "serial/ApdExceptions.h"

namespace orvane::serial::test {
namespace {

using namespace std::chrono_literals;

std::size_t Entries(const char* dir) {
  const std::filesystem::directory_iterator entries(dir);
  return static_cast<std::size_t>(std::distance(begin(entries), end(entries)));
}

// The port as the main window reads it: exactly the bytes each event
// offers, one GetChar at a time, each missing byte an error.
class LoadTest : public TComPortFixture {
 protected:
  void SetUp() override {
    TComPortFixture::SetUp();
    Port.SetOnTriggerAvail([this](TApdComPort& cp, std::uint16_t count) {
      try {
        for (std::uint16_t i = 0; i < count; ++i) received.push_back(static_cast<char>(cp.GetChar()));
      } catch (const EBufferIsEmpty&) {
        ++shortEvents;
      }
    });
  }

  std::string received;
  int shortEvents = 0;
};

// Record n of the stream: eight digits and a line feed.
std::string Record(long n) {
  char text[32];
  std::snprintf(text, sizeof text, "%08ld\n", n % 100000000);
  return text;
}

// What one open of the port received must be a stretch of the stream: whole
// records counting up by one, cut only at its two ends. Returns the first
// and last whole record, or -1 when the stretch held none.
std::pair<long, long> CheckStretch(const std::string& bytes) {
  const std::size_t first = bytes.find('\n');
  const std::size_t last = bytes.rfind('\n');
  if (first == std::string::npos || first == last) return {-1, -1};
  const long from = std::stol(bytes.substr(first + 1, 8));
  long n = from;
  for (std::size_t at = first + 1; at < last; at += 9, ++n) {
    EXPECT_EQ(bytes.substr(at, 9), Record(n)) << "at byte " << at;
  }
  EXPECT_TRUE(Record(from - 1).ends_with(bytes.substr(0, first + 1)));
  EXPECT_TRUE(Record(n).starts_with(bytes.substr(last + 1)));
  return {from, n - 1};
}

// The stream, each record whole: a write the closed line refuses is made again.
void WriteRecords(int fd, const std::atomic<bool>& stop) {
  for (long n = 0; !stop; ++n) {
    const std::string record = Record(n);
    for (std::size_t done = 0; done < record.size() && !stop;) {
      const ssize_t written = ::write(fd, record.data() + done, record.size() - done);
      if (written > 0) {
        done += static_cast<std::size_t>(written);
      } else {
        std::this_thread::sleep_for(1ms);
      }
    }
  }
}

// The operator's Reset and the splash close and reopen the port while the
// instrument talks: every reopen starts a fresh stretch, and no byte of an
// earlier one comes back, none is doubled or swapped, nothing is left open.
TEST_F(LoadTest, AHundredReopensWhileDataFlowsKeepEveryStretchInOrder) {
  OpenOn(3);
  Port.SetOpen(false);
  RunFor(50);
  const std::size_t fds = Entries("/proc/self/fd");
  const std::size_t threads = Entries("/proc/self/task");
  std::atomic<bool> stop{false};
  std::thread instrument([&] { WriteRecords(PtyA.MasterFd(), stop); });
  std::mt19937 random(20261210);
  std::vector<std::string> stretches;
  for (int cycle = 0; cycle < 100; ++cycle) {
    received.clear();
    Port.SetOpen(true);
    RunFor(static_cast<int>(2 + random() % 20));
    Port.SetOpen(false);
    stretches.push_back(received);
  }
  // The writer blocks on a full line while nobody reads: stop it with the port open.
  Port.SetOpen(true);
  stop = true;
  RunFor(100);
  instrument.join();
  Port.SetOpen(false);
  long previous = -1;
  int withRecords = 0;
  for (const std::string& stretch : stretches) {
    const auto [from, to] = CheckStretch(stretch);
    if (from < 0) continue;
    ++withRecords;
    EXPECT_GT(from, previous) << "a record came back after a reopen";
    previous = to;
  }
  EXPECT_GT(withRecords, 50);
  EXPECT_EQ(shortEvents, 0);
  RunFor(50);
  EXPECT_EQ(Entries("/proc/self/fd"), fds);
  EXPECT_EQ(Entries("/proc/self/task"), threads);
}

// The UI thread is held up (a slow handler, a busy machine) for just under
// the 3 s a delivery is waited for, while a mebibyte reaches the port.
TEST_F(LoadTest, AMebibyteArrivingWhileTheUiThreadStallsArrivesWholeAndInOrder) {
  OpenOn(3);
  constexpr std::size_t kSize = 1 << 20;
  std::mt19937 random(20261211);
  std::string sent(kSize, '\0');
  for (char& byte : sent) byte = static_cast<char>(random());
  std::atomic<std::size_t> written{0};
  std::thread instrument([&] {
    // Begun well inside the stall, so the first delivery waits less than its limit.
    std::this_thread::sleep_for(200ms);
    std::mt19937 sizes(11);
    while (written < kSize) {
      const std::size_t n = std::min<std::size_t>(1 + sizes() % 3000, kSize - written);
      PtyA.Write(sent.substr(written, n));
      written += n;
    }
  });
  std::this_thread::sleep_for(2900ms);  // the stall: no event is handled meanwhile
  EXPECT_LT(written, kSize) << "the port took it all in: its input queue has no bound";
  const bool complete = RunUntil([&] { return received.size() >= kSize; }, 20000);
  instrument.join();
  ASSERT_TRUE(complete) << received.size() << " bytes arrived";
  EXPECT_EQ(received.size(), kSize);
  EXPECT_TRUE(received == sent) << "bytes lost, doubled or reordered";
  EXPECT_EQ(shortEvents, 0);
}

}  // namespace
}  // namespace orvane::serial::test
