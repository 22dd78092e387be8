#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace orvane::sim {

struct ReceivedLine {
  std::string text;
  bool overlong = false;  // only the first bytes were kept
};

// Cuts a byte stream into lines. Bytes are taken as 7-bit (the eighth bit is
// dropped, as a 7-bit line would); a line that grows past the bound keeps its
// start and loses the rest, so garbage without terminators cannot eat memory.
class LineAssembler {
 public:
  LineAssembler(char terminator, char ignored, std::size_t maxLength);

  std::vector<ReceivedLine> Feed(std::string_view bytes);

 private:
  char terminator_;
  char ignored_;
  std::size_t maxLength_;
  ReceivedLine current_;
};

}  // namespace orvane::sim
