#pragma once

#include <array>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <mutex>
#include <optional>
#include <span>

namespace orvane::serial {

// A block of received bytes as the reader read it.
struct TDataBuffer {
  static constexpr std::size_t FDataSize = 256;
  std::array<std::uint8_t, FDataSize> FData{};
  std::size_t FDataUsed = 0;
  std::size_t FDataRead = 0;
};

// Input on its way from the reader to the dispatch ring, in arrival order.
// Every push sets the queue's auto-reset event, on which the dispatcher
// thread sleeps. Items are only ever examined under the queue's own lock, so
// a clear can never free an item someone is still reading.
//
// The queue holds at most about kMaxQueued bytes: a sender faster than the UI
// thread reads would otherwise grow it without end. The reader waits for
// room, and the driver meanwhile holds what comes in.
class TIOQueue {
 public:
  using TClock = std::chrono::steady_clock;
  // Over four minutes of input at 2400 bit/s, five seconds at 115200.
  static constexpr std::size_t kMaxQueued = 64 * 1024;

  void Push(const TDataBuffer& chunk);
  // Waits until fewer than kMaxQueued bytes are queued or `stop` is true;
  // whoever sets `stop` calls Signal() afterwards.
  void WaitForRoom(const std::atomic<bool>& stop);
  bool Full() const;

  // Copies queued bytes into `dest`, oldest first; fully copied chunks are
  // removed, a partly copied one stays at the head.
  std::size_t MoveData(std::span<std::uint8_t> dest);
  void Clear();
  bool Empty() const;

  // Sets the event without queueing anything (stop, trigger changes).
  void Signal();
  // Waits until the event is set or `deadline` passes (none: no limit), and
  // resets it. True when it was set.
  bool Wait(std::optional<TClock::time_point> deadline);

 private:
  mutable std::mutex fLock;
  std::condition_variable fWake;
  std::condition_variable fRoom;
  std::deque<TDataBuffer> fItems;
  std::size_t fQueued = 0;  // bytes in fItems not yet moved
  bool fSignalled = false;
};

}  // namespace orvane::serial
