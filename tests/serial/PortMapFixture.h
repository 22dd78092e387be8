#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>

namespace orvane::serial::test {

// Maps every port number 1 to 50 through a [Ports] section of a config.ini
// of its own: the given ones to the given devices, all others to paths that
// do not exist, so no test ever reaches a real device.
class TPortMapFixture : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  void MapPorts(const std::map<unsigned, std::string>& devices);

  std::filesystem::path Dir;
};

}  // namespace orvane::serial::test
