#include "config/IniFile.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <limits>

#include "config/FileRewrite.h"
#include "config/ProfileText.h"

namespace orvane::config {
namespace {

void RefuseLineBreaks(std::string_view text) {
  if (text.find_first_of("\r\n") != std::string_view::npos) {
    throw std::invalid_argument("A profile name or value may not contain a line break");
  }
}

bool IsHexDigit(char c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// Hex of up to 32 bits is a bit pattern, as the classic reader takes it:
// $FFFFFFFF is -1 and $80000000 the lowest integer.
constexpr long long kMaxBitPattern = std::numeric_limits<std::uint32_t>::max();

struct TNumberText {
  bool negative = false;
  int base = 10;
  std::string_view digits;
};

TNumberText SplitNumber(std::string_view text) {
  TNumberText number;
  if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
    number.negative = text.front() == '-';
    text.remove_prefix(1);
  }
  if (text.starts_with('$')) {
    text.remove_prefix(1);
    number.base = 16;
  } else if (text.starts_with("0x") || text.starts_with("0X")) {
    text.remove_prefix(2);
    number.base = 16;
  }
  number.digits = text;
  return number;
}

// from_chars would take a second sign; every character must be a digit.
std::optional<long long> ParseDigits(std::string_view digits, int base) {
  const auto digit = [base](char c) { return base == 16 ? IsHexDigit(c) : c >= '0' && c <= '9'; };
  if (digits.empty() || !std::ranges::all_of(digits, digit)) return std::nullopt;
  long long magnitude = 0;
  const char* end = digits.data() + digits.size();
  const auto result = std::from_chars(digits.data(), end, magnitude, base);
  if (result.ec != std::errc() || result.ptr != end) return std::nullopt;
  return magnitude;
}

}  // namespace

std::optional<int> ParseProfileInteger(std::string_view text) {
  const TNumberText number = SplitNumber(text);
  const auto magnitude = ParseDigits(number.digits, number.base);
  if (!magnitude) return std::nullopt;
  if (number.base == 16 && !number.negative && *magnitude <= kMaxBitPattern) {
    return static_cast<int>(static_cast<std::uint32_t>(*magnitude));
  }
  const long long value = number.negative ? -*magnitude : *magnitude;
  if (value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max()) {
    return std::nullopt;
  }
  return static_cast<int>(value);
}

TIniFile::TIniFile(std::filesystem::path path)
    : path_(std::filesystem::absolute(std::move(path))) {}

std::string TIniFile::ReadString(std::string_view section, std::string_view key,
                                 std::string_view defaultValue) const {
  const auto text = ReadProfileFile(path_);
  auto value = text ? profile_text::FindValue(*text, section, key) : std::nullopt;
  std::string result = value ? std::move(*value) : std::string(defaultValue);
  if (result.size() > kMaxValueLength) result.resize(kMaxValueLength);
  return result;
}

int TIniFile::ReadInteger(std::string_view section, std::string_view key, int defaultValue) const {
  return ParseProfileInteger(ReadString(section, key, "")).value_or(defaultValue);
}

bool TIniFile::ReadBool(std::string_view section, std::string_view key, bool defaultValue) const {
  const auto value = ParseProfileInteger(ReadString(section, key, ""));
  return value ? *value != 0 : defaultValue;
}

bool TIniFile::Exists() const { return ReadProfileFile(path_).has_value(); }

void TIniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
  WriteStrings(section, {{std::string(key), std::string(value)}});
}

void TIniFile::WriteStrings(std::string_view section, const TProfileEntries& entries) {
  RefuseLineBreaks(section);
  for (const auto& [key, value] : entries) {
    RefuseLineBreaks(key);
    RefuseLineBreaks(value);
  }
  const bool written = RewriteFile(path_, [&](std::string_view text) {
    std::string result(text);
    for (const auto& [key, value] : entries)
      result = profile_text::SetValue(result, section, key, value);
    return result;
  });
  if (!written) throw EIniFileError("Unable to write to " + path_.string());
}

void TIniFile::WriteInteger(std::string_view section, std::string_view key, int value) {
  WriteString(section, key, std::to_string(value));
}

void TIniFile::WriteBool(std::string_view section, std::string_view key, bool value) {
  WriteString(section, key, value ? "1" : "0");
}

}  // namespace orvane::config
