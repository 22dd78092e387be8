#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include <QByteArray>
#include <QPointer>
#include <QString>

class QLocalServer;
class QLocalSocket;
class QWidget;

namespace orvane::app {

// What the operator is told when this copy runs without the guard: the
// runtime folder or the lock file, then one of these.
inline constexpr char kRefusedFolder[] =
    "is not a private folder of this account (it must be its own, mode 0700)";
inline constexpr char kUnlockable[] = "cannot be locked";
inline constexpr char kUnguarded[] =
    ": nothing keeps a second copy of the panel from starting, and two copies would both "
    "drive the instrument";
std::string RefusedFolderText(const std::filesystem::path& folder);
std::string UnlockableText(const std::filesystem::path& lockFile);

// One running copy per account and runtime folder. The first copy holds an
// exclusive lock on OrvaneMutex for the life of the process; the kernel
// drops it with the process, however that ends, so a killed copy never
// blocks the next start. Once its main window exists the first copy listens
// on the socket TPY_ORVANEFrm beside the lock; a later copy sends its
// executable path there and ends, and the window comes to the front when the
// path is the first copy's own (a copy installed elsewhere is another
// installation, with its own config.ini).
class TSingleInstance {
 public:
  // Takes the lock when it can. Without a trusted runtime folder, or when the
  // lock cannot be set up at all, this copy runs unguarded as the first.
  TSingleInstance();
  ~TSingleInstance();
  TSingleInstance(const TSingleInstance&) = delete;
  TSingleInstance& operator=(const TSingleInstance&) = delete;

  // Another copy holds the lock: this one should hand over and end.
  bool AnotherCopyRuns() const { return anotherCopy_; }
  // Why this copy runs unguarded, already on standard error; empty when
  // guarded.
  const std::string& Unguarded() const { return unguarded_; }

  // First copy: from now on a hand-over raises and activates `window`.
  void Listen(QWidget& window);

  // Second copy: tells the running copy who started. Returns within a second
  // at most, at once when nobody listens (the first copy is still starting).
  void HandOver() const;

 private:
  void Unguard(std::string why);
  QString SocketPath() const;
  void Accept();
  void Receive(QLocalSocket& socket, QByteArray& received);
  void Raise();

  std::optional<std::filesystem::path> folder_;
  int lockFd_ = -1;
  bool anotherCopy_ = false;
  std::string unguarded_;
  std::unique_ptr<QLocalServer> server_;
  QPointer<QWidget> window_;
  QByteArray ownPath_;
};

}  // namespace orvane::app
