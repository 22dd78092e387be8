#include "serial/ApdComPort.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/fsuid.h>
#include <sys/ioctl.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QComboBox>
#include <array>
#include <filesystem>
#include <fstream>
#include <numeric>

#include "ComPortFixture.h"
#include "PortFixture.h"
#include "serial/ApdExceptions.h"
#include "serial/BaseDispatcher.h"
#include "serial/ComSelectForm.h"
#include "serial/PortNames.h"
#include "widgets/TErrorGuard.h"

namespace orvane::serial::test {
namespace {

using ApdComPortTest = TComPortFixture;

TEST_F(ApdComPortTest, AClosedPortReadsNoDsrAndRefusesTransfers) {
  EXPECT_FALSE(Port.DSR());
  try {
    Port.PutString("?A\r");
    FAIL() << "PutString on a closed port succeeded";
  } catch (const ECommNotOpen& error) {
    EXPECT_STREQ(error.what(), "ie_NOpen - device not open");
    EXPECT_EQ(error.ErrorCode, -2007);
  }
  EXPECT_THROW(Port.GetChar(), ECommNotOpen);
  EXPECT_THROW(Port.AddTimerTrigger(), ECommNotOpen);
  EXPECT_THROW(Port.SetTimerTrigger(8, 1, true), ECommNotOpen);
}

TEST_F(ApdComPortTest, CommandsGoOutAndRepliesAreReadWithinTheirCount) {
  std::vector<std::uint16_t> counts;
  std::string read;
  bool emptyRaised = false;
  Port.SetOnTriggerAvail([&](TApdComPort& cp, std::uint16_t count) {
    counts.push_back(count);
    for (int i = 0; i < count; ++i) read.push_back(static_cast<char>(cp.GetChar()));
    try {
      cp.GetChar();
    } catch (const EBufferIsEmpty&) {
      emptyRaised = true;
    }
  });
  OpenOn(3);
  Port.PutString("?A\r");
  EXPECT_EQ(PtyA.Read(3), "?A\r");
  PtyA.Write("0064,A14\r");
  ASSERT_TRUE(RunUntil([&] { return read.size() == 9; }));
  EXPECT_EQ(read, "0064,A14\r");
  EXPECT_TRUE(emptyRaised) << "reading past Count must raise";
  EXPECT_EQ(std::accumulate(counts.begin(), counts.end(), 0), 9) << "each byte offered once";
  Port.PutString("");
}

TEST_F(ApdComPortTest, TheSameNumberAgainKeepsThePortAsItIs) {
  OpenOn(3);
  const auto id = Port.Dispatcher()->Id();
  Port.SetComNumber(3);
  EXPECT_EQ(Port.Dispatcher()->Id(), id);
}

TEST_F(ApdComPortTest, NumberZeroOnAnOpenPortAsksAndCancelLeavesItClosed) {
  OpenOn(3);
  int asked = 0;
  TComSelectForm::SetScript([&](TComSelectForm&) {
    ++asked;
    return TComSelectForm::mrAbort;
  });
  EXPECT_THROW(Port.SetComNumber(0), ENoPortSelected);
  EXPECT_EQ(asked, 1);
  EXPECT_FALSE(Port.Open());
  EXPECT_EQ(Port.ComNumber(), 0);
  EXPECT_EQ(Port.PortState(), TPortState::psClosed);
}

TEST_F(ApdComPortTest, OpeningWithoutANumberTakesTheChosenPort) {
  TComSelectForm::SetScript([](TComSelectForm& form) {
    EXPECT_EQ(form.SelectedCom(), "COM3") << "the first present port is preselected";
    form.PortsComboBox()->setCurrentIndex(1);
    return TComSelectForm::mrOk;
  });
  Port.SetOpen(true);
  EXPECT_TRUE(Port.Open());
  EXPECT_EQ(Port.ComNumber(), 10);
  Port.PutString("x");
  EXPECT_EQ(PtyB.Read(1), "x");

  TApdComPort quiet;
  quiet.PromptForPort = false;
  EXPECT_THROW(quiet.SetOpen(true), ENoPortSelected);
}

TEST_F(ApdComPortTest, HeldAndMissingPortsLeaveTheComponentClosed) {
  OpenOn(3);
  TApdComPort other;
  ConfigureAsTheWindowsDo(other);
  other.SetComNumber(3);
  EXPECT_THROW(other.SetOpen(true), EAlreadyOpen);
  EXPECT_FALSE(other.Open());
  EXPECT_EQ(other.Dispatcher(), nullptr);
  for (const std::uint16_t missing : std::array<std::uint16_t, 3>{4, 49, 50}) {
    other.SetComNumber(missing);
    EXPECT_THROW(other.SetOpen(true), EBadId) << missing;
    EXPECT_FALSE(other.Open());
    EXPECT_EQ(other.PortState(), TPortState::psClosed);
  }
}

// Another process holding a line the way a terminal program does, under
// the name "minicom", until the test lets it go.
class TChildHolder {
 public:
  explicit TChildHolder(const std::string& device) {
    int ready[2];
    if (pipe(ready) != 0 || pipe(release_) != 0) throw std::runtime_error("pipe");
    pid_ = fork();
    if (pid_ == 0) {
      const int fd = open(device.c_str(), O_RDWR | O_NOCTTY);
      const char held = fd >= 0 && flock(fd, LOCK_EX | LOCK_NB) == 0 ? 'y' : 'n';
      prctl(PR_SET_NAME, "minicom");
      close(release_[1]);
      if (write(ready[1], &held, 1) == 1 && read(release_[0], &release_[1], 1) >= 0) _exit(0);
      _exit(1);
    }
    close(ready[1]);
    close(release_[0]);
    char held = 'n';
    if (read(ready[0], &held, 1) != 1 || held != 'y') throw std::runtime_error("not held");
    close(ready[0]);
  }
  ~TChildHolder() {
    close(release_[1]);
    waitpid(pid_, nullptr, 0);
  }
  pid_t Pid() const { return pid_; }

 private:
  int release_[2];
  pid_t pid_;
};

// The refusal names the device and the program holding it.
TEST_F(ApdComPortTest, AHeldPortNamesItsHolder) {
  const TChildHolder holder(PtyA.SlavePath());
  Port.SetComNumber(3);
  try {
    Port.SetOpen(true);
    FAIL() << "a held port was opened";
  } catch (const EAlreadyOpen& error) {
    EXPECT_EQ(std::string(error.what()), PtyA.SlavePath() +
                                             " is in use by another program: minicom"
                                             " (process " +
                                             std::to_string(holder.Pid()) + ")");
  }
}

TEST_F(ApdComPortTest, TimerTriggersSurviveAReopenOnAnotherNumber) {
  std::vector<std::uint16_t> fired;
  Port.SetOnTriggerTimer([&](TApdComPort&, std::uint16_t handle) { fired.push_back(handle); });
  OpenOn(3);
  const std::uint16_t handle = Port.AddTimerTrigger();
  EXPECT_EQ(handle, 8);
  Port.SetTimerTrigger(handle, 2, true);
  Port.SetComNumber(10);
  EXPECT_TRUE(Port.Open());
  ASSERT_TRUE(RunUntil([&] { return !fired.empty(); }));
  EXPECT_EQ(fired, std::vector<std::uint16_t>{8});

  Port.SetTimerTrigger(handle, 0, true);
  Port.SetOpen(false);
  Port.SetOpen(true);
  EXPECT_EQ(Port.AddTimerTrigger(), 16) << "the restored handle stays taken";
  ASSERT_TRUE(RunUntil([&] { return fired.size() == 2; }));
  EXPECT_EQ(fired.back(), 8);
}

TEST_F(ApdComPortTest, ABlockLargerThanTheOutputRingIsRefusedWhole) {
  OpenOn(3);
  try {
    Port.PutString(std::string(5000, 'x'));
    FAIL() << "the ring took more than it holds";
  } catch (const EOutputBufferTooSmall& error) {
    EXPECT_STREQ(error.what(), "Output buffer too small for block");
  }
  pollfd p{PtyA.MasterFd(), POLLIN, 0};
  EXPECT_EQ(poll(&p, 1, 200), 0) << "nothing of the block was sent";
}

TEST_F(ApdComPortTest, DsrFollowsTheOtherEndOfAPty) {
  OpenOn(3);
  EXPECT_TRUE(Port.DSR());
  PtyA.SetDsrOff(true);
  EXPECT_FALSE(Port.DSR());
  PtyA.SetDsrOff(false);
  EXPECT_TRUE(Port.DSR());
  PtyA.CloseMaster();
  EXPECT_FALSE(Port.DSR());
  EXPECT_TRUE(Port.Open()) << "an unplugged port still reads as open";
}

TEST_F(ApdComPortTest, AnErrorInAHandlerReachesTheErrorBoxAndThePortGoesOn) {
  std::vector<QString> shown;
  widgets::TErrorGuard::SetRecorder([&](const QString& message) { shown.push_back(message); });
  int calls = 0;
  Port.SetOnTriggerAvail([&](TApdComPort& cp, std::uint16_t count) {
    ++calls;
    for (int i = 0; i < count; ++i) cp.GetChar();
    if (calls == 1) cp.GetChar();
  });
  OpenOn(3);
  PtyA.Write("a");
  ASSERT_TRUE(RunUntil([&] { return calls == 1 && !shown.empty(); }));
  EXPECT_EQ(shown.front(), "Buffer is empty");
  PtyA.Write("b");
  EXPECT_TRUE(RunUntil([&] { return calls == 2; }));
  widgets::TErrorGuard::SetRecorder([](const QString& message) {
    ADD_FAILURE() << "unexpected error box: " << message.toStdString();
  });
}

QStringList ListedPorts() {
  TComSelectForm form;
  QStringList items;
  for (int i = 0; i < form.PortsComboBox()->count(); ++i) {
    items << form.PortsComboBox()->itemText(i);
  }
  return items;
}

// Root passes file modes, so the test thread takes the file-system identity
// of an unprivileged account (per thread on Linux) while it lives.
class TUnprivileged {
 public:
  TUnprivileged() : fPrevious(setfsuid(65534)) {}
  ~TUnprivileged() { setfsuid(static_cast<uid_t>(fPrevious)); }
  TUnprivileged(const TUnprivileged&) = delete;
  TUnprivileged& operator=(const TUnprivileged&) = delete;

 private:
  int fPrevious;
};

TEST_F(ApdComPortTest, TheDialogListsFreeHeldAndForbiddenPorts) {
  OpenOn(10);
  TComSelectForm form;
  EXPECT_EQ(ListedPorts(), QStringList({"COM3", "COM10"}));
  form.PortsComboBox()->setCurrentIndex(1);
  EXPECT_EQ(form.SelectedComNum(), 10);
  EXPECT_TRUE(Port.Open()) << "probing a held port leaves its holder alone";
  Port.PutString("y");
  EXPECT_EQ(PtyB.Read(1), "y");

  const auto forbidden = Dir / "forbidden";
  close(open(forbidden.c_str(), O_CREAT | O_WRONLY, 0));
  MapPorts({{3, PtyA.SlavePath()}, {5, forbidden.string()}, {10, PtyB.SlavePath()}});
  using std::filesystem::perms;
  std::filesystem::permissions(Dir, perms::owner_all | perms::group_read | perms::group_exec |
                                        perms::others_read | perms::others_exec);
  const TUnprivileged nobody;
  ASSERT_TRUE(std::ifstream(PortMapFile()).good()) << "the port map must stay readable";
  EXPECT_EQ(ListedPorts(), QStringList({"COM3", "COM5", "COM10"}));
  TApdComPort other;
  ConfigureAsTheWindowsDo(other);
  other.SetComNumber(5);
  try {
    other.SetOpen(true);
    FAIL() << "a device the account may not open was opened";
  } catch (const EDeviceAccessDenied& error) {
    EXPECT_NE(std::string(error.what()).find(forbidden.string()), std::string::npos);
    EXPECT_NE(std::string(error.what()).find("dialout"), std::string::npos);
  }
}

}  // namespace
}  // namespace orvane::serial::test
