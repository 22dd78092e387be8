// The profile file's reader and writer on arbitrary file contents, names and
// values, in a folder of its own.
// Input: a flags byte (bit 0: the file exists; bit 1: the value is written
// ten times over, past the longest value read back), then the section, the
// key, a second section and key, and the value, each a length byte and its
// bytes, then the file's contents.

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "FuzzSupport.h"
#include "ProfileReference.h"
#include "config/IniFile.h"

namespace {

using namespace orvane;
namespace profile = fuzz::profile;
namespace fs = std::filesystem;

// No value read from a file holds a line feed, so this default means "absent".
constexpr std::string_view kAbsent = "\n";

const fs::path& Folder() {
  static const fs::path folder = [] {
    std::string pattern = (fs::temp_directory_path() / "orvane-fuzz-profile-XXXXXX").string();
    fuzz::Require(::mkdtemp(pattern.data()) != nullptr, "a temporary folder can be made");
    std::atexit([] { fs::remove_all(Folder()); });
    return fs::path(pattern);
  }();
  return folder;
}

std::optional<std::string> Contents(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

struct TCase {
  std::string_view section, key, section2, key2;
  std::string value;
};

bool Representable(std::string_view section, std::string_view key) {
  return profile::SectionRepresentable(section) && profile::KeyRepresentable(key);
}

void CheckRefused(const TCase& c, const fs::path& path, const std::optional<std::string>& before) {
  config::TIniFile ini(path);
  bool refused = false;
  try {
    ini.WriteString(c.section, c.key, c.value);
  } catch (const std::invalid_argument&) {
    refused = true;
  }
  fuzz::Require(refused, "a line break in a name or value is refused");
  fuzz::Require(Contents(path) == before, "a refused write leaves the file as it was");
}

// The file afterwards against the one before; which edit was made.
profile::TEdit CheckFile(const TCase& c, const fs::path& path,
                         const std::optional<std::string>& before) {
  const auto after = Contents(path);
  fuzz::Require(after.has_value(), "a write leaves a file");
  const std::string entry = std::string(c.key) + "=" + c.value;
  const auto edit =
      profile::EditMade(before.value_or(""), *after, entry, "[" + std::string(c.section) + "]");
  fuzz::Require(edit != profile::TEdit::kNone, "every other line survives byte for byte");
  fuzz::Require(std::distance(fs::directory_iterator(Folder()), fs::directory_iterator()) == 1,
                "no temporary file is left behind");
  return edit;
}

// `had` and `other`: the key and the second key as read before the write.
void CheckReads(const config::TIniFile& ini, const TCase& c, profile::TEdit edit,
                const std::string& had, const std::string& other) {
  fuzz::Require((edit == profile::TEdit::kReplaced) == (had != kAbsent),
                "a key present is replaced, an absent one added");
  fuzz::Require(ini.ReadString(c.section, c.key, kAbsent) == profile::ReadBack(c.value),
                "a read after a write returns what was written");
  const bool same = profile::SameName(c.section, c.section2) && profile::SameName(c.key, c.key2);
  fuzz::Require(same || ini.ReadString(c.section2, c.key2, kAbsent) == other,
                "a write changes no other key");
}

// Settings are integers written as text; any text may be found instead.
void CheckInteger(std::string_view text) {
  const auto documented = profile::DocumentedInteger(text);
  const auto parsed = config::ParseProfileInteger(text);
  fuzz::Require(!documented || parsed == documented, "an integer reads as documented");
}

void CheckWritten(const TCase& c, const fs::path& path, const std::optional<std::string>& before) {
  config::TIniFile ini(path);
  const std::string had = ini.ReadString(c.section, c.key, kAbsent);
  const std::string other = ini.ReadString(c.section2, c.key2, kAbsent);
  ini.WriteString(c.section, c.key, c.value);
  const profile::TEdit edit = CheckFile(c, path, before);
  if (Representable(c.section, c.key)) CheckReads(ini, c, edit, had, other);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::TFuzzInput input(data, size);
  const std::uint8_t flags = input.Byte();
  TCase c{input.Text(24), input.Text(24), input.Text(24), input.Text(24), {}};
  const std::string_view value = input.Text();
  for (int times = (flags & 2) ? 10 : 1; times > 0; --times) c.value += value;
  const fs::path path = Folder() / "config.ini";
  fs::remove(path);
  if (flags & 1) std::ofstream(path, std::ios::binary) << input.Rest();
  const auto before = Contents(path);
  CheckInteger(c.value);
  const bool breaks = profile::HasLineBreak(c.section) || profile::HasLineBreak(c.key) ||
                      profile::HasLineBreak(c.value);
  if (breaks) {
    CheckRefused(c, path, before);
  } else {
    CheckWritten(c, path, before);
  }
  return 0;
}
