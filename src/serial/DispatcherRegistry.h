#pragma once

#include <cstddef>
#include <mutex>

namespace orvane::serial {

class TApdBaseDispatcher;

// The process-wide list of dispatchers. A dispatcher's index is its handle,
// which notifications carry so the UI thread can find it again. The lock is
// recursive because event handlers run while the receiver holds it and may
// open or close ports.
class TApdDispatcherRegistry {
 public:
  static std::unique_lock<std::recursive_mutex> Lock();
  // Takes the lowest empty slot, or appends; returns the slot index.
  static int Add(TApdBaseDispatcher* dispatcher);
  // Empties the slot and drops trailing empty slots.
  static void Remove(int handle);
  // The dispatcher in slot `handle`, or null. Call with the lock held.
  static TApdBaseDispatcher* Find(int handle);
  static std::size_t Size();
};

}  // namespace orvane::serial
