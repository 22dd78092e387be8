#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "audit/AuditEvent.h"

namespace orvane::audit {

// Where the panel's audit events go: every listener hears every event, in the
// order sent. The journal is one listener; a run being recorded can be
// another. Used on the UI thread only, like the controls that send.
class TAuditTrail {
 public:
  using Listener = std::function<void(const TAuditEvent&)>;
  // Fills in what every event carries (the model and the port) where the
  // sender left it empty.
  using Stamp = std::function<void(TAuditEvent&)>;

  // For the life of the trail: what a listener reaches must live as long as
  // the window that owns the trail.
  void Subscribe(Listener listener) { listeners_.push_back(std::move(listener)); }
  void SetStamp(Stamp stamp) { stamp_ = std::move(stamp); }
  void Send(TAuditEvent event);
  // A setting sent to the instrument. Only a new value is an event: sending
  // the same value again (the settings restored after a reconnect) changes
  // nothing. The first value of a setting has no old value.
  void SettingSent(const std::string& setting, const std::string& value);

  inline static const std::string kSettingEvent = "setting";

 private:
  std::vector<Listener> listeners_;
  Stamp stamp_;
  std::map<std::string, std::string> lastValues_;
};

}  // namespace orvane::audit
