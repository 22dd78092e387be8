#include "instrument/DeviceWatch.h"

#include <gtest/gtest.h>

#include <QEventLoop>
#include <QTemporaryDir>
#include <QTimer>

#include <sys/syscall.h>
#include <unistd.h>

#include <fstream>
#include <iterator>
#include <string>

namespace orvane::instrument::test {
namespace {

namespace fs = std::filesystem;
using Node = std::optional<TDeviceNode>;

void Touch(const fs::path& file) { std::ofstream(file) << "tty"; }

// Points `link` at `target` as udev does: a new link renamed over the old.
void Relink(const fs::path& link, const fs::path& target) {
  const fs::path temporary = link.string() + ".tmp";
  fs::create_symlink(target, temporary);
  fs::rename(temporary, link);
}

std::size_t OpenDescriptors() {
  return static_cast<std::size_t>(
      std::distance(fs::directory_iterator("/proc/self/fd"), fs::directory_iterator()));
}

// How often this thread has gone to sleep and been woken since it started.
long Wakeups() {
  std::ifstream status("/proc/self/task/" + std::to_string(syscall(SYS_gettid)) + "/status");
  for (std::string line; std::getline(status, line);) {
    if (line.starts_with("voluntary_ctxt_switches:")) return std::stol(line.substr(24));
  }
  return -1;
}

class DeviceWatchTest : public ::testing::Test {
 protected:
  // Runs the event loop until the watch has told `count` changes in all.
  bool WaitChanges(std::size_t count) {
    if (changes.size() >= count) return true;
    QEventLoop loop;
    wanted = count;
    quit = [&] { loop.quit(); };
    QTimer::singleShot(2000, &loop, &QEventLoop::quit);
    loop.exec();
    quit = nullptr;
    return changes.size() >= count;
  }

  QTemporaryDir temp;
  fs::path dir{temp.path().toStdString()};
  std::vector<Node> changes;
  std::size_t wanted = 0;
  std::function<void()> quit;
  TDeviceWatch watch{[this](const Node& node) {
    changes.push_back(node);
    if (quit && changes.size() >= wanted) quit();
  }};
};

TEST_F(DeviceWatchTest, ADeviceComingGoingAndComingBackIsEachAChangeAndNothingElseIs) {
  const fs::path device = dir / "ttyUSB0";
  ASSERT_TRUE(watch.Watch(device));
  EXPECT_FALSE(watch.Node());
  Touch(dir / "ttyUSB1");
  Touch(device);
  ASSERT_TRUE(WaitChanges(1));
  ASSERT_TRUE(changes[0]);
  EXPECT_EQ(changes[0], UsableDeviceAt(device));
  fs::remove(device);
  ASSERT_TRUE(WaitChanges(2));
  EXPECT_FALSE(changes[1]);
  Touch(device);
  ASSERT_TRUE(WaitChanges(3));
  ASSERT_TRUE(changes[2]);
  EXPECT_NE(changes[2], changes[0]) << "a node made again is another node";
  EXPECT_EQ(changes.size(), 3u) << "the other device never counted";
}

TEST_F(DeviceWatchTest, FoldersThatDoNotExistYetAreFollowedDownAsTheyAppear) {
  const fs::path device = dir / "serial" / "by-path" / "ttyACM0";
  EXPECT_EQ(FoldersDeciding(device), std::vector<fs::path>{dir});
  ASSERT_TRUE(watch.Watch(device));
  fs::create_directory(dir / "serial");
  fs::create_directory(dir / "serial" / "by-path");
  Touch(device);
  ASSERT_TRUE(WaitChanges(1));
  EXPECT_TRUE(changes[0]);

  // The whole chain goes and comes back at once, faster than the watches
  // can follow it one folder at a time.
  fs::remove_all(dir / "serial");
  ASSERT_TRUE(WaitChanges(2));
  EXPECT_FALSE(changes[1]);
  fs::create_directories(device.parent_path());
  Touch(device);
  ASSERT_TRUE(WaitChanges(3));
  EXPECT_TRUE(changes[2]);
}

TEST_F(DeviceWatchTest, AByIdLinkIsFollowedToWhicheverNodeItNames) {
  const fs::path byId = dir / "serial" / "by-id";
  const fs::path link = byId / "usb-FTDI_FT232R_A6008isP-if00-port0";
  fs::create_directories(byId);
  fs::create_symlink("../../ttyUSB0", link);
  EXPECT_EQ(FoldersDeciding(link), (std::vector<fs::path>{byId, dir}));
  ASSERT_TRUE(watch.Watch(link));
  EXPECT_FALSE(watch.Node()) << "a link to nothing names no device";

  Touch(dir / "ttyUSB0");
  ASSERT_TRUE(WaitChanges(1));
  EXPECT_EQ(changes[0], UsableDeviceAt(dir / "ttyUSB0"));

  // The adapter re-enumerated under another number.
  Touch(dir / "ttyUSB1");
  Relink(link, "../../ttyUSB1");
  ASSERT_TRUE(WaitChanges(2));
  EXPECT_EQ(changes[1], UsableDeviceAt(dir / "ttyUSB1"));
  fs::remove(dir / "ttyUSB0");

  // The last adapter went: udev takes the folder with it.
  fs::remove_all(dir / "serial");
  fs::remove(dir / "ttyUSB1");
  ASSERT_TRUE(WaitChanges(3));
  EXPECT_FALSE(changes[2]);
  Touch(dir / "ttyUSB2");
  fs::create_directories(byId);
  Relink(link, "../../ttyUSB2");
  ASSERT_TRUE(WaitChanges(4));
  EXPECT_EQ(changes[3], UsableDeviceAt(dir / "ttyUSB2"));
}

TEST_F(DeviceWatchTest, ALinkToALinkInAnotherFolderIsWatchedThere) {
  fs::create_directory(dir / "a");
  fs::create_directory(dir / "b");
  fs::create_symlink(dir / "b" / "second", dir / "a" / "first");
  fs::create_symlink("../ttyS4", dir / "b" / "second");
  EXPECT_EQ(FoldersDeciding(dir / "a" / "first"),
            (std::vector<fs::path>{dir / "a", dir / "b", dir}));
  ASSERT_TRUE(watch.Watch(dir / "a" / "first"));
  Touch(dir / "ttyS4");
  ASSERT_TRUE(WaitChanges(1));
  EXPECT_TRUE(changes[0]);

  fs::create_symlink("loop", dir / "loop");
  EXPECT_LE(FoldersDeciding(dir / "loop").size(), 9u);
  EXPECT_FALSE(UsableDeviceAt(dir / "loop"));
}

// A poll of the path would wake the thread however rarely; the watch leaves
// it asleep until a folder changes. The loop's own end is one wake-up.
TEST_F(DeviceWatchTest, NothingWakesWhileNothingChanges) {
  fs::create_directories(dir / "serial" / "by-id");
  fs::create_symlink("../../ttyUSB0", dir / "serial" / "by-id" / "adapter");
  ASSERT_TRUE(watch.Watch(dir / "serial" / "by-id" / "adapter"));
  const long before = Wakeups();
  EXPECT_FALSE(WaitChanges(1));
  EXPECT_LE(Wakeups() - before, 3);
  Touch(dir / "ttyUSB0");
  EXPECT_TRUE(WaitChanges(1));
}

TEST_F(DeviceWatchTest, AStoppedWatchIsSilentAndWatchingAgainCostsNoDescriptor) {
  ASSERT_TRUE(watch.Watch(dir / "ttyUSB0"));
  const std::size_t descriptors = OpenDescriptors();
  for (int i = 0; i < 100; ++i) {
    watch.Stop();
    ASSERT_TRUE(watch.Watch(dir / ("ttyUSB" + std::to_string(i % 3))));
  }
  EXPECT_EQ(OpenDescriptors(), descriptors);

  watch.Stop();
  EXPECT_FALSE(watch.Watching());
  Touch(dir / "ttyUSB0");
  ASSERT_TRUE(watch.Watch(dir / "ttyACM0"));
  Touch(dir / "ttyACM0");
  ASSERT_TRUE(WaitChanges(1));
  EXPECT_EQ(changes[0], UsableDeviceAt(dir / "ttyACM0")) << "nothing heard while stopped";
}

}  // namespace
}  // namespace orvane::instrument::test
