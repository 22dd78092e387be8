#pragma once

#include <malloc.h>

#include <cstddef>

#if defined(__SANITIZE_ADDRESS__)
// The address sanitizer's runtime has it; g++ ships no header that declares it.
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
#endif

namespace orvane::panel::test {

// Bytes the heap holds for live allocations: what a leak or an unbounded
// buffer makes grow. Resident memory would not tell under the address
// sanitizer, whose quarantine holds freed blocks back for a while.
inline std::size_t LiveHeapBytes() {
#if defined(__SANITIZE_ADDRESS__)
  return __sanitizer_get_current_allocated_bytes();
#else
  const struct mallinfo2 info = mallinfo2();
  return info.uordblks + info.hblkhd;
#endif
}

}  // namespace orvane::panel::test
