#include "ProfileReference.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <vector>

namespace orvane::fuzz::profile {
namespace {

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool BlankEdged(std::string_view name) {
  return !name.empty() && (IsBlank(name.front()) || IsBlank(name.back()));
}

// Offsets at which the lines of `text` start, then its end.
std::vector<std::size_t> LineBoundaries(std::string_view text) {
  std::vector<std::size_t> at{0};
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n') at.push_back(i + 1);
  }
  if (at.back() != text.size()) at.push_back(text.size());
  return at;
}

// What ends a line: CR LF, LF, or at the end of the file a lone CR or nothing.
std::string_view LineBreak(std::string_view line) {
  for (std::string_view end : {"\r\n", "\n", "\r"}) {
    if (line.ends_with(end)) return line.substr(line.size() - end.size());
  }
  return {};
}

// `after` as `before` with [from, to) of `before` replaced by `middle`;
// `same` bytes at the front and `sameEnd` at the back agree, so only the
// middle needs a look.
struct TDiff {
  std::string_view before;
  std::string_view after;
  std::size_t same;
  std::size_t sameEnd;

  bool Is(std::size_t from, std::size_t to, std::string_view middle) const {
    return after.size() == before.size() - (to - from) + middle.size() && from <= same &&
           before.size() - to <= sameEnd && after.substr(from, middle.size()) == middle;
  }
};

TDiff Compare(std::string_view before, std::string_view after) {
  const std::size_t shorter = std::min(before.size(), after.size());
  std::size_t same = 0;
  while (same < shorter && before[same] == after[same]) ++same;
  std::size_t sameEnd = 0;
  while (sameEnd < shorter &&
         before[before.size() - 1 - sameEnd] == after[after.size() - 1 - sameEnd]) {
    ++sameEnd;
  }
  return {before, after, same, sameEnd};
}

bool Replaced(const TDiff& diff, const std::vector<std::size_t>& lines, std::string_view entry) {
  for (std::size_t i = 0; i + 1 < lines.size(); ++i) {
    const std::string_view line = diff.before.substr(lines[i], lines[i + 1] - lines[i]);
    if (diff.Is(lines[i], lines[i + 1], std::string(entry) + std::string(LineBreak(line)))) {
      return true;
    }
  }
  return false;
}

// The break given to a last line that had none may be either kind: what
// that line reads as is for the reads to tell.
bool Inserted(const TDiff& diff, const std::vector<std::size_t>& lines, std::string_view entry,
              std::string_view header) {
  for (std::string_view lb : {"\n", "\r\n"}) {
    const std::string alone = std::string(entry) + std::string(lb);
    const std::string withHeader = std::string(header) + std::string(lb) + alone;
    for (std::size_t at : lines) {
      const bool unended = at > 0 && diff.before[at - 1] != '\n';
      for (std::string_view fix : {"", "\n", "\r\n"}) {
        if (unended == fix.empty()) continue;
        const std::string head(fix);
        if (diff.Is(at, at, head + alone) || diff.Is(at, at, head + withHeader)) return true;
      }
    }
  }
  return false;
}

std::optional<int> HexPattern(std::string_view digits) {
  if (digits.empty() || digits.size() > 8) return std::nullopt;
  std::uint32_t pattern = 0;
  for (char c : digits) {
    const auto at = std::string_view("0123456789abcdef").find(Lower(c));
    if (at == std::string_view::npos) return std::nullopt;
    pattern = pattern * 16 + static_cast<std::uint32_t>(at);
  }
  return static_cast<int>(pattern);
}

std::optional<int> Decimal(std::string_view text) {
  const bool negative = text.starts_with('-');
  if (negative) text.remove_prefix(1);
  if (text.empty()) return std::nullopt;
  long long magnitude = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    magnitude = magnitude * 10 + (c - '0');
    if (magnitude > 1LL << 31) return std::nullopt;
  }
  const long long value = negative ? -magnitude : magnitude;
  if (value > std::numeric_limits<int>::max()) return std::nullopt;
  return static_cast<int>(value);
}

}  // namespace

std::optional<int> DocumentedInteger(std::string_view text) {
  for (std::string_view prefix : {"$", "0x", "0X"}) {
    if (text.starts_with(prefix)) return HexPattern(text.substr(prefix.size()));
  }
  return Decimal(text);
}

bool SameName(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                            [](char x, char y) { return Lower(x) == Lower(y); });
}

bool SectionRepresentable(std::string_view section) {
  return !HasLineBreak(section) && section.find(']') == std::string_view::npos &&
         !BlankEdged(section);
}

bool KeyRepresentable(std::string_view key) {
  return !HasLineBreak(key) && key.find('=') == std::string_view::npos && !BlankEdged(key) &&
         !key.starts_with('[');
}

std::string ReadBack(std::string_view written) {
  while (!written.empty() && IsBlank(written.front())) written.remove_prefix(1);
  while (!written.empty() && IsBlank(written.back())) written.remove_suffix(1);
  const bool quoted = written.size() >= 2 && (written.front() == '"' || written.front() == '\'') &&
                      written.back() == written.front();
  if (quoted) written = written.substr(1, written.size() - 2);
  return std::string(written.substr(0, kMaxValueLength));
}

TEdit EditMade(std::string_view before, std::string_view after, std::string_view entry,
               std::string_view header) {
  if (before.starts_with(kByteOrderMark)) {
    if (!after.starts_with(kByteOrderMark)) return TEdit::kNone;
    before.remove_prefix(kByteOrderMark.size());
    after.remove_prefix(kByteOrderMark.size());
  }
  const TDiff diff = Compare(before, after);
  const auto lines = LineBoundaries(before);
  if (Replaced(diff, lines, entry)) return TEdit::kReplaced;
  return Inserted(diff, lines, entry, header) ? TEdit::kInserted : TEdit::kNone;
}

}  // namespace orvane::fuzz::profile
