#include "app/SingleInstance.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>

#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QTimer>
#include <QWidget>

#include "app/RuntimeFolder.h"

namespace orvane::app {
namespace {

constexpr char kLockName[] = "OrvaneMutex";
constexpr char kSocketName[] = "TPY_ORVANEFrm";
// A file name may hold any byte but NUL, so NUL ends the path.
constexpr char kEndOfPath = '\0';
constexpr int kHandOverMs = 500;
// A connection that sends no whole path in time, or more than any path, is
// dropped rather than kept open for ever.
constexpr int kReceiveMs = 1000;
constexpr qsizetype kLongestPath = 4096;

void Drop(QLocalSocket& socket) {
  socket.abort();
  socket.deleteLater();
}

}  // namespace

std::string RefusedFolderText(const std::filesystem::path& folder) {
  return folder.string() + " " + kRefusedFolder + kUnguarded;
}

std::string UnlockableText(const std::filesystem::path& lockFile) {
  return lockFile.string() + " " + kUnlockable + kUnguarded;
}

TSingleInstance::TSingleInstance() : folder_(RuntimeFolder()) {
  if (!folder_) {
    Unguard(RefusedFolderText(WantedRuntimeFolder()));
    return;
  }
  const std::filesystem::path lockPath = *folder_ / kLockName;
  const int fd = ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
  if (fd >= 0 && ::flock(fd, LOCK_EX | LOCK_NB) == 0) {
    lockFd_ = fd;
    return;
  }
  anotherCopy_ = fd >= 0 && errno == EWOULDBLOCK;
  if (!anotherCopy_) Unguard(UnlockableText(lockPath));
  if (fd >= 0) ::close(fd);
}

void TSingleInstance::Unguard(std::string why) {
  qWarning("%s", why.c_str());
  unguarded_ = std::move(why);
}

// The socket goes while the lock is still ours: once the lock is released a
// new copy may listen on a socket of its own, which must not be removed.
TSingleInstance::~TSingleInstance() {
  server_.reset();
  if (lockFd_ >= 0) ::close(lockFd_);
}

void TSingleInstance::Listen(QWidget& window) {
  window_ = &window;
  if (lockFd_ < 0 || server_) return;
  ownPath_ = QByteArray::fromStdString(OwnExecutablePath());
  // Only the holder of the lock gets here, so a socket file already there
  // was left by a copy that was killed.
  QLocalServer::removeServer(SocketPath());
  server_ = std::make_unique<QLocalServer>();
  if (!server_->listen(SocketPath())) {
    qWarning("cannot listen on %s: %s", qPrintable(SocketPath()),
             qPrintable(server_->errorString()));
    server_.reset();
    return;
  }
  QObject::connect(server_.get(), &QLocalServer::newConnection, server_.get(),
                   [this] { Accept(); });
}

void TSingleInstance::HandOver() const {
  if (!folder_) return;
  QLocalSocket socket;
  socket.connectToServer(SocketPath());
  if (!socket.waitForConnected(kHandOverMs)) return;
  QByteArray message = QByteArray::fromStdString(OwnExecutablePath());
  message.append(kEndOfPath);
  socket.write(message);
  socket.waitForBytesWritten(kHandOverMs);
  socket.disconnectFromServer();
}

QString TSingleInstance::SocketPath() const {
  return QFile::decodeName((*folder_ / kSocketName).c_str());
}

void TSingleInstance::Accept() {
  while (QLocalSocket* socket = server_->nextPendingConnection()) {
    auto received = std::make_shared<QByteArray>();
    QObject::connect(socket, &QLocalSocket::readyRead, socket,
                     [this, socket, received] { Receive(*socket, *received); });
    QObject::connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    QTimer::singleShot(kReceiveMs, socket, [socket] { Drop(*socket); });
  }
}

void TSingleInstance::Receive(QLocalSocket& socket, QByteArray& received) {
  received.append(socket.readAll());
  const qsizetype end = received.indexOf(kEndOfPath);
  if (end < 0 && received.size() <= kLongestPath) return;
  if (end >= 0 && received.first(end) == ownPath_) Raise();
  Drop(socket);
}

void TSingleInstance::Raise() {
  if (window_.isNull()) return;
  window_->raise();
  window_->activateWindow();
}

}  // namespace orvane::app
