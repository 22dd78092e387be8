#include "PortMapFixture.h"

#include <stdlib.h>

#include <fstream>

#include "serial/PortNames.h"

namespace orvane::serial::test {

void TPortMapFixture::SetUp() {
  char pattern[] = "/tmp/orvane-ports-XXXXXX";
  Dir = mkdtemp(pattern);
  SetPortMapFile(Dir / "config.ini");
  MapPorts({});
}

void TPortMapFixture::TearDown() { std::filesystem::remove_all(Dir); }

void TPortMapFixture::MapPorts(const std::map<unsigned, std::string>& devices) {
  std::ofstream ini(Dir / "config.ini");
  ini << "[Ports]\n";
  for (unsigned n = 1; n <= kHighestPortNumber; ++n) {
    const auto found = devices.find(n);
    ini << "COM" << n << "="
        << (found != devices.end() ? found->second
                                   : (Dir / ("absent" + std::to_string(n))).string())
        << "\n";
  }
}

}  // namespace orvane::serial::test
