#pragma once

#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace orvane::config {

// A refused write: the message names the file with its full path.
class EIniFileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Keys and their values, in the order they are written.
using TProfileEntries = std::vector<std::pair<std::string, std::string>>;

// A classic profile file ("[Section]" lines and "Key=Value" lines).
// It holds no cache: every read looks at the file as it is now and every
// write reaches the disk before returning, so two objects on one path, or a
// hand edit between calls, never disagree. Reading never fails and never
// creates the file; anything but a regular file of sane size (a FIFO, a
// device, a link to one) reads as a missing file. A write that cannot be
// made throws EIniFileError.
class TIniFile {
 public:
  static constexpr std::size_t kMaxValueLength = 2047;

  explicit TIniFile(std::filesystem::path path);

  const std::filesystem::path& FileName() const { return path_; }
  // False wherever every read gives its default because there is no file.
  bool Exists() const;

  std::string ReadString(std::string_view section, std::string_view key,
                         std::string_view defaultValue) const;
  // Decimal within 32 bits, or "$hex" or "0xhex" of up to 32 bits taken as
  // two's complement ($FFFFFFFF is -1); anything else gives the default.
  int ReadInteger(std::string_view section, std::string_view key, int defaultValue) const;
  // Any integer but 0 is true; text that is no integer gives the default.
  bool ReadBool(std::string_view section, std::string_view key, bool defaultValue) const;

  // Line breaks in a name or value would forge other lines: refused with
  // std::invalid_argument before anything is written.
  void WriteString(std::string_view section, std::string_view key, std::string_view value);
  void WriteInteger(std::string_view section, std::string_view key, int value);
  void WriteBool(std::string_view section, std::string_view key, bool value);
  // Every entry in one replacement of the file: all of them reach it, or
  // none does.
  void WriteStrings(std::string_view section, const TProfileEntries& entries);

 private:
  std::filesystem::path path_;
};

// Parses what ReadInteger accepts; exposed for callers that hold raw text.
std::optional<int> ParseProfileInteger(std::string_view text);

}  // namespace orvane::config
