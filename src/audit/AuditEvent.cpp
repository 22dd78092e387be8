#include "audit/AuditEvent.h"

namespace orvane::audit {
namespace {

std::string WhatHappened(const TAuditEvent& event) {
  if (event.Setting.empty()) return event.Event;
  if (event.OldValue.empty()) return event.Setting + " set to " + event.NewValue;
  return event.Setting + " changed from " + event.OldValue + " to " + event.NewValue;
}

std::string Where(const TAuditEvent& event) {
  if (event.Model.empty()) return event.Port;
  if (event.Port.empty()) return event.Model;
  return event.Model + ", " + event.Port;
}

}  // namespace

std::string AuditMessage(const TAuditEvent& event) {
  std::string message = WhatHappened(event);
  if (!event.User.empty()) message += " by account " + event.User;
  if (const std::string where = Where(event); !where.empty()) message += " (" + where + ")";
  return message;
}

}  // namespace orvane::audit
