#include <cstdio>
#include <span>
#include <string>
#include <string_view>
#include <system_error>

#include "Options.h"
#include "Simulator.h"

namespace {

constexpr const char* kUsage =
    "usage: orvane-sim [--model A|B] [--link PATH] [--baud N] [--seed N]\n"
    "control input, one a line: power on|off, dsr on|off, unplug, plug,\n"
    "  silence N, delay MS, split on|off, noise TEXT, model A|B, quit\n";

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && (std::string_view(argv[1]) == "--help" || std::string_view(argv[1]) == "-h")) {
    std::fputs(kUsage, stdout);
    return 0;
  }
  std::string error;
  auto options = orvane::sim::ParseOptions(std::span(argv + 1, argv + argc), error);
  if (!options) {
    std::fprintf(stderr, "orvane-sim: %s\n%s", error.c_str(), kUsage);
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
