#include "Options.h"

#include <charconv>
#include <string_view>

namespace orvane::sim {
namespace {

template <typename Number>
bool ParseNumber(std::string_view text, Number& out) {
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), out);
  return ec == std::errc{} && end == text.data() + text.size();
}

bool ApplyOption(std::string_view name, std::string_view value, Options& options) {
  if (name == "--model") {
    if (value != "A" && value != "B") return false;
    options.model = value.front();
    return true;
  }
  if (name == "--link") {
    options.linkPath = value;
    return !value.empty();
  }
  if (name == "--baud") return ParseNumber(value, options.baud) && options.baud >= 0;
  if (name == "--seed") return ParseNumber(value, options.seed);
  return false;
}

}  // namespace

std::optional<Options> ParseOptions(std::span<char* const> args, std::string& error) {
  Options options;
  for (std::size_t i = 0; i < args.size(); i += 2) {
    std::string_view name = args[i];
    if (i + 1 >= args.size()) {
      error = "missing value after " + std::string(name);
      return std::nullopt;
    }
    if (!ApplyOption(name, args[i + 1], options)) {
      error = "bad option " + std::string(name) + " " + args[i + 1];
      return std::nullopt;
    }
  }
  return options;
}

}  // namespace orvane::sim
