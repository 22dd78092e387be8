#pragma once

#include <functional>

class QObject;

namespace orvane::widgets {

// The handler shape of every control: the control that raised the event comes
// first, so one handler can serve several controls and tell them apart.
using TNotifyEvent = std::function<void(QObject* sender)>;

}  // namespace orvane::widgets
