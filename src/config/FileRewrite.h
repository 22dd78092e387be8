#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace orvane::config {

// A profile file is a regular file of a few kilobytes; one larger than this
// is no profile file (and a link to a device could yield bytes for ever).
inline constexpr std::size_t kMaxProfileFileSize = std::size_t{16} << 20;

// The text of the regular file at `path` (through links); nothing for a
// missing file, one over kMaxProfileFileSize, or anything but a regular file,
// which is never opened: a FIFO or a device in its place is passed over at
// once rather than waited for or read from.
std::optional<std::string> ReadProfileFile(const std::filesystem::path& path);

// Gives the file at `path` the text `edit` makes of its current text (empty
// for a missing file). A symlink's target is what is rewritten, beside
// itself. The new text replaces the file atomically where its folder allows
// it and is written in place where only the file is writable; mode, and
// owner and group where the account may, are kept. False, with the file as
// it was, when the account may not read or write the file, when it is no
// profile file (as ReadProfileFile has it), or when the write fails.
using TTextEdit = std::function<std::string(std::string_view current)>;
bool RewriteFile(const std::filesystem::path& path, const TTextEdit& edit);

}  // namespace orvane::config
