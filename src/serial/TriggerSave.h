#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "serial/TimerTrigger.h"

namespace orvane::serial {

// The triggers of a port kept over a close so the next open restores them
// with their handles and armed state. Only timer triggers exist in this
// system; the other kinds have no records to keep.
struct TTriggerSave {
  std::uint32_t tsLenTrigger = 0;
  std::optional<std::vector<TTimerTrigger>> tsTimerTriggers;
};

}  // namespace orvane::serial
