// The dispatch ring driven on one thread as the reader, the dispatcher
// thread and the handlers drive it, beside a model that is two plain queues
// of bytes: nothing may be lost, doubled or reordered on the way.
// Input: instructions, each an opcode byte and its operands:
//   0 + size                 the reader queues a chunk of size % 256 + 1 bytes
//   1                        the dispatcher thread moves queued input in
//   2 + n + one read each    a data-available event to n % 3 + 1 handlers
//   3 + read                 a timer handler reads
//   4 + read                 the UI thread reads outside any event
//   5                        the port is closed and opened again
// A read byte asks for n bytes, n its low six bits, or n * 256 with bit 6
// set; with bit 7 set the handler closes the port after its reads.

#include <algorithm>
#include <deque>

#include "FuzzSupport.h"
#include "serial/DispatchRing.h"

namespace {

using namespace orvane;
using serial::TDispatchRing;
using serial::TIOQueue;

std::uint32_t ReadCount(std::uint8_t r) {
  const std::uint32_t n = r % 64u;
  return (r & 0x40) ? n * 256 : n;
}

bool ClosesPort(std::uint8_t r) { return (r & 0x80) != 0; }

class TRingRun {
 public:
  TRingRun() { ring_.Allocate(); }

  void Queue(std::size_t size) {
    serial::TDataBuffer chunk;
    for (std::size_t i = 0; i < size; ++i) {
      chunk.FData[i] = next_;
      queued_.push_back(next_);
      next_ = static_cast<std::uint8_t>((next_ + 1) % 251);
    }
    chunk.FDataUsed = size;
    queue_.Push(chunk);
  }

  void Move() {
    ring_.MoveFrom();
    const std::size_t fits = std::min(queued_.size(), TDispatchRing::kSize - held_.size());
    held_.insert(held_.end(), queued_.begin(), queued_.begin() + static_cast<std::ptrdiff_t>(fits));
    queued_.erase(queued_.begin(), queued_.begin() + static_cast<std::ptrdiff_t>(fits));
    totalIn_ += fits;
  }

  // The handlers of one event each read from the oldest byte; as many bytes
  // go as the one that read most took.
  void AvailEvent(fuzz::TFuzzInput& input) {
    const std::uint32_t count = ring_.Used();
    if (count == 0) return;  // no event without a byte to tell of
    ring_.BeginDelivery(true);
    std::uint32_t most = 0;
    for (int handlers = input.Byte() % 3 + 1; handlers > 0; --handlers) {
      const std::uint8_t r = input.Byte();
      ring_.BeginHandler();
      const std::uint32_t read = Peek(ReadCount(r), count);
      if (ClosesPort(r)) {
        CloseInEvent();
        return;
      }
      ring_.EndHandler();
      most = std::max(most, read);
    }
    fuzz::Require(ring_.FinishDelivery(count) == (most == count),
                  "event tells whether all was read");
    ring_.EndDelivery();
    held_.erase(held_.begin(), held_.begin() + most);
  }

  void TimerEvent(std::uint8_t r) {
    ring_.BeginDelivery(false);
    ring_.BeginHandler();
    Take(ReadCount(r));
    ring_.EndHandler();
    ring_.EndDelivery();
  }

  // A full ring that gets room must wake the dispatcher thread, which
  // otherwise sleeps on with input queued behind the ring.
  void Take(std::uint32_t wanted) {
    queue_.Wait(TIOQueue::TClock::now());
    const bool wasFull = ring_.Full();
    std::uint32_t taken = 0;
    std::uint8_t byte = 0;
    while (taken < wanted && ring_.GetChar(byte)) {
      fuzz::Require(!held_.empty() && byte == held_.front(), "bytes come out in order, once");
      held_.pop_front();
      ++taken;
    }
    fuzz::Require(taken == wanted || held_.empty(), "every byte held can be read");
    if (wasFull && taken > 0) {
      fuzz::Require(queue_.Wait(TIOQueue::TClock::now()), "room in a full ring wakes the mover");
    }
  }

  void Reopen() {
    ring_.Flush();
    ring_.Release();
    std::uint8_t byte = 0;
    fuzz::Require(!ring_.GetChar(byte) && ring_.Used() == 0, "a released ring reads nothing");
    ring_.Allocate();
    queued_.clear();
    held_.clear();
    totalIn_ = 0;
  }

  void CheckCounts() const {
    fuzz::Require(ring_.Used() == held_.size(), "the ring holds what was moved in and not taken");
    fuzz::Require(ring_.Unread() == held_.size(), "outside an event all held bytes are unread");
    fuzz::Require(ring_.Full() == (held_.size() == TDispatchRing::kSize), "full only when full");
    fuzz::Require(ring_.TotalIn() == totalIn_, "every byte moved in is counted");
    fuzz::Require(queue_.Empty() == queued_.empty(), "the queue holds what was not moved");
  }

 private:
  // One handler's reads during an event: the oldest bytes, taking none.
  std::uint32_t Peek(std::uint32_t wanted, std::uint32_t count) {
    std::uint32_t read = 0;
    std::uint8_t byte = 0;
    while (read < wanted && ring_.GetChar(byte)) {
      fuzz::Require(read < count && byte == held_[read], "a handler reads the oldest bytes");
      ++read;
      fuzz::Require(ring_.Unread() == count - read, "unread counts down during an event");
    }
    fuzz::Require(read == std::min(wanted, count), "a handler can read all it was told of");
    return read;
  }

  // A handler that closes the port flushes the ring and gives up the event.
  void CloseInEvent() {
    ring_.Flush();
    ring_.AbandonDelivery();
    ring_.EndDelivery();
    Reopen();
  }

  TIOQueue queue_;
  TDispatchRing ring_{queue_};
  std::deque<std::uint8_t> queued_;
  std::deque<std::uint8_t> held_;
  std::uint64_t totalIn_ = 0;
  std::uint8_t next_ = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::TFuzzInput input(data, size);
  TRingRun run;
  while (!input.Empty()) {
    switch (input.Byte() % 6) {
      case 0:
        run.Queue(input.Byte() % 256u + 1);
        break;
      case 1:
        run.Move();
        break;
      case 2:
        run.AvailEvent(input);
        break;
      case 3:
        run.TimerEvent(input.Byte());
        break;
      case 4:
        run.Take(ReadCount(input.Byte()));
        break;
      default:
        run.Reopen();
        break;
    }
    run.CheckCounts();
  }
  return 0;
}
