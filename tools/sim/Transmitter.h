#pragma once

#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Clock.h"

namespace orvane::sim {

// The instrument's side of the serial line. At a given rate each character
// takes ten bit times and is handed over when its last bit is out, as a UART
// delivers it; at rate 0 everything goes at once.
class Transmitter {
 public:
  explicit Transmitter(long baud);

  // Queues bytes to start no earlier than `notBefore` and after everything
  // queued before them. `done` is handed back once their last byte is due.
  void Queue(std::string_view bytes, TimePoint notBefore, std::string done = {});

  // When the last queued character will have gone out.
  TimePoint LineFreeAt() const { return lineFreeAt_; }

  std::optional<TimePoint> NextDue() const;

  struct Batch {
    std::string bytes;
    std::vector<std::string> done;
  };
  Batch TakeDue(TimePoint now);

  void Clear();

 private:
  struct Pending {
    char byte;
    TimePoint due;
    std::string done;
  };

  Duration characterTime_;
  std::deque<Pending> pending_;
  TimePoint lineFreeAt_{};
};

}  // namespace orvane::sim
