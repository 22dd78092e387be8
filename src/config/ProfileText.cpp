#include "config/ProfileText.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace orvane::config::profile_text {
namespace {

struct Line {
  std::string_view body;  // without its line break
  std::size_t end;        // offset just past its line break
};

std::vector<Line> SplitLines(std::string_view text) {
  std::vector<Line> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t newline = text.find('\n', start);
    const std::size_t stop = newline == std::string_view::npos ? text.size() : newline;
    std::string_view body = text.substr(start, stop - start);
    if (!body.empty() && body.back() == '\r') body.remove_suffix(1);
    const std::size_t end = newline == std::string_view::npos ? text.size() : newline + 1;
    lines.push_back({body, end});
    start = end;
  }
  return lines;
}

std::string_view Trim(std::string_view s) {
  const auto blank = [](char c) { return c == ' ' || c == '\t'; };
  while (!s.empty() && blank(s.front())) s.remove_prefix(1);
  while (!s.empty() && blank(s.back())) s.remove_suffix(1);
  return s;
}

bool SameName(std::string_view a, std::string_view b) {
  const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
  return std::ranges::equal(a, b, [&](char x, char y) { return lower(x) == lower(y); });
}

std::optional<std::string_view> SectionName(std::string_view line) {
  line = Trim(line);
  if (line.empty() || line.front() != '[') return std::nullopt;
  const std::size_t close = line.find(']');
  if (close == std::string_view::npos) return std::nullopt;
  return Trim(line.substr(1, close - 1));
}

bool IsKeyLine(std::string_view line, std::string_view key) {
  const std::size_t equals = line.find('=');
  return equals != std::string_view::npos && SameName(Trim(line.substr(0, equals)), key);
}

// Index range [first, last) of the section's key lines; nullopt if absent.
struct Span {
  std::size_t header;
  std::size_t first;
  std::size_t last;
};

std::optional<Span> FindSection(const std::vector<Line>& lines, std::string_view section) {
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const auto name = SectionName(lines[i].body);
    if (!name || !SameName(*name, section)) continue;
    std::size_t last = i + 1;
    while (last < lines.size() && !SectionName(lines[last].body)) ++last;
    return Span{i, i + 1, last};
  }
  return std::nullopt;
}

std::string_view LineBreakOf(std::string_view text) {
  const std::size_t newline = text.find('\n');
  return newline != std::string_view::npos && newline > 0 && text[newline - 1] == '\r' ? "\r\n"
                                                                                       : "\n";
}

std::size_t StartOf(const std::vector<Line>& lines, std::size_t index) {
  return index == 0 ? 0 : lines[index - 1].end;
}

// Inserts `entry` as a line of its own at `offset`, giving the line before it
// a break if the file ended without one. A file ending in a lone CR has half
// a break: it gets its LF, as a second CR would become part of that line.
std::string InsertLine(std::string_view text, std::size_t offset, std::string_view entry,
                       std::string_view lineBreak) {
  std::string result(text.substr(0, offset));
  if (result.ends_with('\r')) {
    result += '\n';
  } else if (!result.empty() && result.back() != '\n') {
    result += lineBreak;
  }
  result += entry;
  result += lineBreak;
  result += text.substr(offset);
  return result;
}

// One pair of matching quotes around a value is no part of it, as the classic
// reader has it: Configuration="Maravent" names model B.
std::string_view Unquote(std::string_view value) {
  const bool quoted = value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
                      value.back() == value.front();
  return quoted ? value.substr(1, value.size() - 2) : value;
}

// Some editors start a UTF-8 file with a byte order mark: it is no part of
// the first line, and a rewrite keeps it where it was.
std::pair<std::string_view, std::string_view> SplitByteOrderMark(std::string_view text) {
  constexpr std::string_view kMark = "\xEF\xBB\xBF";
  if (!text.starts_with(kMark)) return {{}, text};
  return {text.substr(0, kMark.size()), text.substr(kMark.size())};
}

std::string SetBodyValue(std::string_view text, std::string_view section, std::string_view key,
                         std::string_view value) {
  const auto lines = SplitLines(text);
  const std::string_view lineBreak = LineBreakOf(text);
  const std::string entry = std::string(key) + "=" + std::string(value);
  const auto span = FindSection(lines, section);
  if (!span) {
    std::string block = "[";
    block.append(section).append("]").append(lineBreak).append(entry);
    return InsertLine(text, text.size(), block, lineBreak);
  }
  std::size_t after = span->header;
  for (std::size_t i = span->first; i < span->last; ++i) {
    if (IsKeyLine(lines[i].body, key)) {
      const std::size_t start = StartOf(lines, i);
      return std::string(text.substr(0, start)) + entry +
             std::string(text.substr(start + lines[i].body.size()));
    }
    if (!Trim(lines[i].body).empty()) after = i;
  }
  return InsertLine(text, lines[after].end, entry, lineBreak);
}

}  // namespace

std::optional<std::string> FindValue(std::string_view text, std::string_view section,
                                     std::string_view key) {
  const auto lines = SplitLines(SplitByteOrderMark(text).second);
  const auto span = FindSection(lines, section);
  if (!span) return std::nullopt;
  for (std::size_t i = span->first; i < span->last; ++i) {
    if (!IsKeyLine(lines[i].body, key)) continue;
    const std::string_view body = lines[i].body;
    return std::string(Unquote(Trim(body.substr(body.find('=') + 1))));
  }
  return std::nullopt;
}

std::string SetValue(std::string_view text, std::string_view section, std::string_view key,
                     std::string_view value) {
  const auto [mark, body] = SplitByteOrderMark(text);
  std::string result(mark);
  result += SetBodyValue(body, section, key, value);
  return result;
}

}  // namespace orvane::config::profile_text
