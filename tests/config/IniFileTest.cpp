#include "config/IniFile.h"

#include <limits>
#include <random>

#include "IniFixture.h"

namespace orvane::config {
namespace {

TEST_F(IniFileTest, MissingFileGivesDefaultsAndIsNotCreated) {
  const TIniFile ini(path_);
  EXPECT_EQ(ini.ReadString("Instrument", "configuration", ""), "");
  EXPECT_EQ(ini.ReadInteger("RV", "Gain", 2), 2);
  EXPECT_TRUE(ini.ReadBool("RV", "KeepOnTop", true));
  EXPECT_FALSE(std::filesystem::exists(path_));
}

TEST_F(IniFileTest, IntegersOfEveryAcceptedForm) {
  Put("[PY]\nGain=7\nNeg=-5\nPump1=0x40\nPump2=$1f\nUpper=0XFF\nBad=abc\nHalf=12abc\n"
      "Empty=\nSpaced=  42  \nHuge=99999999999\nDouble=--4\nBare=0x\n"
      "AllOnes=$FFFFFFFF\nSignBit=0x80000000\nTop=$7fffffff\nNegHex=-$10\nWide=$100000000\n");
  const TIniFile ini(path_);
  EXPECT_EQ(ini.ReadInteger("PY", "Gain", 2), 7);
  EXPECT_EQ(ini.ReadInteger("PY", "Neg", 2), -5);
  EXPECT_EQ(ini.ReadInteger("PY", "Pump1", 0), 64);
  EXPECT_EQ(ini.ReadInteger("PY", "Pump2", 0), 31);
  EXPECT_EQ(ini.ReadInteger("PY", "Upper", 0), 255);
  EXPECT_EQ(ini.ReadInteger("PY", "Spaced", 0), 42);
  EXPECT_EQ(ini.ReadInteger("PY", "AllOnes", 0), -1);
  EXPECT_EQ(ini.ReadInteger("PY", "SignBit", 0), std::numeric_limits<int>::min());
  EXPECT_EQ(ini.ReadInteger("PY", "Top", 0), std::numeric_limits<int>::max());
  EXPECT_EQ(ini.ReadInteger("PY", "NegHex", 0), -16);
  for (const char* key : {"Bad", "Half", "Empty", "Huge", "Double", "Bare", "Wide", "Absent"}) {
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

TEST_F(IniFileTest, OnePairOfMatchingQuotesIsStripped) {
  Put("[Instrument]\nconfiguration=\"Maravent\"\n[RV]\nGain = '3' \nSpaced=\" a b \"\n"
      "Twice=\"\"x\"\"\nMixed=\"x'\nLone=\"\nEmpty=''\n");
  const TIniFile ini(path_);
  EXPECT_EQ(ini.ReadString("Instrument", "configuration", ""), "Maravent");
  EXPECT_EQ(ini.ReadInteger("RV", "Gain", 2), 3);
  EXPECT_EQ(ini.ReadString("RV", "Spaced", ""), " a b ");
  EXPECT_EQ(ini.ReadString("RV", "Twice", ""), "\"x\"");
  EXPECT_EQ(ini.ReadString("RV", "Mixed", ""), "\"x'");
  EXPECT_EQ(ini.ReadString("RV", "Lone", ""), "\"");
  EXPECT_EQ(ini.ReadString("RV", "Empty", "default"), "");
}

// Some editors save UTF-8 with a byte order mark before the first section.
TEST_F(IniFileTest, AByteOrderMarkIsSkippedOnReadingAndKeptOnWriting) {
  const std::string mark = "\xEF\xBB\xBF";
  Put(mark + "[Instrument]\r\nConfiguration=Pellory\r\n[PY]\r\nGain=1\r\n");
  TIniFile ini(path_);
  EXPECT_EQ(ini.ReadString("Instrument", "configuration", ""), "Pellory");
  ini.WriteString("Instrument", "Configuration", "Maravent");
  ini.WriteInteger("PY", "Gain", 3);
  EXPECT_EQ(Contents(), mark + "[Instrument]\r\nConfiguration=Maravent\r\n[PY]\r\nGain=3\r\n");

  Put(mark);
  ini.WriteInteger("RV", "Gain", 2);
  EXPECT_EQ(Contents(), mark + "[RV]\nGain=2\n");
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
      "; written by hand\r\n[Ports]\r\nCOM1 = \"/dev/pts/7\"\r\n\r\n[rv]\r\n  Gain = 1 \r\n"
      "Pump1=5\r\n\r\n[Notes]\r\nfree text without equals\r\nlast=line";
  Put(before);
  TIniFile ini(path_);
  ini.WriteInteger("RV", "GAIN", 3);
  ini.WriteInteger("RV", "Pump2", 9);
  ini.WriteString("Notes", "added", "x");
  EXPECT_EQ(Contents(),
            "; written by hand\r\n[Ports]\r\nCOM1 = \"/dev/pts/7\"\r\n\r\n[rv]\r\nGAIN=3\r\n"
            "Pump1=5\r\nPump2=9\r\n\r\n[Notes]\r\nfree text without equals\r\nlast=line\r\n"
            "added=x\r\n");
  EXPECT_EQ(ini.ReadString("Ports", "COM1", ""), "/dev/pts/7");
}

// Found by fuzzing: the CR got a CR LF after it, and Gain read "1\r".
TEST_F(IniFileTest, AKeyAddedAfterALastLineEndingInACarriageReturnLeavesThatLineAsItReads) {
  Put("[RV]\r\nGain=1\r");
  TIniFile ini(path_);
  ini.WriteInteger("RV", "Mode", 2);
  EXPECT_EQ(ini.ReadInteger("RV", "Gain", 0), 1);
  EXPECT_EQ(Contents(), "[RV]\r\nGain=1\r\nMode=2\r\n");
}

TEST_F(IniFileTest, LineBreaksCannotForgeLines) {
  TIniFile ini(path_);
  EXPECT_THROW(ini.WriteString("RV", "Gain", "1\n[Instrument]"), std::invalid_argument);
  EXPECT_THROW(ini.WriteString("R\rV", "Gain", "1"), std::invalid_argument);
  EXPECT_FALSE(std::filesystem::exists(path_));
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
