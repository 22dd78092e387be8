#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace orvane::sim {

struct Options {
  char model = 'B';
  std::string linkPath;
  long baud = 2400;
  std::uint32_t seed = 1;
};

// The command line without the program name. On a bad argument gives nothing
// and leaves the complaint in `error`.
std::optional<Options> ParseOptions(std::span<char* const> args, std::string& error);

}  // namespace orvane::sim
