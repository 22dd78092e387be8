#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

// One serial port as the benchmark drives it: ours (the port component the
// windows use) or the baseline built on Qt's serial port module. Both are
// opened on the same pty with the instrument's line settings, written from
// the UI thread and read in their data handler on the UI thread.
namespace orvane::bench {

using Clock = std::chrono::steady_clock;

class TBenchPort {
 public:
  // Called at the start of each data handler with the bytes it took.
  using THandler = std::function<void(Clock::time_point start, std::string_view bytes)>;

  virtual ~TBenchPort() = default;
  virtual const char* Name() const = 0;
  // False with the reason on standard error.
  virtual bool Open(const std::string& device) = 0;
  virtual void Close() = 0;
  virtual void Write(const std::string& text) = 0;

  THandler OnData;
};

std::unique_ptr<TBenchPort> MakeOurPort();
std::unique_ptr<TBenchPort> MakeQtPort();

}  // namespace orvane::bench
