#include "serial/DispatchRing.h"

#include <algorithm>
#include <span>

namespace orvane::serial {

std::uint32_t RingUsed(std::uint32_t head, std::uint32_t tail, bool full, std::uint32_t size) {
  if (head > tail) return head - tail;
  if (head < tail) return head + size - tail;
  return full ? size : 0;
}

void TDispatchRing::Allocate() {
  buffer_.assign(kSize, 0);
  head_ = tail_ = 0;
  full_ = false;
  totalIn_ = 0;
  inAvail_ = false;
  getCount_ = maxGetCount_ = 0;
}

void TDispatchRing::Release() {
  buffer_.clear();
  head_ = tail_ = 0;
  full_ = false;
}

std::uint32_t TDispatchRing::Used() const { return RingUsed(head_, tail_, full_, kSize); }

std::uint32_t TDispatchRing::Unread() const {
  const std::uint32_t used = Used();
  return inAvail_ ? used - std::min(used, getCount_) : used;
}

// At most two copies: up to the end of the buffer, then on from its start.
void TDispatchRing::MoveFrom() {
  if (buffer_.empty()) return;
  for (int pass = 0; pass < 2 && !full_; ++pass) {
    const std::uint32_t room = tail_ > head_ ? tail_ - head_ : kSize - head_;
    const auto moved =
        static_cast<std::uint32_t>(queue_.MoveData(std::span(buffer_.data() + head_, room)));
    head_ = (head_ + moved) % kSize;
    totalIn_ += moved;
    if (moved > 0 && head_ == tail_) full_ = true;
    if (moved < room) break;
  }
}

bool TDispatchRing::GetChar(std::uint8_t& byte) {
  if (buffer_.empty()) return false;
  const std::uint32_t used = Used();
  if (inAvail_) {
    if (used < getCount_ + 1) return false;
    byte = buffer_[(tail_ + getCount_) % kSize];
    ++getCount_;
    return true;
  }
  if (used == 0) return false;
  byte = buffer_[tail_];
  tail_ = (tail_ + 1) % kSize;
  if (full_) {
    full_ = false;
    queue_.Signal();  // bytes held back by the full ring can move now
  }
  return true;
}

void TDispatchRing::Flush() {
  queue_.Clear();
  tail_ = head_;
  full_ = false;
  getCount_ = 0;
}

void TDispatchRing::BeginDelivery(bool avail) {
  inAvail_ = avail;
  maxGetCount_ = 0;
}

void TDispatchRing::EndHandler() { maxGetCount_ = std::max(maxGetCount_, getCount_); }

bool TDispatchRing::FinishDelivery(std::uint32_t count) {
  inAvail_ = false;
  // A flush during the delivery may have emptied the ring under the handler.
  const std::uint32_t taken = std::min(maxGetCount_, Used());
  tail_ = (tail_ + taken) % kSize;
  if (taken > 0) full_ = false;
  return maxGetCount_ == count;
}

}  // namespace orvane::serial
