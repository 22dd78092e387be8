#include <gtest/gtest.h>

#include <sys/fsuid.h>
#include <sys/stat.h>

#include <fstream>
#include <sstream>

#include "FileWatch.h"
#include "PanelRig.h"
#include "PtyPair.h"
#include "widgets/TCheckBox.h"
#include "widgets/TErrorGuard.h"
#include "widgets/TRadioGroup.h"
#include "widgets/TTrackBar.h"

namespace orvane::panel::test {
namespace {

// The settings in config.ini, loaded into the window and saved from it. The
// instrument end is a bare pty, so every command a loaded value sends can
// be read back.
class PanelSettingsTest : public PanelRig {
 protected:
  void SetUp() override {
    PanelRig::SetUp();
    MapPorts({{3, pty.SlavePath()}});
  }
  std::string Config() {
    std::stringstream text;
    text << std::ifstream(Dir / "config.ini").rdbuf();
    return text.str();
  }
  std::string SentSoFar() {
    RunFor(150);
    std::string sent;
    for (std::string chunk; !(chunk = pty.Read(1, 50)).empty();) sent += chunk;
    return sent;
  }

  serial::test::TPtyPair pty;
};

TEST_F(PanelSettingsTest, ValuesAreClampedOrDefaultedAndTheirCommandsGoToTheConfiguredPort) {
  AppendConfig("[INSTRUMENT]\nconfiguration=Pellory\n[py]\ncomport=3\nGAIN=7\nPump1=300\n"
               "Pump2=0x40\nKeepOnTop=0\nDryerGas=1\n");
  OpenWindow(0);
  EXPECT_EQ(window->windowTitle(), "PY ORVANE - AFS - Ver (2.2)");
  EXPECT_EQ(window->Port().ComNumber(), 3);
  EXPECT_EQ(C().rgGain->ItemIndex(), 3);
  EXPECT_EQ(C().tbPump1->Position(), 255);
  EXPECT_EQ(C().tbPump2->Position(), 64);
  EXPECT_FALSE(C().cbKeepOnTop->Checked());
  EXPECT_EQ(C().rgDryerGas->ItemIndex(), 1);
  // Shown with the instrument's line already up, the window reads the filter.
  EXPECT_EQ(SentSoFar(), "!BF0\r!JFF\r!K40\r!G2H\r$F\r");
}

TEST_F(PanelSettingsTest, NonsenseGivesTheDefaultAndAnEmptySectionSendsNothing) {
  AppendConfig("[Instrument]\nconfiguration=Pellory\n[PY]\nComPort=3\nGain=abc\n");
  OpenWindow(0);
  EXPECT_EQ(C().rgGain->ItemIndex(), 2);
  EXPECT_EQ(SentSoFar(), "");
  window.reset();
  MapPorts({{3, pty.SlavePath()}});
  AppendConfig("[Instrument]\nconfiguration=Pellory\n[PY]\nComPort=3\nGain=-5\n");
  OpenWindow(0);
  EXPECT_EQ(C().rgGain->ItemIndex(), -1);
  EXPECT_EQ(SentSoFar(), "");
}

// A key already in the file keeps its line; the others follow in the order
// the window writes them.
TEST_F(PanelSettingsTest, ModelBIgnoresItsModeAtLoadAndSavesEveryKeyInOrder) {
  AppendConfig("[Instrument]\nConfiguration=Maravent\n[RV]\nComPort=3\nMode=0\nLampType=1\n");
  OpenWindow(0);
  EXPECT_EQ(C().rgMode->ItemIndex(), 1);
  EXPECT_EQ(C().tbPrimary->Position(), 128);
  C().tbPump1->SetPosition(128);
  window.reset();
  const std::string config = Config();
  EXPECT_NE(config.find("[RV]\nComPort=3\nMode=1\nLampType=1\nGain=2\nKeepOnTop=1\n"
                        "Pump1=128\nPump2=0\nDryerGas=0\nAnalysisGas=0\n"),
            std::string::npos)
      << config;
}

TEST_F(PanelSettingsTest, WithoutAModelNothingIsLoadedOrSaved) {
  const std::string before = Config();
  OpenWindow(3);
  EXPECT_EQ(window->windowTitle(), "ORVANE - AFS");
  window.reset();
  EXPECT_EQ(Config(), before);
}

TEST_F(PanelSettingsTest, AFileThatCannotBeWrittenIsReportedAndLeftAsItWas) {
  AppendConfig("[Instrument]\nconfiguration=Pellory\n[PY]\nComPort=3\n");
  const std::string before = Config();
  chmod((Dir / "config.ini").c_str(), 0444);
  OpenWindow(0);
  // Root writes anyway: the save runs with an ordinary account's file rights
  // (they belong to this thread alone).
  const auto previous = setfsuid(65534);
  window.reset();
  setfsuid(static_cast<uid_t>(previous));
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_EQ(errors[0].toStdString(), "Unable to write to " + (Dir / "config.ini").string());
  EXPECT_EQ(Config(), before);
}

// The load ends at the first command that cannot go out (the configured port
// is not there). What it never reached keeps its value in the file, unless
// the operator changed that control since.
TEST_F(PanelSettingsTest, KeysTheLoadNeverReachedKeepTheirValuesUnlessChangedSince) {
  AppendConfig(
      "[Instrument]\nConfiguration=Maravent\n[RV]\nComPort=4\nPump1=100\nPump2=50\n"
      "DryerGas=1\nAnalysisGas=1\nLampType=2\n");
  OpenWindow(0);
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_EQ(C().rgDryerGas->ItemIndex(), 0);
  widgets::TErrorGuard::Run([&] { C().tbPump2->SetPosition(30); });
  window.reset();
  EXPECT_NE(Config().find("[RV]\nComPort=4\nPump1=100\nPump2=30\nDryerGas=1\nAnalysisGas=1\n"
                          "LampType=2\nGain=2\nMode=1\nKeepOnTop=1\n"),
            std::string::npos)
      << Config();
}

// A change is written while the panel runs, once it has settled: a drag,
// pauses included, is one write, and the next change another.
TEST_F(PanelSettingsTest, ADragIsWrittenOnceWhenLetGoAndTheNextChangeAgain) {
  StartSim('A');
  AppendConfig("[Instrument]\nconfiguration=Pellory\n[PY]\nComPort=3\n");
  OpenWindow(0);
  ASSERT_TRUE(WaitConnected());
  config::test::TFileWatch watch(Dir / "config.ini");
  widgets::TTrackBar& pump = *C().tbPump1;
  pump.setSliderDown(true);
  for (const int position : {40, 100, 160}) {
    pump.setSliderPosition(position);
    RunFor(3 * TSettingsAutosave::kInterval);
  }
  pump.setSliderPosition(200);
  pump.setSliderDown(false);
  ASSERT_TRUE(RunUntil([&] { return watch.Writes() > 0; }, 5000));
  EXPECT_NE(Config().find("[PY]\nComPort=3\nGain=2\nMode=1\nKeepOnTop=1\nPump1=200\n"),
            std::string::npos)
      << Config();
  C().rgGain->SetItemIndex(3);
  ASSERT_TRUE(RunUntil([&] { return watch.Writes() > 1; }, 5000));
  EXPECT_EQ(watch.Writes(), 2);
  EXPECT_NE(Config().find("Gain=3\n"), std::string::npos) << Config();
}

}  // namespace
}  // namespace orvane::panel::test
