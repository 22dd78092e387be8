#pragma once

#include <string>

namespace orvane::audit {

// One entry of the audit trail: what happened, to which setting, from which
// value to which, on which instrument and port, and which account acted where
// one did. A field that does not apply stays empty and is left out.
struct TAuditEvent {
  std::string Event{};
  std::string Setting{};
  std::string OldValue{};
  std::string NewValue{};
  std::string Model{};
  std::string Port{};
  std::string User{};
};

// The event as one line for a person reading the journal, e.g.
// "gain changed from 10 to 100 (Maravent, COM 3 /dev/ttyS2)".
std::string AuditMessage(const TAuditEvent& event);

}  // namespace orvane::audit
