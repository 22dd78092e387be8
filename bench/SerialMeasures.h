#pragma once

#include <chrono>
#include <string>
#include <vector>

#include "BenchPort.h"

class SimProcess;

namespace orvane::serial::test {
class TPtyPair;
}

// The measurements of serial_bench, each made on one open port.
namespace orvane::bench {

// One character at 2400 bit/s with a start bit, 7 data bits and 2 stop bits.
inline constexpr std::chrono::microseconds kCharacterTime2400{4167};
// A byte not handled within this long counts as a delivery timeout.
inline constexpr std::chrono::milliseconds kDeliveryLimit{1000};

struct TLatency {
  std::vector<double> Ms;  // one per byte handled within the limit
  int Timeouts = 0;        // bytes handled, but later than the limit
  int Lost = 0;            // bytes never handled
  int Wrong = 0;           // bytes doubled, reordered or changed

  void Add(const TLatency& other);
  bool Honest() const { return Timeouts == 0 && Lost == 0 && Wrong == 0; }
};

// `spacing` zero: each byte is written once the one before was handled
// (back to back); else the bytes go out on that fixed schedule.
// From the write at the pty's far end to the handler holding the byte.
TLatency MeasureRead(TBenchPort& port, serial::test::TPtyPair& pty, int count,
                     std::chrono::microseconds spacing);
// From the port's write call to the byte read at the far end.
TLatency MeasureWrite(TBenchPort& port, serial::test::TPtyPair& pty, int count,
                      std::chrono::microseconds spacing);

struct TCost {
  double CpuPercent = 0;  // of one core
  double WakeUpsPerSecond = 0;
  int Replies = 0;
};

// The port open and nothing written or armed.
TCost MeasureIdle(TBenchPort& port, const std::string& device, int seconds);
// "?A" every 600 ms to the simulator, as the panel's polling does, each
// reply collected up to its carriage return.
TCost MeasurePolling(TBenchPort& port, SimProcess& sim, const std::string& device, int seconds);

}  // namespace orvane::bench
