#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <utility>

namespace orvane::fuzz {

// The fuzzer's bytes read front to back as small instructions, so that a
// seed can be written by hand: a byte, or a length byte and that many bytes.
// Past the end every read gives zero or nothing.
class TFuzzInput {
 public:
  TFuzzInput(const std::uint8_t* data, std::size_t size)
      : rest_(reinterpret_cast<const char*>(data), size) {}

  bool Empty() const { return rest_.empty(); }

  std::uint8_t Byte() {
    if (rest_.empty()) return 0;
    const auto byte = static_cast<std::uint8_t>(rest_.front());
    rest_.remove_prefix(1);
    return byte;
  }

  // A length byte, taken modulo `limit + 1`, then up to that many bytes.
  std::string_view Text(std::size_t limit = 255) {
    const std::size_t length = Byte() % (limit + 1);
    const std::string_view text = rest_.substr(0, length);
    rest_.remove_prefix(text.size());
    return text;
  }

  std::string_view Rest() { return std::exchange(rest_, {}); }

 private:
  std::string_view rest_;
};

// A broken property: libFuzzer keeps the input that led here.
inline void Require(bool holds, const char* property) {
  if (holds) return;
  std::fprintf(stderr, "fuzz: property broken: %s\n", property);
  std::abort();
}

}  // namespace orvane::fuzz
