#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace orvane::app {

// `folder` when it may hold the lock and the socket of the running copy: a
// real directory, not a link, owned by this account and closed to everyone
// else. Another account's folder could hand us its own socket or take our
// lock, so anything else is refused. With `create`, a missing folder is made
// with mode 0700.
std::optional<std::filesystem::path> TrustedFolder(const std::filesystem::path& folder,
                                                   bool create);

// Where the running copy keeps its lock and socket: $XDG_RUNTIME_DIR, else
// /tmp/orvane-<uid>/; nothing when that folder cannot be trusted.
std::optional<std::filesystem::path> RuntimeFolder();
// That folder, trusted or not.
std::filesystem::path WantedRuntimeFolder();

// The full path of the running executable, links resolved.
std::string OwnExecutablePath();

}  // namespace orvane::app
