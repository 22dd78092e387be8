#include "instrument/AutoReconnect.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QTimer>

#include <fstream>
#include <memory>

#include "LinkFakes.h"

namespace orvane::instrument::test {
namespace {

namespace fs = std::filesystem;

void Touch(const fs::path& file) { std::ofstream(file) << "tty"; }

// The link as the watchdogs leave it when the adapter was pulled: lost, the
// port still open on a device that failed.
class AutoReconnectTest : public ::testing::Test {
 protected:
  void SetUp() override {
    port.open = true;
    port.failed = true;
    port.devicePath = device.string();
    link.CommsLost = true;
  }

  // Runs the event loop until another reconnect happened, or for `ms`
  // without one.
  bool WaitReconnect(int ms = 2000) {
    const int before = reconnects;
    QEventLoop loop;
    done = [&] { loop.quit(); };
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
    done = nullptr;
    return reconnects > before;
  }

  // What Reset does to a link that answers.
  void Reconnected() {
    ++reconnects;
    port.failed = false;
    link.CommsLost = false;
    if (done) done();
  }

  QTemporaryDir temp;
  fs::path device = fs::path(temp.path().toStdString()) / "ttyUSB0";
  InstrumentLink link;
  TFakePort port;
  int reconnects = 0;
  std::function<void()> done;
  TAutoReconnect reconnect{link, port, [this] { Reconnected(); }};
};

TEST_F(AutoReconnectTest, ConnectsOnceWhenTheDeviceComesBack) {
  reconnect.DeviceGone();
  EXPECT_TRUE(reconnect.Watching());
  EXPECT_FALSE(WaitReconnect(200));
  Touch(device);
  ASSERT_TRUE(WaitReconnect());
  EXPECT_FALSE(reconnect.Watching());
  fs::remove(device);
  Touch(device);
  EXPECT_FALSE(WaitReconnect(200));
  EXPECT_EQ(reconnects, 1);
}

// Replugged before the watchdog noticed: the node there is not the one that
// failed, but a node that fails again after its one try is left alone.
TEST_F(AutoReconnectTest, ADeviceAlreadyBackCountsOnceAndANewNodeAgain) {
  Touch(device);
  reconnect.DeviceGone();
  ASSERT_TRUE(WaitReconnect());
  port.failed = true;
  link.CommsLost = true;
  reconnect.DeviceGone();
  EXPECT_FALSE(WaitReconnect(200)) << "the same node again would be retried for ever";
  fs::remove(device);
  Touch(device);
  EXPECT_TRUE(WaitReconnect());
}

TEST_F(AutoReconnectTest, ASearchStillWaitingIsLeftToFinishFirst) {
  TLinkSearch search;
  link.SearchDialog = &search;
  Touch(device);
  reconnect.DeviceGone();
  EXPECT_FALSE(WaitReconnect(200));
  link.SearchDialog->Finish();
  EXPECT_TRUE(WaitReconnect());
}

TEST_F(AutoReconnectTest, NothingIsDoneForALinkBackOrAPortMovedElsewhere) {
  auto search = std::make_unique<TLinkSearch>();
  link.SearchDialog = search.get();
  Touch(device);
  reconnect.DeviceGone();
  // The search that was under way found the instrument.
  port.failed = false;
  link.CommsLost = false;
  search.reset();
  EXPECT_FALSE(WaitReconnect(200));
  EXPECT_FALSE(reconnect.Watching());

  port.failed = true;
  link.CommsLost = true;
  fs::remove(device);
  reconnect.DeviceGone();
  port.devicePath = "/nonexistent/ttyS7";
  Touch(device);
  EXPECT_FALSE(WaitReconnect(200));
  EXPECT_FALSE(reconnect.Watching());
}

TEST_F(AutoReconnectTest, APortWithoutADeviceIsNotWatched) {
  port.devicePath.reset();
  reconnect.DeviceGone();
  EXPECT_FALSE(reconnect.Watching());
}

}  // namespace
}  // namespace orvane::instrument::test
