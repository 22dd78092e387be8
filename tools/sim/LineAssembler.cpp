#include "LineAssembler.h"

namespace orvane::sim {

LineAssembler::LineAssembler(char terminator, char ignored, std::size_t maxLength)
    : terminator_(terminator), ignored_(ignored), maxLength_(maxLength) {}

std::vector<ReceivedLine> LineAssembler::Feed(std::string_view bytes) {
  std::vector<ReceivedLine> lines;
  for (char raw : bytes) {
    char c = static_cast<char>(raw & 0x7F);
    if (c == terminator_) {
      lines.push_back(std::move(current_));
      current_ = {};
    } else if (c == ignored_) {
      continue;
    } else if (current_.text.size() < maxLength_) {
      current_.text += c;
    } else {
      current_.overlong = true;
    }
  }
  return lines;
}

}  // namespace orvane::sim
