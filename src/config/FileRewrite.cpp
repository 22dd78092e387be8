#include "config/FileRewrite.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <random>
#include <tuple>
#include <utility>

namespace orvane::config {
namespace {

constexpr int kMaxLinkHops = 40;  // where the kernel gives up too
constexpr int kTempNameAttempts = 100;
constexpr mode_t kNewFileMode = 0666;
constexpr uid_t kSameOwner = static_cast<uid_t>(-1);

class TFileDescriptor {
 public:
  explicit TFileDescriptor(int fd) : fd_(fd) {}
  ~TFileDescriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  TFileDescriptor(const TFileDescriptor&) = delete;
  TFileDescriptor& operator=(const TFileDescriptor&) = delete;

  int Get() const { return fd_; }
  // Some filesystems report a failed write-back only here.
  bool Close() { return ::close(std::exchange(fd_, -1)) == 0; }

 private:
  int fd_;
};

enum class TReplace { kDone, kFolderRefused, kFailed };

// Replacing the link itself would leave the operator's later edits of its
// target unread. A dangling link names the file to create.
std::filesystem::path FollowLinks(std::filesystem::path path) {
  std::error_code error;
  for (int hop = 0; hop < kMaxLinkHops && std::filesystem::is_symlink(path, error); ++hop) {
    const auto target = std::filesystem::read_symlink(path, error);
    if (error) break;
    path = path.parent_path() / target;
  }
  return path;
}

// A file that grows past the bound while it is read is refused all the same.
bool ReadAll(int fd, std::string& text) {
  char buffer[8192];
  for (;;) {
    const ssize_t got = ::read(fd, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) return got == 0;
    text.append(buffer, static_cast<std::size_t>(got));
    if (text.size() > kMaxProfileFileSize) return false;
  }
}

// Only a regular file is a profile file; anything else in its place is refused.
bool ReadRegularFile(int fd, struct stat& info, std::string& text) {
  return ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) &&
         static_cast<std::size_t>(info.st_size) <= kMaxProfileFileSize && ReadAll(fd, text);
}

// Opening a serial line raises its modem lines and opening a FIFO waits for a
// writer, so what is not a regular file is not opened at all (EINVAL). One
// swapped in after the look is opened without waiting and refused by
// ReadRegularFile.
int OpenRegular(const std::filesystem::path& path, int flags) {
  struct stat info {};
  if (::stat(path.c_str(), &info) == 0 && !S_ISREG(info.st_mode)) {
    errno = EINVAL;
    return -1;
  }
  return ::open(path.c_str(), flags | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
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

bool IsRefusal(int error) { return error == EACCES || error == EPERM; }

// mkstemp would make the file 0600 and leave the umask to be guessed (and
// reading the umask means setting it, for every thread); opening with the
// mode wanted lets the kernel apply it.
int CreateTempBeside(const std::filesystem::path& target, mode_t mode, std::string& name) {
  std::random_device random;
  for (int attempt = 0; attempt < kTempNameAttempts; ++attempt) {
    name = target.string() + "." + std::to_string(random());
    const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

// An account that may not give the file away may still keep it in the group
// that shares it; chown goes first because it may clear set-id bits.
bool KeepAttributes(int fd, const struct stat& old) {
  if (::fchown(fd, old.st_uid, old.st_gid) != 0) {
    std::ignore = ::fchown(fd, kSameOwner, old.st_gid);
  }
  return ::fchmod(fd, old.st_mode & 07777) == 0;
}

// Written beside the file and renamed over it, so a crash or a full disk
// leaves either the old file or the new one, never half of one.
TReplace ReplaceBeside(const std::filesystem::path& target, std::string_view content,
                       const struct stat* old) {
  std::string temp;
  TFileDescriptor file(CreateTempBeside(target, old ? old->st_mode & 0777 : kNewFileMode, temp));
  if (file.Get() < 0) return IsRefusal(errno) ? TReplace::kFolderRefused : TReplace::kFailed;
  const bool written = (!old || KeepAttributes(file.Get(), *old)) &&
                       WriteAll(file.Get(), content) && ::fsync(file.Get()) == 0 && file.Close();
  if (written && ::rename(temp.c_str(), target.c_str()) == 0) return TReplace::kDone;
  const int error = errno;
  ::unlink(temp.c_str());
  return written && IsRefusal(error) ? TReplace::kFolderRefused : TReplace::kFailed;
}

// The new text goes over the old before the file is cut to length, so the
// blocks the old text held are still there to put it back if writing fails.
bool Overwrite(int fd, std::string_view content) {
  return ::lseek(fd, 0, SEEK_SET) == 0 && WriteAll(fd, content) &&
         ::ftruncate(fd, static_cast<off_t>(content.size())) == 0 && ::fsync(fd) == 0;
}

bool WriteInPlace(int fd, std::string_view content, std::string_view old) {
  if (Overwrite(fd, content)) return true;
  Overwrite(fd, old);
  return false;
}

}  // namespace

std::optional<std::string> ReadProfileFile(const std::filesystem::path& path) {
  TFileDescriptor file(OpenRegular(path, O_RDONLY));
  struct stat info {};
  std::string text;
  if (file.Get() < 0 || !ReadRegularFile(file.Get(), info, text)) return std::nullopt;
  return text;
}

bool RewriteFile(const std::filesystem::path& path, const TTextEdit& edit) {
  const auto target = FollowLinks(path);
  TFileDescriptor file(OpenRegular(target, O_RDWR));
  if (file.Get() < 0 && errno != ENOENT) return false;
  struct stat old {};
  std::string text;
  const bool exists = file.Get() >= 0;
  if (exists && !ReadRegularFile(file.Get(), old, text)) return false;
  const std::string content = edit(text);
  const TReplace replaced = ReplaceBeside(target, content, exists ? &old : nullptr);
  if (replaced != TReplace::kFolderRefused || !exists) return replaced == TReplace::kDone;
  return WriteInPlace(file.Get(), content, text) && file.Close();
}

}  // namespace orvane::config
