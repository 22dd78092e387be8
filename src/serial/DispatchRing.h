#pragma once

#include <cstdint>
#include <vector>

#include "serial/IOQueue.h"

namespace orvane::serial {

// Bytes held by a ring of `size` from `tail` (oldest) up to `head` (next
// free); head meets tail both empty and full, which `full` tells apart.
std::uint32_t RingUsed(std::uint32_t head, std::uint32_t tail, bool full, std::uint32_t size);

// The dispatch ring: received bytes between the input queue and the UI
// thread's reads. Outside a data-available delivery a read takes the oldest
// byte. During one, every handler reads from the oldest byte again and
// nothing is taken until the delivery ends; then as many bytes go as the
// handler that read most took. No lock of its own: the dispatcher holds its
// DispSection around every call.
class TDispatchRing {
 public:
  static constexpr std::uint32_t kSize = 8192;

  explicit TDispatchRing(TIOQueue& queue) : queue_(queue) {}

  // Allocate gives an empty ring; a released ring holds and takes nothing.
  void Allocate();
  void Release();

  std::uint32_t Used() const;
  bool Full() const { return full_; }
  // Bytes moved in since the allocation. It stands in for the head when
  // asking whether new bytes came: a ring filled exactly round would
  // otherwise look unchanged.
  std::uint64_t TotalIn() const { return totalIn_; }
  // What a reader can still read: during a delivery, what the current
  // handler has not read yet.
  std::uint32_t Unread() const;

  // Moves queued input in, as much as fits.
  void MoveFrom();
  // False when there is nothing more to read.
  bool GetChar(std::uint8_t& byte);
  // Drops the queued input and every unread byte.
  void Flush();

  void BeginDelivery(bool avail);
  void BeginHandler() { getCount_ = 0; }
  void EndHandler();
  // A close gave the delivery up: nothing read in it is taken.
  void AbandonDelivery() { inAvail_ = false; }
  // Takes what the handlers read; true when that was all `count` bytes.
  bool FinishDelivery(std::uint32_t count);
  void EndDelivery() { getCount_ = 0; }

 private:
  TIOQueue& queue_;
  std::vector<std::uint8_t> buffer_;
  std::uint32_t head_ = 0;
  std::uint32_t tail_ = 0;
  bool full_ = false;
  std::uint64_t totalIn_ = 0;
  bool inAvail_ = false;
  std::uint32_t getCount_ = 0;
  std::uint32_t maxGetCount_ = 0;
};

}  // namespace orvane::serial
