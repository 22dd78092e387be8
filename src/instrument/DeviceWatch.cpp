#include "instrument/DeviceWatch.h"

#include <QSocketNotifier>

#include <fcntl.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

namespace orvane::instrument {
namespace fs = std::filesystem;

namespace {

// udev's links are one or two deep; a loop must not hold us.
constexpr int kMaxLinks = 8;
// A link may change between reading it and watching its folder. Reading the
// chain again once its folders are watched settles that; a chain that keeps
// changing is caught by the events of the folders already watched.
constexpr int kMaxRounds = 4;
constexpr std::uint32_t kFolderEvents = IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO |
                                        IN_ATTRIB | IN_DELETE_SELF | IN_MOVE_SELF | IN_ONLYDIR;

fs::path NearestFolder(fs::path folder) {
  std::error_code error;
  while (!fs::is_directory(folder, error) && folder.has_relative_path()) {
    folder = folder.parent_path();
  }
  return folder;
}

}  // namespace

std::optional<TDeviceNode> UsableDeviceAt(const fs::path& path) {
  struct stat st {};
  if (stat(path.c_str(), &st) != 0) return std::nullopt;
  if (faccessat(AT_FDCWD, path.c_str(), R_OK | W_OK, AT_EACCESS) != 0) return std::nullopt;
  return TDeviceNode{st.st_dev, st.st_ino,
                     st.st_ctim.tv_sec * 1'000'000'000LL + st.st_ctim.tv_nsec};
}

std::vector<fs::path> FoldersDeciding(const fs::path& path) {
  std::vector<fs::path> folders;
  std::error_code error;
  fs::path current = fs::absolute(path, error).lexically_normal();
  for (int link = 0; link <= kMaxLinks; ++link) {
    folders.push_back(NearestFolder(current.parent_path()));
    if (!fs::is_symlink(fs::symlink_status(current, error))) break;
    const fs::path target = fs::read_symlink(current, error);
    if (error) break;
    current = (current.parent_path() / target).lexically_normal();
  }
  return folders;
}

// The instance is made at once, so the program holds the same descriptors
// before its first watch as after its last; a watch tries again should the
// system have refused it here.
TDeviceWatch::TDeviceWatch(THandler onChange, QObject* parent)
    : QObject(parent), onChange_(std::move(onChange)) {
  EnsureInstance();
}

TDeviceWatch::~TDeviceWatch() {
  notifier_.reset();
  if (fd_ >= 0) close(fd_);
}

bool TDeviceWatch::Watch(fs::path path) {
  if (!EnsureInstance()) return false;
  path_ = std::move(path);
  node_.reset();
  watching_ = true;
  Refresh();
  return true;
}

void TDeviceWatch::Stop() {
  DropWatches();
  watching_ = false;
  path_.clear();
  node_.reset();
}

// One instance serves every watch for the life of the object, so starting
// and stopping never costs a descriptor.
bool TDeviceWatch::EnsureInstance() {
  if (fd_ >= 0) return true;
  fd_ = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
  if (fd_ < 0) return false;
  notifier_ = std::make_unique<QSocketNotifier>(fd_, QSocketNotifier::Read);
  connect(notifier_.get(), &QSocketNotifier::activated, this, [this] { Readable(); });
  return true;
}

// Which event it was does not matter: the folders are read again whatever
// happened, an overflowed queue included.
void TDeviceWatch::Readable() {
  alignas(inotify_event) char events[4096];
  while (read(fd_, events, sizeof events) > 0) {
  }
  if (!watching_ || !Refresh()) return;
  const std::optional<TDeviceNode> node = node_;
  onChange_(node);
}

bool TDeviceWatch::Refresh() {
  std::vector<fs::path> folders = FoldersDeciding(path_);
  for (int round = 0; round < kMaxRounds; ++round) {
    WatchFolders(folders);
    std::vector<fs::path> now = FoldersDeciding(path_);
    if (now == folders) break;
    folders = std::move(now);
  }
  std::optional<TDeviceNode> node = UsableDeviceAt(path_);
  if (node == node_) return false;
  node_ = node;
  return true;
}

// Watching a folder already watched gives its descriptor again, so only the
// folders left out are given up; a folder that vanished was given up by the
// kernel already.
void TDeviceWatch::WatchFolders(const std::vector<fs::path>& folders) {
  std::map<int, fs::path> kept;
  for (const fs::path& folder : folders) {
    const int wd = inotify_add_watch(fd_, folder.c_str(), kFolderEvents);
    if (wd >= 0) kept.emplace(wd, folder);
  }
  for (const auto& [wd, folder] : watches_) {
    if (!kept.contains(wd)) inotify_rm_watch(fd_, wd);
  }
  watches_ = std::move(kept);
}

void TDeviceWatch::DropWatches() {
  for (const auto& [wd, folder] : watches_) inotify_rm_watch(fd_, wd);
  watches_.clear();
}

}  // namespace orvane::instrument
