#include "trend/ReadingRing.h"

#include <stdexcept>

namespace orvane::trend {

TReadingRing::TReadingRing(std::size_t capacity, std::size_t blockSize)
    : blockSize_(blockSize), blocks_((capacity + blockSize - 1) / blockSize) {
  if (blockSize == 0 || capacity == 0) throw std::invalid_argument("empty reading ring");
}

void TReadingRing::Append(const TReading& reading) {
  const std::size_t physical = (head_ + size_) % Capacity();
  auto& block = blocks_[physical / blockSize_];
  if (!block) {
    block = std::make_unique_for_overwrite<TReading[]>(blockSize_);
    ++allocated_;
  }
  block[physical % blockSize_] = reading;
  ++appended_;
  if (size_ < Capacity()) {
    ++size_;
  } else {
    head_ = (head_ + 1) % Capacity();
  }
}

std::size_t TReadingRing::LowerBound(std::int64_t time) const {
  std::size_t low = 0;
  std::size_t high = size_;
  while (low < high) {
    const std::size_t middle = low + (high - low) / 2;
    if ((*this)[middle].time < time) {
      low = middle + 1;
    } else {
      high = middle;
    }
  }
  return low;
}

}  // namespace orvane::trend
