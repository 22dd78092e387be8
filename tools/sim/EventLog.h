#pragma once

#include <string_view>

#include "Clock.h"

namespace orvane::sim {

// One line per event on standard output, flushed at once, because tests and
// the demo follow the log while the simulator runs.
class EventLog {
 public:
  explicit EventLog(TimePoint start) : start_(start) {}

  // "<tag> <ms since start> <text>"
  void Write(std::string_view tag, std::string_view text, TimePoint now) const;

  static void WriteBare(std::string_view text);

 private:
  TimePoint start_;
};

}  // namespace orvane::sim
