#pragma once

#include <string>

namespace orvane::sim {

// A fixed path for the panel's configuration that follows the simulator's
// pty from plug to plug.
class SymbolicLink {
 public:
  explicit SymbolicLink(std::string path) : path_(std::move(path)) {}

  // Replaces the link atomically, so a reader never finds it missing.
  // Throws std::system_error.
  void PointTo(const std::string& target) const;

  // Leaves the path alone if someone else has taken it over meanwhile.
  void RemoveIfPointingTo(const std::string& target) const;

 private:
  std::string path_;
};

}  // namespace orvane::sim
