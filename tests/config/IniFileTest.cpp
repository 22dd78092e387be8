#include "config/IniFile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <random>
#include <sstream>

namespace orvane::config {
namespace {

class IniFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/orvane-ini-XXXXXX";
    dir_ = ::mkdtemp(pattern);
    path_ = dir_ / "config.ini";
  }
  void TearDown() override {
    ::chmod(dir_.c_str(), 0700);
    std::filesystem::remove_all(dir_);
  }

  void Put(const std::string& text) { std::ofstream(path_, std::ios::binary) << text; }
  std::string Contents() const {
    std::ifstream in(path_, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
  }

  std::filesystem::path dir_;
  std::filesystem::path path_;
};

TEST_F(IniFileTest, MissingFileGivesDefaultsAndIsNotCreated) {
  const TIniFile ini(path_);
  EXPECT_EQ(ini.ReadString("Instrument", "configuration", ""), "");
  EXPECT_EQ(ini.ReadInteger("RV", "Gain", 2), 2);
  EXPECT_TRUE(ini.ReadBool("RV", "KeepOnTop", true));
  EXPECT_FALSE(std::filesystem::exists(path_));
}

TEST_F(IniFileTest, IntegersOfEveryAcceptedForm) {
  Put("[PY]\nGain=7\nNeg=-5\nPump1=0x40\nPump2=$1f\nUpper=0XFF\nBad=abc\nHalf=12abc\n"
      "Empty=\nSpaced=  42  \nHuge=99999999999\nDouble=--4\nBare=0x\n");
  const TIniFile ini(path_);
  EXPECT_EQ(ini.ReadInteger("PY", "Gain", 2), 7);
  EXPECT_EQ(ini.ReadInteger("PY", "Neg", 2), -5);
  EXPECT_EQ(ini.ReadInteger("PY", "Pump1", 0), 64);
  EXPECT_EQ(ini.ReadInteger("PY", "Pump2", 0), 31);
  EXPECT_EQ(ini.ReadInteger("PY", "Upper", 0), 255);
  EXPECT_EQ(ini.ReadInteger("PY", "Spaced", 0), 42);
  for (const char* key : {"Bad", "Half", "Empty", "Huge", "Double", "Bare", "Absent"}) {
    EXPECT_EQ(ini.ReadInteger("PY", key, 2), 2) << key;
  }
}

TEST_F(IniFileTest, BooleansReadAnyIntegerAndDefaultOnText) {
  Put("[RV]\nA=1\nB=0\nC=-3\nD=yes\nE=$10\n");
  const TIniFile ini(path_);
  EXPECT_TRUE(ini.ReadBool("RV", "A", false));
  EXPECT_FALSE(ini.ReadBool("RV", "B", true));
  EXPECT_TRUE(ini.ReadBool("RV", "C", false));
  EXPECT_TRUE(ini.ReadBool("RV", "D", true));
  EXPECT_FALSE(ini.ReadBool("RV", "D", false));
  EXPECT_TRUE(ini.ReadBool("RV", "E", false));
}

TEST_F(IniFileTest, NamesMatchWithoutRegardToCase) {
  Put("[INSTRUMENT]\nCONFIGURATION=Maravent\n[rv]\ngain=3\n");
  const TIniFile ini(path_);
  EXPECT_EQ(ini.ReadString("Instrument", "configuration", ""), "Maravent");
  EXPECT_EQ(ini.ReadInteger("RV", "Gain", 2), 3);
}

TEST_F(IniFileTest, FirstSectionAndKeyWinAndKeysStayInTheirSection) {
  Put("Gain=9\n[PY]\nGain=1\nGain=2\n[RV]\n[PY]\nGain=3\n");
  const TIniFile ini(path_);
  EXPECT_EQ(ini.ReadInteger("PY", "Gain", 0), 1);
  EXPECT_EQ(ini.ReadInteger("RV", "Gain", 0), 0);
}

TEST_F(IniFileTest, LongValuesAreCutAt2047Characters) {
  TIniFile ini(path_);
  ini.WriteString("S", "K", std::string(5000, 'x'));
  EXPECT_EQ(ini.ReadString("S", "K", "").size(), 2047u);
}

TEST_F(IniFileTest, WritesCreateFileAndSectionsInTheSystemLayout) {
  TIniFile ini(path_);
  ini.WriteString("Instrument", "Configuration", "Maravent");
  ini.WriteInteger("RV", "ComPort", 3);
  ini.WriteInteger("RV", "LampType", -1);
  ini.WriteBool("RV", "KeepOnTop", true);
  ini.WriteInteger("RV", "ComPort", 4);
  EXPECT_EQ(Contents(),
            "[Instrument]\nConfiguration=Maravent\n[RV]\nComPort=4\nLampType=-1\nKeepOnTop=1\n");
  EXPECT_EQ(TIniFile(path_).ReadString("instrument", "configuration", ""), "Maravent");
}

TEST_F(IniFileTest, AWriteKeepsEveryOtherLineAsItWas) {
  const std::string before =
      "; written by hand\r\n[Ports]\r\nCOM1 = /dev/pts/7\r\n\r\n[rv]\r\n  Gain = 1 \r\n"
      "Pump1=5\r\n\r\n[Notes]\r\nfree text without equals\r\nlast=line";
  Put(before);
  TIniFile ini(path_);
  ini.WriteInteger("RV", "GAIN", 3);
  ini.WriteInteger("RV", "Pump2", 9);
  ini.WriteString("Notes", "added", "x");
  EXPECT_EQ(Contents(),
            "; written by hand\r\n[Ports]\r\nCOM1 = /dev/pts/7\r\n\r\n[rv]\r\nGAIN=3\r\n"
            "Pump1=5\r\nPump2=9\r\n\r\n[Notes]\r\nfree text without equals\r\nlast=line\r\n"
            "added=x\r\n");
  EXPECT_EQ(ini.ReadString("Ports", "COM1", ""), "/dev/pts/7");
}

TEST_F(IniFileTest, LineBreaksCannotForgeLines) {
  TIniFile ini(path_);
  EXPECT_THROW(ini.WriteString("RV", "Gain", "1\n[Instrument]"), std::invalid_argument);
  EXPECT_THROW(ini.WriteString("R\rV", "Gain", "1"), std::invalid_argument);
  EXPECT_FALSE(std::filesystem::exists(path_));
}

TEST_F(IniFileTest, RefusedWriteNamesTheFullPathAndLeavesTheFile) {
  if (::geteuid() == 0) {
    // Root writes through permission bits; a path under a plain file cannot
    // be created by anybody.
    const std::filesystem::path blocked = path_ / "config.ini";
    Put("[RV]\nGain=1\n");
    TIniFile ini(blocked);
    try {
      ini.WriteInteger("RV", "Gain", 3);
      FAIL() << "write reported success";
    } catch (const EIniFileError& error) {
      EXPECT_EQ(std::string(error.what()), "Unable to write to " + blocked.string());
    }
    EXPECT_EQ(Contents(), "[RV]\nGain=1\n");
    return;
  }
  Put("[RV]\nGain=1\n");
  ::chmod(dir_.c_str(), 0500);
  TIniFile ini(path_);
  EXPECT_THROW(ini.WriteInteger("RV", "Gain", 3), EIniFileError);
  EXPECT_EQ(Contents(), "[RV]\nGain=1\n");
}

TEST_F(IniFileTest, RelativePathsAreReportedInFull) {
  const auto cwd = std::filesystem::current_path();
  std::filesystem::current_path(dir_);
  const TIniFile ini("sub/config.ini");
  std::filesystem::current_path(cwd);
  EXPECT_EQ(ini.FileName(), dir_ / "sub/config.ini");
}

TEST_F(IniFileTest, GarbledAndBinaryFilesReadWithDefaults) {
  std::mt19937 random(11);
  for (int round = 0; round < 200; ++round) {
    std::string junk(random() % 4096, '\0');
    for (char& c : junk) c = static_cast<char>(random() % 256);
    if (round % 3 == 0) junk += "\n[RV]\nGain=\x01\xff\n[RV\nPump1==";
    Put(junk);
    TIniFile ini(path_);
    const int gain = ini.ReadInteger("RV", "Gain", 2);
    EXPECT_TRUE(gain == 2 || junk.find("Gain") != std::string::npos);
    ini.WriteInteger("RV", "Pump2", round);
    ASSERT_EQ(ini.ReadInteger("RV", "Pump2", -1), round);
  }
}

}  // namespace
}  // namespace orvane::config
