#pragma once

#include <cstdint>
#include <exception>

namespace orvane::serial {

class TApdBaseDispatcher;

// What a dispatcher's owner (the port component) receives. Every call runs on
// the UI thread, inside a delivery the dispatcher thread waits for. A handler
// may close the port and destroy the dispatcher it was handed.
class TApdDispatcherOwner {
 public:
  virtual ~TApdDispatcherOwner() = default;
  // `count` unread bytes can be read with GetChar during this call.
  virtual void TriggerAvail(TApdBaseDispatcher& dispatcher, std::uint16_t count) = 0;
  virtual void TriggerTimer(TApdBaseDispatcher& dispatcher, std::uint16_t handle) = 0;
  // A handler above threw; the exception stops here and goes no further.
  virtual void HandlerFailed(std::exception_ptr error) noexcept = 0;
};

}  // namespace orvane::serial
