#pragma once

#include <span>
#include <string>

namespace orvane::serial::test {

// A pseudo-terminal standing in for the instrument's end of the line: the
// port under test opens SlavePath(), the test drives the master side.
class TPtyPair {
 public:
  // `unlock` false leaves the slave locked, so opening it fails with EIO.
  explicit TPtyPair(bool unlock = true);
  ~TPtyPair();
  TPtyPair(const TPtyPair&) = delete;
  TPtyPair& operator=(const TPtyPair&) = delete;

  const std::string& SlavePath() const { return fSlavePath; }
  int MasterFd() const { return fMaster; }
  void Write(std::span<const unsigned char> bytes);
  void Write(const std::string& text);
  // Reads exactly `n` bytes from the master, waiting at most `ms` in total.
  std::string Read(std::size_t n, int ms = 2000);
  void SetDsrOff(bool off);
  // The other end goes away, as an unplugged device.
  void CloseMaster();

 private:
  int fMaster = -1;
  std::string fSlavePath;
};

}  // namespace orvane::serial::test
