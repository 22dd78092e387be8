#include "config/IniFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <fstream>
#include <limits>
#include <sstream>

#include "config/ProfileText.h"

namespace orvane::config {
namespace {

std::optional<std::string> ReadWholeFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

bool WriteAll(int fd, std::string_view data) {
  while (!data.empty()) {
    const ssize_t written = ::write(fd, data.data(), data.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    data.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

// A new file gets the permissions an ordinary new file would; a rewritten
// one keeps its own.
mode_t ModeFor(const std::filesystem::path& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) == 0) return info.st_mode & 07777;
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

// Written beside the file and renamed over it, so a crash or a full disk
// leaves either the old file or the new one, never half of one.
bool ReplaceAtomically(const std::filesystem::path& path, std::string_view content) {
  std::string temp = path.string() + ".XXXXXX";
  const int fd = ::mkstemp(temp.data());
  if (fd < 0) return false;
  const bool ok = ::fchmod(fd, ModeFor(path)) == 0 && WriteAll(fd, content) && ::fsync(fd) == 0;
  const bool closed = ::close(fd) == 0;
  if (ok && closed && ::rename(temp.c_str(), path.c_str()) == 0) return true;
  ::unlink(temp.c_str());
  return false;
}

void RefuseLineBreaks(std::string_view text) {
  if (text.find_first_of("\r\n") != std::string_view::npos) {
    throw std::invalid_argument("A profile name or value may not contain a line break");
  }
}

bool IsHexDigit(char c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

}  // namespace

std::optional<int> ParseProfileInteger(std::string_view text) {
  bool negative = false;
  if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  int base = 10;
  if (text.starts_with('$')) {
    text.remove_prefix(1);
    base = 16;
  } else if (text.starts_with("0x") || text.starts_with("0X")) {
    text.remove_prefix(2);
    base = 16;
  }
  // from_chars would take a second sign; every character must be a digit.
  const auto digit = [base](char c) { return base == 16 ? IsHexDigit(c) : c >= '0' && c <= '9'; };
  if (text.empty() || !std::ranges::all_of(text, digit)) return std::nullopt;
  long long magnitude = 0;
  const auto [end, error] =
      std::from_chars(text.data(), text.data() + text.size(), magnitude, base);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  const long long value = negative ? -magnitude : magnitude;
  if (value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max()) {
    return std::nullopt;
  }
  return static_cast<int>(value);
}

TIniFile::TIniFile(std::filesystem::path path)
    : path_(std::filesystem::absolute(std::move(path))) {}

std::string TIniFile::ReadString(std::string_view section, std::string_view key,
                                 std::string_view defaultValue) const {
  const auto text = ReadWholeFile(path_);
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

void TIniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
  RefuseLineBreaks(section);
  RefuseLineBreaks(key);
  RefuseLineBreaks(value);
  std::error_code missing;
  const bool exists = std::filesystem::exists(path_, missing);
  const auto text = ReadWholeFile(path_);
  if ((exists && !text) ||
      !ReplaceAtomically(path_, profile_text::SetValue(text.value_or(""), section, key, value))) {
    throw EIniFileError("Unable to write to " + path_.string());
  }
}

void TIniFile::WriteInteger(std::string_view section, std::string_view key, int value) {
  WriteString(section, key, std::to_string(value));
}

void TIniFile::WriteBool(std::string_view section, std::string_view key, bool value) {
  WriteString(section, key, value ? "1" : "0");
}

}  // namespace orvane::config
