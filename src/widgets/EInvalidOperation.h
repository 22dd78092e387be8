#pragma once

#include <stdexcept>

namespace orvane::widgets {

// A widget was asked for a setting it cannot take; what() is the message the
// operator sees.
class EInvalidOperation : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace orvane::widgets
