#include "Transmitter.h"

#include <algorithm>

namespace orvane::sim {
namespace {

constexpr long kBitsPerCharacter = 10;

Duration CharacterTime(long baud) {
  if (baud <= 0) return Duration::zero();
  auto nanoseconds = std::chrono::nanoseconds(std::chrono::seconds(kBitsPerCharacter)) / baud;
  return std::chrono::duration_cast<Duration>(nanoseconds);
}

}  // namespace

Transmitter::Transmitter(long baud) : characterTime_(CharacterTime(baud)) {}

void Transmitter::Queue(std::string_view bytes, TimePoint notBefore, std::string done) {
  TimePoint due = std::max(notBefore, lineFreeAt_);
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    due += characterTime_;
    bool last = i + 1 == bytes.size();
    pending_.push_back({bytes[i], due, last ? std::move(done) : std::string{}});
  }
  lineFreeAt_ = due;
}

std::optional<TimePoint> Transmitter::NextDue() const {
  if (pending_.empty()) return std::nullopt;
  return pending_.front().due;
}

Transmitter::Batch Transmitter::TakeDue(TimePoint now) {
  Batch batch;
  while (!pending_.empty() && pending_.front().due <= now) {
    batch.bytes += pending_.front().byte;
    if (!pending_.front().done.empty()) batch.done.push_back(std::move(pending_.front().done));
    pending_.pop_front();
  }
  return batch;
}

void Transmitter::Clear() {
  pending_.clear();
  lineFreeAt_ = {};
}

}  // namespace orvane::sim
