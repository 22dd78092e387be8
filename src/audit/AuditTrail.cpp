#include "audit/AuditTrail.h"

#include <utility>

namespace orvane::audit {

void TAuditTrail::Send(TAuditEvent event) {
  if (stamp_) stamp_(event);
  for (const Listener& listener : listeners_) listener(event);
}

void TAuditTrail::SettingSent(const std::string& setting, const std::string& value) {
  const auto [last, added] = lastValues_.try_emplace(setting, value);
  if (!added && last->second == value) return;
  TAuditEvent event{.Event = kSettingEvent, .Setting = setting, .NewValue = value};
  if (!added) event.OldValue = std::exchange(last->second, value);
  Send(std::move(event));
}

}  // namespace orvane::audit
