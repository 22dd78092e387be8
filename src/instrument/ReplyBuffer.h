#pragma once

#include <bitset>
#include <string>
#include <string_view>

namespace orvane::instrument {

// The line being received, up to and including its carriage return. A reply
// is nine characters, and any line longer than that is rejected anyway, so
// only the first kCapacity characters are kept: endless noise without a
// carriage return cannot grow memory. Which characters arrived is remembered
// in full, so the association test gives the same answer as on the whole
// line.
class TReplyBuffer {
 public:
  static constexpr std::size_t kCapacity = 64;

  void Append(std::string_view bytes);
  void Clear();
  bool Empty() const { return seen_.none(); }
  // Whether `c` arrived since the last clear, beyond the cap too.
  bool Contains(char c) const { return seen_.test(static_cast<unsigned char>(c)); }
  // The first kCapacity characters: an overflowed text is never nine long.
  std::string_view Text() const { return text_; }

 private:
  std::string text_;
  std::bitset<256> seen_;
};

}  // namespace orvane::instrument
