#include "EventLog.h"

#include <cstdio>
#include <string>

namespace orvane::sim {

void EventLog::Write(std::string_view tag, std::string_view text, TimePoint now) const {
  auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(now - start_).count();
  std::string line(tag);
  line += ' ';
  line += std::to_string(ms);
  line += ' ';
  line += text;
  WriteBare(line);
}

void EventLog::WriteBare(std::string_view text) {
  std::fwrite(text.data(), 1, text.size(), stdout);
  std::fputc('\n', stdout);
  std::fflush(stdout);
}

}  // namespace orvane::sim
