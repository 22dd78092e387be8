#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "Clock.h"
#include "EventLog.h"
#include "Instrument.h"
#include "LineAssembler.h"
#include "Options.h"
#include "Pty.h"
#include "SymbolicLink.h"
#include "Transmitter.h"

namespace orvane::sim {

// The instrument as the panel meets it: a pty that may be plugged in or not,
// a power switch, DSR, and the faults the control console can stage.
class Device {
 public:
  Device(const Options& options, const EventLog& log, TimePoint start);
  ~Device();
  Device(const Device&) = delete;
  Device& operator=(const Device&) = delete;

  // -1 while unplugged, so poll() skips it.
  int Fd() const { return pty_ ? pty_->MasterFd() : -1; }
  std::string Path() const { return pty_ ? pty_->SlavePath() : std::string{}; }

  void OnPollEvents(short revents, TimePoint now);
  void SendDue(TimePoint now);
  std::optional<TimePoint> NextDeadline() const { return transmitter_.NextDue(); }

  void SetPower(bool on, TimePoint now);
  void SetDsr(bool asserted);
  bool Plugged() const { return pty_ != nullptr; }
  void Plug();  // throws std::system_error
  void Unplug();
  void Silence(long commands) { silenced_ = commands; }
  void SetDelay(Duration delay) { delay_ = delay; }
  void SetSplit(bool on) { split_ = on; }
  void SendRaw(std::string_view bytes, TimePoint now) { transmitter_.Queue(bytes, now); }
  void SetModel(char model) { instrument_.SetModel(model); }

 private:
  void OnLine(const ReceivedLine& line, TimePoint now);
  void Answer(const protocol::ReplyFrame& frame, TimePoint now);

  const EventLog& log_;
  std::optional<SymbolicLink> link_;
  std::unique_ptr<Pty> pty_;
  LineAssembler lines_;
  Instrument instrument_;
  Transmitter transmitter_;
  bool powered_ = true;
  bool dsr_ = true;
  bool split_ = false;
  long silenced_ = 0;
  Duration delay_;
};

}  // namespace orvane::sim
