#include <algorithm>
#include <cstring>

#include "serial/BaseDispatcher.h"

namespace orvane::serial {

namespace {

std::uint32_t RingUsed(std::uint32_t head, std::uint32_t tail, bool full, std::uint32_t size) {
  if (head > tail) return head - tail;
  if (head < tail) return head + size - tail;
  return full ? size : 0;
}

}  // namespace

std::uint32_t TApdBaseDispatcher::UsedLocked() const {
  return RingUsed(fDBufHead, fDBufTail, fDispatchFull, kDispatchBufSize);
}

int TApdBaseDispatcher::PutBlock(std::span<const std::uint8_t> block) {
  if (block.empty()) return ecOK;
  if (DeviceFailed()) return ecDeviceWrite;
  std::lock_guard lock(fOutputSection);
  if (fOBuffer.empty()) return ecNotOpen;
  const auto size = static_cast<std::uint32_t>(fOBuffer.size());
  const std::uint32_t free = size - RingUsed(fOBufHead, fOBufTail, fOBufFull, size);
  if (free < block.size()) return ecOutputBufferTooSmall;
  const std::size_t first = std::min<std::size_t>(block.size(), size - fOBufHead);
  std::memcpy(fOBuffer.data() + fOBufHead, block.data(), first);
  std::memcpy(fOBuffer.data(), block.data() + first, block.size() - first);
  fOBufHead = static_cast<std::uint32_t>((fOBufHead + block.size()) % size);
  if (free == block.size()) fOBufFull = true;
  OutputQueued();
  return ecOK;
}

std::vector<std::uint8_t> TApdBaseDispatcher::TakeOutput() {
  std::lock_guard lock(fOutputSection);
  std::vector<std::uint8_t> block;
  if (fOBuffer.empty()) return block;
  const auto size = static_cast<std::uint32_t>(fOBuffer.size());
  const std::uint32_t used = RingUsed(fOBufHead, fOBufTail, fOBufFull, size);
  block.reserve(used);
  for (std::uint32_t i = 0; i < used; ++i) block.push_back(fOBuffer[(fOBufTail + i) % size]);
  fOBufHead = fOBufTail = 0;
  fOBufFull = false;
  return block;
}

int TApdBaseDispatcher::OutBuffUsed() {
  std::lock_guard lock(fOutputSection);
  const auto size = static_cast<std::uint32_t>(fOBuffer.size());
  return static_cast<int>(RingUsed(fOBufHead, fOBufTail, fOBufFull, size));
}

int TApdBaseDispatcher::GetChar(std::uint8_t& byte) {
  std::lock_guard lock(fDispSection);
  if (fDBuffer.empty()) return ecBufferIsEmpty;
  const std::uint32_t used = UsedLocked();
  if (fInAvailMessage) {
    if (used < fGetCount + 1) return ecBufferIsEmpty;
    byte = fDBuffer[(fDBufTail + fGetCount) % kDispatchBufSize];
    ++fGetCount;
    return ecOK;
  }
  if (used == 0) return ecBufferIsEmpty;
  byte = fDBuffer[fDBufTail];
  fDBufTail = (fDBufTail + 1) % kDispatchBufSize;
  if (fDispatchFull) {
    fDispatchFull = false;
    FQueue.Signal();  // bytes held back by the full ring can move now
  }
  return ecOK;
}

int TApdBaseDispatcher::InBuffUsed() {
  std::lock_guard lock(fDispSection);
  const std::uint32_t used = UsedLocked();
  return static_cast<int>(fInAvailMessage ? used - std::min(used, fGetCount) : used);
}

void TApdBaseDispatcher::MoveQueuedData() {
  std::lock_guard lock(fDispSection);
  if (fDBuffer.empty()) return;
  for (int pass = 0; pass < 2 && !fDispatchFull; ++pass) {
    const std::uint32_t room =
        fDBufTail > fDBufHead ? fDBufTail - fDBufHead : kDispatchBufSize - fDBufHead;
    const auto moved =
        static_cast<std::uint32_t>(FQueue.MoveData(std::span(fDBuffer.data() + fDBufHead, room)));
    fDBufHead = (fDBufHead + moved) % kDispatchBufSize;
    fTotalIn += moved;
    if (moved > 0 && fDBufHead == fDBufTail) fDispatchFull = true;
    if (moved < room) break;
  }
}

void TApdBaseDispatcher::FlushOutBuffer() {
  {
    std::lock_guard lock(fOutputSection);
    fOBufHead = fOBufTail = 0;
    fOBufFull = false;
  }
  FlushOutDevice();
}

void TApdBaseDispatcher::FlushInBuffer() {
  FlushInDevice();
  std::lock_guard lock(fDispSection);
  FQueue.Clear();
  fDBufTail = fDBufHead;
  fDispatchFull = false;
  fGetCount = 0;
}

}  // namespace orvane::serial
