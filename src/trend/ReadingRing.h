#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <utility>
#include <vector>

namespace orvane::trend {

// One accepted reply: when it came (milliseconds since the epoch), what the
// detector read, and the gain and mode codes it was read under.
struct TReading {
  std::int64_t time = 0;
  double signal = 0;
  std::uint8_t gainCode = 0;
  std::uint8_t modeCode = 0;

  bool operator==(const TReading&) const = default;
};

// A reply is nine characters of ten bits (start, seven data, two stop): 37.5 ms
// at 2400 bit/s, so the line carries at most 26.7 replies a second and a day
// at that rate is 2,304,000 readings (55 MB at 24 bytes each).
inline constexpr std::size_t kReplyBits = 9 * 10;
inline constexpr std::size_t kLineBitsPerSecond = 2400;
inline constexpr std::size_t kDayCapacity = 24 * 3600 * kLineBitsPerSecond / kReplyBits;

// A reading taken under another gain or mode than the reading before it.
struct TSettingChange {
  std::uint64_t sequence = 0;  // counted from the first reading ever appended
  bool gain = false;
  bool mode = false;
};

// The readings in order of arrival, the oldest dropped once the ring is full.
// Storage comes a block at a time as readings arrive, so an append never
// moves what is kept, costs at most one block's allocation, and a day's
// worth of memory is taken only once a day's worth has come. Each chunk of
// slots keeps its lowest and highest reading as it fills, so the extremes of
// a long range are found a chunk at a time rather than a reading at a time.
class TReadingRing {
 public:
  static constexpr std::size_t kBlockSize = 4096;
  static constexpr std::size_t kChunkSize = 64;

  // The capacity is rounded up to whole blocks; a block is whole chunks.
  explicit TReadingRing(std::size_t capacity, std::size_t blockSize = kBlockSize,
                        std::size_t chunkSize = kChunkSize);

  // Times must not decrease: lookups by time depend on it.
  void Append(const TReading& reading);

  std::size_t Size() const { return size_; }
  bool Empty() const { return size_ == 0; }
  std::size_t Capacity() const { return blocks_.size() * blockSize_; }
  std::size_t AllocatedBlocks() const { return allocated_; }
  // Every reading ever appended, dropped ones included.
  std::uint64_t Appended() const { return appended_; }
  // The sequence number of reading 0.
  std::uint64_t Dropped() const { return appended_ - size_; }

  // The i-th oldest reading kept.
  const TReading& operator[](std::size_t i) const { return At(Physical(i)); }
  const TReading& Back() const { return (*this)[size_ - 1]; }
  // The first reading from `from` on at or after `time`; Size() when none.
  std::size_t LowerBound(std::int64_t time, std::size_t from = 0) const;
  // The first lowest and the first highest reading of [from, to), from < to.
  std::pair<std::size_t, std::size_t> Extremes(std::size_t from, std::size_t to) const;
  // The changes of gain or mode among the readings kept, oldest first.
  const std::deque<TSettingChange>& Changes() const { return changes_; }

  // Hands readings [from, to) to `visit` as contiguous runs (begin, end), in order.
  template <class Visit>
  void ForEachRun(std::size_t from, std::size_t to, Visit&& visit) const {
    while (from < to) {
      const std::size_t physical = Physical(from);
      const std::size_t offset = physical % blockSize_;
      const std::size_t run = std::min(to - from, blockSize_ - offset);
      const TReading* begin = blocks_[physical / blockSize_].get() + offset;
      visit(begin, begin + run);
      from += run;
    }
  }

 private:
  // Offsets in the chunk of its first lowest and first highest reading.
  struct TChunkExtremes {
    std::uint16_t low = 0;
    std::uint16_t high = 0;
  };

  std::size_t Physical(std::size_t i) const { return (head_ + i) % Capacity(); }
  const TReading& At(std::size_t physical) const {
    return blocks_[physical / blockSize_][physical % blockSize_];
  }
  void Store(std::size_t physical, const TReading& reading);
  void NoteChange(const TReading& reading);

  std::size_t blockSize_;
  std::size_t chunkSize_;
  std::vector<std::unique_ptr<TReading[]>> blocks_;
  std::vector<TChunkExtremes> chunks_;
  std::deque<TSettingChange> changes_;
  std::size_t allocated_ = 0;
  std::size_t head_ = 0;
  std::size_t size_ = 0;
  std::uint64_t appended_ = 0;
};

}  // namespace orvane::trend
