#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace orvane::config {

// Gives the file at `path` the text `edit` makes of its current text (empty
// for a missing file). A symlink's target is what is rewritten, beside
// itself. The new text replaces the file atomically where its folder allows
// it and is written in place where only the file is writable; mode, and
// owner and group where the account may, are kept. False, with the file as
// it was, when the account may not read or write the file or the write fails.
using TTextEdit = std::function<std::string(std::string_view current)>;
bool RewriteFile(const std::filesystem::path& path, const TTextEdit& edit);

}  // namespace orvane::config
