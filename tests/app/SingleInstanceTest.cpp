#include "app/SingleInstance.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>

#include <QCoreApplication>
#include <QProcess>
#include <QWidget>

#include "InstanceChild.h"
#include "PortFixture.h"
#include "app/RuntimeFolder.h"

namespace orvane::app::test {
namespace {

namespace fs = std::filesystem;
using serial::test::RunFor;
using serial::test::RunUntil;

// A runtime folder of the test's own, so no real copy of the panel is met.
class SingleInstanceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/orvane-run-XXXXXX";
    Folder = ::mkdtemp(pattern);
    ::setenv("XDG_RUNTIME_DIR", Folder.c_str(), 1);
  }
  void TearDown() override {
    ::unsetenv("XDG_RUNTIME_DIR");
    fs::remove_all(Folder);
  }

  // Runs `program` (this test program unless said) as another copy of the
  // panel and serves this copy's events meanwhile; its exit code.
  static int RunCopy(const char* mode,
                     const QString& program = QCoreApplication::applicationFilePath()) {
    QProcess copy;
    copy.start(program, {kInstanceChildFlag, mode});
    RunUntil([&] { return copy.state() == QProcess::NotRunning; }, 10000);
    return copy.exitStatus() == QProcess::NormalExit ? copy.exitCode() : -1;
  }

  // Shows `window` and another window in front of it.
  static void ShowBehindAnother(QWidget& window, QWidget& other) {
    window.show();
    other.show();
    other.activateWindow();
    ASSERT_TRUE(RunUntil([&] { return other.isActiveWindow(); }));
  }

  fs::path Folder;
};

TEST_F(SingleInstanceTest, TheLockIsHeldForTheLifeOfTheGuard) {
  {
    TSingleInstance first;
    EXPECT_FALSE(first.AnotherCopyRuns());
    EXPECT_EQ(RunCopy("probe"), kSecondCopy);
    const TSingleInstance sameProcess;
    EXPECT_TRUE(sameProcess.AnotherCopyRuns());
  }
  EXPECT_EQ(RunCopy("probe"), kFirstCopy);
}

TEST_F(SingleInstanceTest, HandOverRaisesTheWindowOnlyForTheSameProgram) {
  TSingleInstance first;
  QWidget window;
  QWidget other;
  ShowBehindAnother(window, other);
  first.Listen(window);

  // The same program under another path is another installation.
  const fs::path elsewhere = Folder / "elsewhere";
  fs::create_directory(elsewhere);
  fs::copy_file(QCoreApplication::applicationFilePath().toStdString(), elsewhere / "orvane");
  EXPECT_EQ(RunCopy("handover", QString::fromStdString((elsewhere / "orvane").string())), 0);
  RunFor(200);
  EXPECT_TRUE(other.isActiveWindow());

  EXPECT_EQ(RunCopy("handover"), 0);
  EXPECT_TRUE(RunUntil([&] { return window.isActiveWindow(); }));
}

TEST_F(SingleInstanceTest, WithNobodyListeningHandOverReturnsAtOnce) {
  const TSingleInstance first;
  const TSingleInstance second;
  ASSERT_TRUE(second.AnotherCopyRuns());
  const auto started = std::chrono::steady_clock::now();
  second.HandOver();
  EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::milliseconds(100));
  EXPECT_EQ(RunCopy("handover"), 0);
}

TEST_F(SingleInstanceTest, ACopyKilledWhileRunningLeavesNothingThatBlocksTheNext) {
  QProcess killed;
  killed.start(QCoreApplication::applicationFilePath(), {kInstanceChildFlag, "hold"});
  ASSERT_TRUE(killed.waitForReadyRead(10000));
  EXPECT_EQ(killed.readAllStandardOutput(), "held\n");
  EXPECT_EQ(RunCopy("probe"), kSecondCopy);
  killed.kill();
  ASSERT_TRUE(killed.waitForFinished());
  ASSERT_TRUE(fs::exists(Folder / "OrvaneMutex"));
  ASSERT_TRUE(fs::exists(Folder / "TPY_ORVANEFrm"));

  TSingleInstance next;
  EXPECT_FALSE(next.AnotherCopyRuns());
  QWidget window;
  QWidget other;
  ShowBehindAnother(window, other);
  next.Listen(window);
  EXPECT_EQ(RunCopy("handover"), 0);
  EXPECT_TRUE(RunUntil([&] { return window.isActiveWindow(); }));
}

TEST_F(SingleInstanceTest, OnlyAPrivateFolderOfOurOwnIsTrusted) {
  EXPECT_EQ(TrustedFolder(Folder, false), Folder);
  EXPECT_EQ(RuntimeFolder(), Folder);
  const fs::path made = Folder / "made";
  EXPECT_EQ(TrustedFolder(made, true), made);
  struct stat info {};
  ASSERT_EQ(::stat(made.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 077, 0u);

  fs::create_directory_symlink(made, Folder / "link");
  EXPECT_EQ(TrustedFolder(Folder / "link", true), std::nullopt);
  EXPECT_EQ(TrustedFolder(Folder / "absent", false), std::nullopt);
  ASSERT_EQ(::chmod(made.c_str(), 0750), 0);
  EXPECT_EQ(TrustedFolder(made, false), std::nullopt);
  ASSERT_EQ(::chmod(made.c_str(), 0700), 0);
  if (::geteuid() == 0 && ::chown(made.c_str(), 4242, 4242) == 0) {
    EXPECT_EQ(TrustedFolder(made, false), std::nullopt);
  }

  // An open folder takes no lock: someone else could hold it for us.
  ASSERT_EQ(::chmod(Folder.c_str(), 0755), 0);
  const TSingleInstance first;
  const TSingleInstance second;
  EXPECT_FALSE(second.AnotherCopyRuns());
  EXPECT_EQ(second.Unguarded(), RefusedFolderText(Folder));
  EXPECT_FALSE(fs::exists(Folder / "OrvaneMutex"));
}

}  // namespace
}  // namespace orvane::app::test
