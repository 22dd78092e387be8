#include <sys/stat.h>
#include <unistd.h>

#include <iterator>

#include "IniFixture.h"
#include "config/FileRewrite.h"
#include "config/IniFile.h"

namespace orvane::config {
namespace {

using ProfileFileTest = IniFileTest;

struct stat StatOf(const std::filesystem::path& path) {
  struct stat info {};
  EXPECT_EQ(::stat(path.c_str(), &info), 0) << path;
  return info;
}

// Also shows that no temporary file was left behind.
std::ptrdiff_t EntriesIn(const std::filesystem::path& dir) {
  return std::distance(std::filesystem::directory_iterator(dir),
                       std::filesystem::directory_iterator());
}

// Lets the test account create files in the folder.
void OpenToAccount(const std::filesystem::path& dir) {
  if (::geteuid() != 0) return;
  ASSERT_EQ(::chown(dir.c_str(), TAsAccount::kUid, TAsAccount::kOwnGid), 0);
}

void ExpectRefused(const std::filesystem::path& path) {
  try {
    TIniFile(path).WriteInteger("RV", "Gain", 3);
    ADD_FAILURE() << "write reported success: " << path;
  } catch (const EIniFileError& error) {
    EXPECT_EQ(std::string(error.what()), "Unable to write to " + path.string());
  }
}

TEST_F(ProfileFileTest, ASymlinkHasItsTargetRewrittenBesideItAndStaysALink) {
  std::filesystem::create_directory(dir_ / "shared");
  const auto real = dir_ / "shared" / "real.ini";
  Put(real, "; lab settings\n[RV]\nGain=1\n");
  std::filesystem::create_symlink("real.ini", dir_ / "shared" / "link.ini");
  std::filesystem::create_symlink("shared/link.ini", path_);
  TIniFile(path_).WriteInteger("RV", "Gain", 3);
  EXPECT_EQ(Contents(real), "; lab settings\n[RV]\nGain=3\n");
  EXPECT_EQ(std::filesystem::read_symlink(path_), "shared/link.ini");
  EXPECT_TRUE(std::filesystem::is_symlink(dir_ / "shared" / "link.ini"));
  EXPECT_EQ(EntriesIn(dir_), 2);
  EXPECT_EQ(EntriesIn(dir_ / "shared"), 2);

  const auto dangling = dir_ / "other.ini";
  std::filesystem::create_symlink("missing.ini", dangling);
  TIniFile(dangling).WriteInteger("RV", "Gain", 4);
  EXPECT_TRUE(std::filesystem::is_symlink(dangling));
  EXPECT_EQ(Contents(dir_ / "missing.ini"), "[RV]\nGain=4\n");
}

// A FIFO would hold the start for ever and a link to a device feed it
// endless bytes: each reads as no file, at once, and is never written.
TEST_F(ProfileFileTest, OnlyARegularFileOfSaneSizeIsReadOrWritten) {
  ASSERT_EQ(::mkfifo((dir_ / "fifo").c_str(), 0600), 0);
  std::filesystem::create_symlink("/dev/zero", dir_ / "zero");
  Put(dir_ / "huge", "[RV]\nGain=1\n");
  std::filesystem::resize_file(dir_ / "huge", kMaxProfileFileSize + 1);
  for (const char* name : {"fifo", "zero", "huge"}) {
    SCOPED_TRACE(name);
    const TIniFile ini(dir_ / name);
    EXPECT_FALSE(ini.Exists());
    EXPECT_EQ(ini.ReadInteger("RV", "Gain", 2), 2);
    ExpectRefused(dir_ / name);
  }
  EXPECT_EQ(std::filesystem::status(dir_ / "fifo").type(), std::filesystem::file_type::fifo);
  EXPECT_EQ(std::filesystem::file_size(dir_ / "huge"), kMaxProfileFileSize + 1);
}

TEST_F(ProfileFileTest, RefusedWritesNameTheFullPathAndLeaveTheFileAsItWas) {
  Put("[RV]\nGain=1\n");
  ExpectRefused(path_ / "config.ini");  // under a plain file: nobody may
  ASSERT_EQ(::chmod(path_.c_str(), 0444), 0);
  OpenToAccount(dir_);
  const ino_t inode = StatOf(path_).st_ino;
  {
    const TAsAccount account;
    ExpectRefused(path_);
  }
  EXPECT_EQ(Contents(), "[RV]\nGain=1\n");
  EXPECT_EQ(StatOf(path_).st_ino, inode);
  EXPECT_EQ(StatOf(path_).st_mode & 07777, 0444u);
  EXPECT_EQ(EntriesIn(dir_), 1);
}

TEST_F(ProfileFileTest, AWritableFileIsReplacedWhereTheFolderAllowsAndElseWrittenInPlace) {
  Put("[RV]\nGain=1\n");
  ASSERT_EQ(::chmod(path_.c_str(), 0666), 0);
  OpenToAccount(dir_);
  const ino_t original = StatOf(path_).st_ino;
  {
    const TAsAccount account;
    TIniFile(path_).WriteInteger("RV", "Gain", 2);
  }
  const ino_t replaced = StatOf(path_).st_ino;
  EXPECT_NE(replaced, original);
  ASSERT_EQ(::chmod(dir_.c_str(), 0555), 0);
  {
    const TAsAccount account;
    TIniFile ini(path_);
    ini.WriteString("RV", "Note", "a longer line than the one that follows");
    ini.WriteString("RV", "Note", "short");
  }
  EXPECT_EQ(StatOf(path_).st_ino, replaced);
  EXPECT_EQ(Contents(), "[RV]\nGain=2\nNote=short\n");
  EXPECT_EQ(EntriesIn(dir_), 1);
}

// In a shared folder with the sticky bit only a file's owner may replace it;
// another account allowed to write it writes it in place.
TEST_F(ProfileFileTest, AStickyFolderThatForbidsTheReplaceGetsAnInPlaceWrite) {
  if (::geteuid() != 0) GTEST_SKIP() << "only root may give a file to another account";
  Put("[RV]\nGain=1\n");
  ASSERT_EQ(::chown(path_.c_str(), 4141, 4141), 0);
  ASSERT_EQ(::chmod(path_.c_str(), 0666), 0);
  ASSERT_EQ(::chmod(dir_.c_str(), 01777), 0);
  const ino_t inode = StatOf(path_).st_ino;
  {
    const TAsAccount account;
    TIniFile(path_).WriteInteger("RV", "Gain", 2);
  }
  EXPECT_EQ(StatOf(path_).st_ino, inode);
  EXPECT_EQ(Contents(), "[RV]\nGain=2\n");
  EXPECT_EQ(EntriesIn(dir_), 1);
}

TEST_F(ProfileFileTest, AReplacedFileKeepsItsModeAndItsOwnerAndGroupWhereTheAccountMay) {
  if (::geteuid() != 0) GTEST_SKIP() << "only root may give a file to another account";
  constexpr uid_t kOwner = 4141;
  Put("[RV]\nGain=1\n");
  ASSERT_EQ(::chown(path_.c_str(), kOwner, TAsAccount::kSharedGid), 0);
  ASSERT_EQ(::chmod(path_.c_str(), 0660), 0);
  TIniFile(path_).WriteInteger("RV", "Gain", 2);
  EXPECT_EQ(StatOf(path_).st_uid, kOwner);
  EXPECT_EQ(StatOf(path_).st_gid, TAsAccount::kSharedGid);
  EXPECT_EQ(StatOf(path_).st_mode & 07777, 0660u);

  OpenToAccount(dir_);
  const ino_t before = StatOf(path_).st_ino;
  {
    const TAsAccount account;  // in the file's group, and not its owner
    TIniFile(path_).WriteInteger("RV", "Gain", 3);
  }
  EXPECT_NE(StatOf(path_).st_ino, before);
  EXPECT_EQ(StatOf(path_).st_gid, TAsAccount::kSharedGid);
  EXPECT_EQ(StatOf(path_).st_mode & 07777, 0660u);
  EXPECT_EQ(Contents(), "[RV]\nGain=3\n");
}

TEST_F(ProfileFileTest, ANewFileTakesTheModeTheUmaskGives) {
  const mode_t previous = ::umask(027);
  TIniFile(path_).WriteInteger("RV", "Gain", 2);
  ::umask(previous);
  EXPECT_EQ(StatOf(path_).st_mode & 07777, 0640u);
}

}  // namespace
}  // namespace orvane::config
