#pragma once

#include <grp.h>
#include <gtest/gtest.h>
#include <sys/fsuid.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace orvane::config {

// A config.ini in a folder of its own, removed afterwards.
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

  void Put(const std::string& text) { Put(path_, text); }
  static void Put(const std::filesystem::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
  }
  std::string Contents() const { return Contents(path_); }
  static std::string Contents(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
  }

  std::filesystem::path dir_;
  std::filesystem::path path_;
};

// Root passes every permission check, so a test that needs the checks of an
// ordinary account takes that account's file-system identity (per thread on
// Linux) while it lives, with the shared group as its one supplementary group
// (for the whole process, which has no other thread). Run as an ordinary
// account, the test keeps its own identity.
class TAsAccount {
 public:
  static constexpr uid_t kUid = 4242;
  static constexpr gid_t kOwnGid = 4242;
  static constexpr gid_t kSharedGid = 4343;

  TAsAccount() : groups_(CurrentGroups()) {
    ::setgroups(1, &kSharedGid);
    gid_ = static_cast<gid_t>(::setfsgid(kOwnGid));
    uid_ = static_cast<uid_t>(::setfsuid(kUid));
  }
  ~TAsAccount() {
    ::setfsuid(uid_);
    ::setfsgid(gid_);
    ::setgroups(groups_.size(), groups_.data());
  }
  TAsAccount(const TAsAccount&) = delete;
  TAsAccount& operator=(const TAsAccount&) = delete;

 private:
  static std::vector<gid_t> CurrentGroups() {
    std::vector<gid_t> groups(static_cast<std::size_t>(::getgroups(0, nullptr)));
    groups.resize(
        static_cast<std::size_t>(::getgroups(static_cast<int>(groups.size()), groups.data())));
    return groups;
  }

  std::vector<gid_t> groups_;
  gid_t gid_ = 0;
  uid_t uid_ = 0;
};

}  // namespace orvane::config
