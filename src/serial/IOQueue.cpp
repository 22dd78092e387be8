#include "serial/IOQueue.h"

#include <algorithm>
#include <cstring>

namespace orvane::serial {

void TIOQueue::Push(const TDataBuffer& chunk) {
  {
    std::lock_guard lock(fLock);
    fItems.push_back(chunk);
    fQueued += chunk.FDataUsed - chunk.FDataRead;
    fSignalled = true;
  }
  fWake.notify_one();
}

std::size_t TIOQueue::MoveData(std::span<std::uint8_t> dest) {
  std::size_t moved = 0;
  {
    std::lock_guard lock(fLock);
    while (moved < dest.size() && !fItems.empty()) {
      TDataBuffer& chunk = fItems.front();
      const std::size_t n = std::min(chunk.FDataUsed - chunk.FDataRead, dest.size() - moved);
      std::memcpy(dest.data() + moved, chunk.FData.data() + chunk.FDataRead, n);
      chunk.FDataRead += n;
      moved += n;
      if (chunk.FDataRead == chunk.FDataUsed) fItems.pop_front();
    }
    fQueued -= moved;
  }
  if (moved > 0) fRoom.notify_all();
  return moved;
}

void TIOQueue::Clear() {
  {
    std::lock_guard lock(fLock);
    fItems.clear();
    fQueued = 0;
  }
  fRoom.notify_all();
}

void TIOQueue::WaitForRoom(const std::atomic<bool>& stop) {
  std::unique_lock lock(fLock);
  fRoom.wait(lock, [&] { return fQueued < kMaxQueued || stop; });
}

bool TIOQueue::Full() const {
  std::lock_guard lock(fLock);
  return fQueued >= kMaxQueued;
}

bool TIOQueue::Empty() const {
  std::lock_guard lock(fLock);
  return fItems.empty();
}

void TIOQueue::Signal() {
  {
    std::lock_guard lock(fLock);
    fSignalled = true;
  }
  fWake.notify_one();
  fRoom.notify_all();  // a stop ends the reader's wait for room too
}

bool TIOQueue::Wait(std::optional<TClock::time_point> deadline) {
  std::unique_lock lock(fLock);
  auto set = [this] { return fSignalled; };
  const bool signalled =
      deadline ? fWake.wait_until(lock, *deadline, set) : (fWake.wait(lock, set), true);
  fSignalled = false;
  return signalled;
}

}  // namespace orvane::serial
