#pragma once

#include <QObject>

#include <sys/types.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <vector>

class QSocketNotifier;

namespace orvane::instrument {

// One device node as found at one moment. A pty made again under the same
// number gets the same inode number back, so the node's change time is part
// of what tells the new one from the old.
struct TDeviceNode {
  dev_t device = 0;
  ino_t inode = 0;
  std::int64_t changedNs = 0;
  bool operator==(const TDeviceNode&) const = default;
};

// What `path` names now, links followed, when this account may open it for
// reading and writing: a node that udev has not yet handed to the dialout
// group does not count until it has.
std::optional<TDeviceNode> UsableDeviceAt(const std::filesystem::path& path);

// The folders whose changes can change what `path` names: the path's own and,
// for a link, each target's along the chain; a folder that does not exist is
// stood for by the nearest one above it that does (udev removes
// /dev/serial/by-id with the last adapter and makes it again with the next).
std::vector<std::filesystem::path> FoldersDeciding(const std::filesystem::path& path);

// Tells when what a device path names changes: it appears, goes, is replaced
// by another node, or becomes usable. inotify watches the deciding folders,
// which are worked out again after every change, and a socket notifier on
// the thread that made the watch reads them; while nothing in those folders
// changes, nothing wakes.
class TDeviceWatch : public QObject {
  Q_OBJECT

 public:
  using THandler = std::function<void(const std::optional<TDeviceNode>& node)>;

  explicit TDeviceWatch(THandler onChange, QObject* parent = nullptr);
  ~TDeviceWatch() override;

  // Watches `path` instead of whatever was watched before. Node() tells what
  // it names now; the handler hears of changes from here on. False when the
  // system grants no inotify instance.
  bool Watch(std::filesystem::path path);
  // The handler may call it.
  void Stop();
  bool Watching() const { return watching_; }
  const std::filesystem::path& Path() const { return path_; }
  const std::optional<TDeviceNode>& Node() const { return node_; }

 private:
  bool EnsureInstance();
  void Readable();
  // Watches the folders deciding the path now; true when the node changed.
  bool Refresh();
  void WatchFolders(const std::vector<std::filesystem::path>& folders);
  void DropWatches();

  THandler onChange_;
  int fd_ = -1;
  std::unique_ptr<QSocketNotifier> notifier_;
  std::map<int, std::filesystem::path> watches_;  // by watch descriptor
  std::filesystem::path path_;
  std::optional<TDeviceNode> node_;
  bool watching_ = false;
};

}  // namespace orvane::instrument
