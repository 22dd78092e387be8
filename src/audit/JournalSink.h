#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "audit/AuditEvent.h"

namespace orvane::audit {

// The identifier the entries carry: `journalctl -t orvane` lists them.
inline constexpr const char* kSyslogIdentifier = "orvane";

// The journal entry's fields, "NAME=value" each: MESSAGE, PRIORITY,
// SYSLOG_IDENTIFIER, and ORVANE_EVENT, ORVANE_SETTING, ORVANE_OLD, ORVANE_NEW,
// ORVANE_MODEL, ORVANE_PORT, ORVANE_USER for those the event has.
std::vector<std::string> JournalFields(const TAuditEvent& event);

// The same entry as one line of text: the message, then the fields, each
// value quoted. A control character in a value (a hand-edited port path, say)
// is written as '?', so no value can start a line that looks like an entry of
// its own.
std::string JournalLine(const TAuditEvent& event);

// Sends the event to the system journal; where there is none (no journald,
// its socket absent), writes the line to `fallback` instead. The journal is
// reached by one datagram, which costs the UI thread no wait worth the name.
void SendToJournal(const TAuditEvent& event, std::FILE* fallback = stderr);

}  // namespace orvane::audit
