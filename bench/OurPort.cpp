#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "BenchPort.h"
#include "serial/ApdComPort.h"
#include "serial/PortNames.h"

namespace orvane::bench {
namespace {

// The port component set up as the main window sets its own, on a port
// number that a config.ini of the benchmark's own maps to the pty.
class TOurPort : public TBenchPort {
 public:
  TOurPort() {
    char pattern[] = "/tmp/orvane-serial-bench-XXXXXX";
    dir_ = mkdtemp(pattern);
    port_.AutoOpen = false;
    port_.RTS = false;
    port_.SetOnTriggerAvail([this](serial::TApdComPort& cp, std::uint16_t count) {
      const auto start = Clock::now();
      std::string bytes(count, '\0');
      for (char& byte : bytes) byte = static_cast<char>(cp.GetChar());
      if (OnData) OnData(start, bytes);
    });
  }
  ~TOurPort() override {
    Close();
    std::filesystem::remove_all(dir_);
  }

  const char* Name() const override { return "ours"; }

  bool Open(const std::string& device) override {
    std::ofstream(dir_ / "config.ini") << "[Ports]\nCOM3=" << device << "\n";
    serial::SetPortMapFile(dir_ / "config.ini");
    try {
      port_.SetComNumber(3);
      port_.SetOpen(true);
    } catch (const std::exception& error) {
      std::fprintf(stderr, "ours: cannot open %s: %s\n", device.c_str(), error.what());
      return false;
    }
    return true;
  }
  void Close() override { port_.SetOpen(false); }
  void Write(const std::string& text) override { port_.PutString(text); }

 private:
  std::filesystem::path dir_;
  serial::TApdComPort port_;
};

}  // namespace

std::unique_ptr<TBenchPort> MakeOurPort() { return std::make_unique<TOurPort>(); }

}  // namespace orvane::bench
