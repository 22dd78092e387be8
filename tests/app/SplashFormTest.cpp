#include "app/SplashForm.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <fstream>
#include <sstream>

#include <QComboBox>

#include "IniFixture.h"
#include "PortFixture.h"
#include "PortMapFixture.h"
#include "PtyPair.h"
#include "SimProcess.h"
#include "TestSupport.h"
#include "serial/ComSelectForm.h"
#include "widgets/TTimer.h"

namespace orvane::app::test {
namespace {

using namespace std::chrono_literals;
using serial::TComSelectForm;
using serial::test::RunFor;
using serial::test::RunUntil;
using serial::test::TPtyPair;
using Clock = std::chrono::steady_clock;

// Ports are mapped through [Ports] of the test's own config.ini, which the
// splash reads and writes as its own.
class SplashFormTest : public serial::test::TPortMapFixture {
 protected:
  void SetUp() override {
    TPortMapFixture::SetUp();
    Ini = Dir / "config.ini";
  }
  void TearDown() override {
    TComSelectForm::SetScript(nullptr);
    ::chmod(Dir.c_str(), 0700);
    TPortMapFixture::TearDown();
  }

  // Maps the ports, then gives config.ini the lines after [Ports].
  void Configure(const std::map<unsigned, std::string>& ports, const std::string& lines) {
    MapPorts(ports);
    std::ofstream(Ini, std::ios::app) << lines;
  }
  std::string Read(const std::string& section, const std::string& key) const {
    return config::TIniFile(Ini).ReadString(section, key, "");
  }
  std::string Contents() const {
    std::ostringstream text;
    text << std::ifstream(Ini).rdbuf();
    return text.str();
  }
  // Picks `port` in every Select Port dialog and counts the dialogs.
  void AnswerPortQuestion(const QString& port) {
    TComSelectForm::SetScript([this, port](TComSelectForm& form) {
      ++Asked;
      AskedAt = Clock::now();
      const int index = form.PortsComboBox()->findText(port);
      if (index < 0) return TComSelectForm::mrAbort;
      form.PortsComboBox()->setCurrentIndex(index);
      return TComSelectForm::mrOk;
    });
  }

  std::filesystem::path Ini;
  int Asked = 0;
  Clock::time_point AskedAt;
};

TEST_F(SplashFormTest, TheAnswerRecordsTheModelAndItsPortAtOnce) {
  struct TCase {
    const char* model;
    const char* before;
    const char* name;
    const char* section;
  };
  for (const TCase& c :
       {TCase{"A", "Maravent", "Pellory", "PY"}, TCase{"B", "Pellory", "Maravent", "RV"}}) {
    SimProcess sim({"--model", c.model, "--baud", "0"});
    Configure({{5, sim.SlavePath()}}, std::string("[Instrument]\nconfiguration=") + c.before +
                                          "\n[PY]\nComPort=5\n[RV]\nComPort=5\n");
    TSplashForm splash(Ini);
    const auto started = Clock::now();
    EXPECT_TRUE(RunSplash(splash));
    EXPECT_LT(Clock::now() - started, 1500ms) << c.model;
    EXPECT_EQ(sim.Received(), std::vector<std::string>{"?I"});
    EXPECT_EQ(Read("Instrument", "Configuration"), c.name);
    EXPECT_EQ(Read(c.section, "ComPort"), "5");
  }
}

TEST_F(SplashFormTest, ALineIsTakenWholeAndOnlyAnIdentifyAnswerCounts) {
  TPtyPair pty;
  Configure({{3, pty.SlavePath()}}, "[Instrument]\nConfiguration=Maravent\n[RV]\nComPort=3\n");
  const std::string before = Contents();
  TSplashForm splash(Ini);
  splash.tmMainTimer->SetEnabled(true);
  EXPECT_EQ(pty.Read(3), "?I\r");
  for (const char* line : {"12AB,A05\r", "12AB,IZZ\r", "12AB,I1\r", "12AB,I012\r", "0064,I0"}) {
    pty.Write(line);
    RunFor(60);
  }
  EXPECT_FALSE(splash.Done());
  EXPECT_EQ(Contents(), before);
  pty.Write("1\r");
  ASSERT_TRUE(RunUntil([&] { return splash.Done(); }));
  EXPECT_EQ(Read("Instrument", "Configuration"), "Pellory");
  EXPECT_EQ(Read("PY", "ComPort"), "3");
}

TEST_F(SplashFormTest, WithDsrLowThePortQuestionComes36TicksAfterTheQuery) {
  TPtyPair switchedOff;
  TPtyPair other;
  switchedOff.SetDsrOff(true);
  Configure({{3, switchedOff.SlavePath()}, {4, other.SlavePath()}},
            "[Instrument]\nConfiguration=Maravent\n[RV]\nComPort=3\n");
  AnswerPortQuestion("COM4");
  TSplashForm splash(Ini);
  splash.tmMainTimer->SetEnabled(true);
  EXPECT_EQ(switchedOff.Read(3), "?I\r");
  const auto queried = Clock::now();
  ASSERT_TRUE(RunUntil([&] { return Asked > 0; }));
  EXPECT_GT(AskedAt - queried, 1800ms);
  EXPECT_LT(AskedAt - queried, 2600ms);
  // The port moves to the chosen one and asks there, twice.
  EXPECT_EQ(other.Read(6), "?I\r?I\r");
  other.Write("0064,I00\r");
  ASSERT_TRUE(RunUntil([&] { return splash.Done(); }));
  EXPECT_EQ(Asked, 1);
  EXPECT_EQ(Read("RV", "ComPort"), "4");
}

TEST_F(SplashFormTest, AConfigIniThatRefusesTheAnswerLeavesTheSplashToItsChecks) {
  TPtyPair pty;
  Configure({{3, pty.SlavePath()}}, "[Instrument]\nConfiguration=Maravent\n[RV]\nComPort=3\n");
  const std::string before = Contents();
  ASSERT_EQ(::chmod(Ini.c_str(), 0444), 0);
  ASSERT_EQ(::chmod(Dir.c_str(), 0555), 0);
  TSplashForm splash(Ini);
  splash.tmMainTimer->SetEnabled(true);
  EXPECT_EQ(pty.Read(3), "?I\r");
  {
    const config::TAsAccount account;  // root would pass the file's permissions
    pty.Write("0064,I01\r");
    RunFor(500);
  }
  EXPECT_FALSE(splash.Done());
  EXPECT_EQ(Contents(), before);
  // The instrument holds DSR: the 36-tick check ends the splash.
  EXPECT_TRUE(RunUntil([&] { return splash.Done(); }));
}

class FirstStartTest : public SplashFormTest {
 protected:
  void SetUp() override {
    SplashFormTest::SetUp();
    std::filesystem::create_directory(Dir / "new");
    FirstIni = Dir / "new" / "config.ini";
  }
  std::filesystem::path FirstIni;
};

TEST_F(FirstStartTest, ThePortQuestionFollowsTheTrialAndTheAnswerCreatesConfigIni) {
  TPtyPair held;
  TPtyPair spare;
  TPtyPair chosen;
  std::ofstream(Dir / "plain-file") << "not a serial port";
  MapPorts({{2, held.SlavePath()},
            {3, (Dir / "plain-file").string()},
            {4, spare.SlavePath()},
            {9, chosen.SlavePath()}});
  serial::TApdComPort holder;
  holder.SetComNumber(2);
  holder.SetOpen(true);
  AnswerPortQuestion("COM9");
  TSplashForm splash(FirstIni);
  splash.tmMainTimer->SetEnabled(true);
  EXPECT_EQ(Asked, 1);
  EXPECT_EQ(chosen.Read(3), "?I\r");
  chosen.Write("0064,I00\r");
  ASSERT_TRUE(RunUntil([&] { return splash.Done(); }));
  EXPECT_EQ(config::TIniFile(FirstIni).ReadString("Instrument", "Configuration", ""), "Maravent");
  EXPECT_EQ(config::TIniFile(FirstIni).ReadInteger("RV", "ComPort", 0), 9);
}

// A port found by the trial is closed for the question, so a cancel there is
// an error the operator sees; without any port the question comes from the
// guarded identify step, and a cancel is silent.
TEST_F(FirstStartTest, ACancelIsReportedOnlyWhenTheTrialFoundAPort) {
  TPtyPair spare;
  MapPorts({{7, spare.SlavePath()}});
  AnswerPortQuestion("none");
  {
    const widgets::test::RecordedErrors errors;
    const TSplashForm splash(FirstIni);
    EXPECT_EQ(Asked, 1);
    EXPECT_EQ(errors.messages,
              QStringList{"The ComNumber property of the TApdComPort has not been set"});
    EXPECT_FALSE(std::filesystem::exists(FirstIni));
  }
  MapPorts({});
  const TSplashForm splash(FirstIni);
  EXPECT_EQ(Asked, 2);
  EXPECT_FALSE(std::filesystem::exists(FirstIni));
}

TEST_F(SplashFormTest, RunSplashSleepsUntilTheTimerIsSwitchedOff) {
  Configure({}, "[Instrument]\nConfiguration=Maravent\n[RV]\nComPort=6\n");
  TSplashForm splash(Ini);
  splash.tmMainTimer->SetInterval(300);
  const auto started = Clock::now();
  EXPECT_TRUE(RunSplash(splash));
  const auto took = Clock::now() - started;
  EXPECT_GE(took, 300ms);
  EXPECT_LT(took, 600ms);
  EXPECT_TRUE(splash.isVisible());
}

}  // namespace
}  // namespace orvane::app::test
