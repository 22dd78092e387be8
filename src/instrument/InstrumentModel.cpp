#include "instrument/InstrumentModel.h"

#include <limits>

namespace orvane::instrument {

const char* ModelOfIdentity(unsigned value) { return value != kModelBIdentity ? kModelA : kModelB; }

const char* SectionOf(std::string_view model) {
  if (model == kModelA) return "PY";
  if (model == kModelB) return "RV";
  return nullptr;
}

std::uint16_t PortNumber(int stored) {
  const bool fits = stored > 0 && stored <= std::numeric_limits<std::uint16_t>::max();
  return fits ? static_cast<std::uint16_t>(stored) : 0;
}

}  // namespace orvane::instrument
