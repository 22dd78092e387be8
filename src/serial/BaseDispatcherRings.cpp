#include <algorithm>
#include <cstring>

#include "serial/BaseDispatcher.h"

namespace orvane::serial {

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
  return fRing.GetChar(byte) ? ecOK : ecBufferIsEmpty;
}

int TApdBaseDispatcher::InBuffUsed() {
  std::lock_guard lock(fDispSection);
  return static_cast<int>(fRing.Unread());
}

void TApdBaseDispatcher::MoveQueuedData() {
  std::lock_guard lock(fDispSection);
  fRing.MoveFrom();
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
  fRing.Flush();
}

}  // namespace orvane::serial
