#include "trend/ReadingRing.h"

#include <stdexcept>

namespace orvane::trend {

TReadingRing::TReadingRing(std::size_t capacity, std::size_t blockSize, std::size_t chunkSize)
    : blockSize_(blockSize),
      chunkSize_(chunkSize),
      blocks_(blockSize == 0 ? 0 : (capacity + blockSize - 1) / blockSize),
      chunks_(chunkSize == 0 ? 0 : blocks_.size() * blockSize / chunkSize) {
  if (capacity == 0 || blockSize == 0 || chunkSize == 0 || chunkSize > 65536 ||
      blockSize % chunkSize != 0) {
    throw std::invalid_argument("reading ring: blocks must be whole chunks of at most 65536");
  }
}

void TReadingRing::Append(const TReading& reading) {
  NoteChange(reading);
  Store((head_ + size_) % Capacity(), reading);
  ++appended_;
  if (size_ < Capacity()) {
    ++size_;
  } else {
    head_ = (head_ + 1) % Capacity();
  }
  if (!changes_.empty() && changes_.front().sequence < Dropped()) changes_.pop_front();
}

void TReadingRing::NoteChange(const TReading& reading) {
  if (size_ == 0) return;
  const TReading& last = Back();
  const bool gain = last.gainCode != reading.gainCode;
  const bool mode = last.modeCode != reading.modeCode;
  if (gain || mode) changes_.push_back({appended_, gain, mode});
}

// A chunk starts afresh with its first slot, so once every slot of it has
// been written in this pass, its extremes are those of what it holds.
void TReadingRing::Store(std::size_t physical, const TReading& reading) {
  auto& block = blocks_[physical / blockSize_];
  if (!block) {
    block = std::make_unique_for_overwrite<TReading[]>(blockSize_);
    ++allocated_;
  }
  block[physical % blockSize_] = reading;
  const std::size_t base = physical - physical % chunkSize_;
  const auto offset = static_cast<std::uint16_t>(physical - base);
  TChunkExtremes& chunk = chunks_[physical / chunkSize_];
  if (offset == 0) {
    chunk = {};
    return;
  }
  if (reading.signal < At(base + chunk.low).signal) chunk.low = offset;
  if (reading.signal > At(base + chunk.high).signal) chunk.high = offset;
}

std::size_t TReadingRing::LowerBound(std::int64_t time, std::size_t from) const {
  std::size_t low = from;
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

namespace {

// The first lowest and first highest seen so far, by index and value.
struct TRunningExtremes {
  std::size_t low;
  std::size_t high;
  double lowSignal;
  double highSignal;

  void Take(std::size_t lowAt, double lowValue, std::size_t highAt, double highValue) {
    if (lowValue < lowSignal) {
      low = lowAt;
      lowSignal = lowValue;
    }
    if (highValue > highSignal) {
      high = highAt;
      highSignal = highValue;
    }
  }
};

}  // namespace

// Whole chunks inside the range are taken from their summaries, the readings
// before the first and after the last one by one. The chunk being
// overwritten never lies whole inside a range: its old slots are the range's
// first readings and its new ones its last. A block is whole chunks, so no
// chunk straddles two runs.
std::pair<std::size_t, std::size_t> TReadingRing::Extremes(std::size_t from, std::size_t to) const {
  const double first = (*this)[from].signal;
  TRunningExtremes found{from, from, first, first};
  std::size_t i = from;
  ForEachRun(from, to, [&](const TReading* begin, const TReading* end) {
    const auto run = static_cast<std::size_t>(end - begin);
    const std::size_t physical = Physical(i);
    const std::size_t lead = std::min(run, (chunkSize_ - physical % chunkSize_) % chunkSize_);
    const auto single = [&](std::size_t k) {
      found.Take(i + k, begin[k].signal, i + k, begin[k].signal);
    };
    std::size_t k = 0;
    for (; k < lead; ++k) single(k);
    for (; run - k >= chunkSize_; k += chunkSize_) {
      const TChunkExtremes& chunk = chunks_[(physical + k) / chunkSize_];
      found.Take(i + k + chunk.low, begin[k + chunk.low].signal, i + k + chunk.high,
                 begin[k + chunk.high].signal);
    }
    for (; k < run; ++k) single(k);
    i += run;
  });
  return {found.low, found.high};
}

}  // namespace orvane::trend
