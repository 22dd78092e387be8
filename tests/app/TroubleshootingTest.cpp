#include <gtest/gtest.h>

#include <cerrno>
#include <fstream>
#include <regex>
#include <sstream>

#include "app/SingleInstance.h"
#include "config/IniFile.h"
#include "instrument/ConnectionSupervisor.h"
#include "serial/DeviceHolder.h"
#include "serial/SerialErrors.h"

namespace orvane::app::test {
namespace {

// The quoted texts opening the rows of the README's troubleshooting table.
std::vector<std::string> QuotedInTroubleshooting() {
  std::ifstream readme(ORVANE_SOURCE_README);
  std::vector<std::string> quoted;
  bool inSection = false;
  const std::regex quote("\"([^\"]+)\"");
  for (std::string line; std::getline(readme, line);) {
    if (line.starts_with("## ")) inSection = line == "## Troubleshooting";
    if (!inSection || !line.starts_with("| \"")) continue;
    const std::string cell = line.substr(0, line.find(" | "));
    for (std::sregex_iterator it(cell.begin(), cell.end(), quote), end; it != end; ++it) {
      quoted.push_back((*it)[1]);
    }
  }
  return quoted;
}

std::string WriteFailure(const std::string& path) {
  try {
    config::TIniFile(path).WriteString("RV", "Gain", "2");
  } catch (const config::EIniFileError& error) {
    return error.what();
  }
  return "written";
}

// What the panel says in each case, for the README's sample device, holder,
// port, folder and installation; a box of several lines by its first.
std::vector<std::string> PanelTexts() {
  const std::string device = "/dev/ttyUSB0";
  const QString notPresent = instrument::TConnectionSupervisor::NotPresentText(3);
  return {serial::OpenError(EACCES, device).Text,
          serial::InUseText(device, std::nullopt),
          serial::InUseText(device, serial::TDeviceHolder{4242, "minicom"}),
          notPresent.left(notPresent.indexOf("\r\n")).toStdString(),
          instrument::TConnectionSupervisor::LostText().toStdString(),
          RefusedFolderText("/run/user/1000"),
          WriteFailure("/home/operator/.local/opt/orvane/config.ini")};
}

// Each quoted message in the table is word for word one the panel shows, so
// rewording a message without the README fails here.
TEST(TroubleshootingTest, EveryQuotedMessageIsThePanelsOwnText) {
  const std::vector<std::string> quoted = QuotedInTroubleshooting();
  ASSERT_GE(quoted.size(), 6u) << "the table was not found";
  const std::vector<std::string> texts = PanelTexts();
  for (const std::string& text : quoted) {
    EXPECT_NE(std::find(texts.begin(), texts.end(), text), texts.end())
        << "the panel never says \"" << text << "\"";
  }
}

}  // namespace
}  // namespace orvane::app::test
