#include "ControlConsole.h"

#include <charconv>
#include <limits>
#include <optional>
#include <system_error>

#include "Escapes.h"
#include "serial/LineText.h"

namespace orvane::sim {
namespace {

constexpr long kMaxDelayMs = 60000;

std::optional<bool> OnOff(std::string_view argument) {
  if (argument == "on") return true;
  if (argument == "off") return false;
  return std::nullopt;
}

std::optional<long> Count(std::string_view argument, long max) {
  long value = 0;
  auto [end, ec] = std::from_chars(argument.data(), argument.data() + argument.size(), value);
  if (ec != std::errc{} || end != argument.data() + argument.size()) return std::nullopt;
  if (value < 0 || value > max) return std::nullopt;
  return value;
}

}  // namespace

// Logged once carried out, so whoever reads the log knows the effect is in place.
bool ControlConsole::Execute(std::string_view line, TimePoint now) {
  std::size_t space = line.find(' ');
  std::string_view verb = line.substr(0, space);
  std::string_view argument = space == std::string_view::npos ? "" : line.substr(space + 1);
  bool quit = verb == "quit" && argument.empty();
  std::string error = quit ? std::string{} : Dispatch(verb, argument, now);
  log_.Write("CTL", serial::EscapeLineBytes(line), now);
  if (!error.empty()) {
    log_.Write("ERR", error, now);
  } else if (verb == "plug") {
    log_.Write("PTY", device_.Path(), now);
  }
  return !quit;
}

std::string ControlConsole::Dispatch(std::string_view verb, std::string_view argument,
                                     TimePoint now) {
  if (verb == "plug" && argument.empty()) return Plug();
  if (verb == "unplug" && argument.empty()) return Unplug();
  if (verb == "noise") return Noise(argument, now);
  if (Switch(verb, argument, now) || Setting(verb, argument)) return {};
  return "unknown control command: " + serial::EscapeLineBytes(verb) + " " +
         serial::EscapeLineBytes(argument);
}

bool ControlConsole::Switch(std::string_view verb, std::string_view argument, TimePoint now) {
  std::optional<bool> on = OnOff(argument);
  if (!on) return false;
  if (verb == "power") {
    device_.SetPower(*on, now);
  } else if (verb == "dsr") {
    device_.SetDsr(*on);
  } else if (verb == "split") {
    device_.SetSplit(*on);
  } else {
    return false;
  }
  return true;
}

bool ControlConsole::Setting(std::string_view verb, std::string_view argument) {
  if (verb == "model" && (argument == "A" || argument == "B")) {
    device_.SetModel(argument.front());
  } else if (auto ms = Count(argument, kMaxDelayMs); verb == "delay" && ms) {
    device_.SetDelay(std::chrono::milliseconds(*ms));
  } else if (auto n = Count(argument, std::numeric_limits<long>::max()); verb == "silence" && n) {
    device_.Silence(*n);
  } else {
    return false;
  }
  return true;
}

std::string ControlConsole::Noise(std::string_view text, TimePoint now) {
  std::optional<std::string> bytes = Unescape(text);
  if (!bytes) return "bad escape in noise text";
  if (!device_.Plugged()) return "unplugged: noise not sent";
  device_.SendRaw(*bytes, now);
  return {};
}

std::string ControlConsole::Plug() {
  if (device_.Plugged()) return "already plugged in";
  try {
    device_.Plug();
  } catch (const std::system_error& e) {
    return std::string("plug failed: ") + e.what();
  }
  return {};
}

std::string ControlConsole::Unplug() {
  if (!device_.Plugged()) return "already unplugged";
  device_.Unplug();
  return {};
}

}  // namespace orvane::sim
