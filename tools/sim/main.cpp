#include <cstdio>
#include <span>
#include <string>
#include <system_error>

#include "Options.h"
#include "Simulator.h"

int main(int argc, char** argv) {
  std::string error;
  auto options = orvane::sim::ParseOptions(std::span(argv + 1, argv + argc), error);
  if (!options) {
    std::fprintf(stderr,
                 "orvane-sim: %s\n"
                 "usage: orvane-sim [--model A|B] [--link PATH] [--baud N] [--seed N]\n"
                 "control input, one a line: power on|off, dsr on|off, unplug, plug,\n"
                 "  silence N, delay MS, split on|off, noise TEXT, model A|B, quit\n",
                 error.c_str());
    return 2;
  }
  try {
    orvane::sim::Simulator simulator(*options);
    simulator.Run();
  } catch (const std::system_error& e) {
    std::fprintf(stderr, "orvane-sim: %s\n", e.what());
    return 1;
  }
  return 0;
}
