#pragma once

#include <string>
#include <string_view>

#include "Clock.h"
#include "Device.h"
#include "EventLog.h"

namespace orvane::sim {

// The test bench's hand on the instrument: one control command a line.
class ControlConsole {
 public:
  ControlConsole(Device& device, const EventLog& log) : device_(device), log_(log) {}

  // False once the line asks the simulator to quit.
  bool Execute(std::string_view line, TimePoint now);

 private:
  // An error text, empty when the command was carried out.
  std::string Dispatch(std::string_view verb, std::string_view argument, TimePoint now);
  bool Switch(std::string_view verb, std::string_view argument, TimePoint now);
  bool Setting(std::string_view verb, std::string_view argument);
  std::string Noise(std::string_view text, TimePoint now);
  std::string Plug();
  std::string Unplug();

  Device& device_;
  const EventLog& log_;
};

}  // namespace orvane::sim
