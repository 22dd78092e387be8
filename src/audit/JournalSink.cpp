#include "audit/JournalSink.h"

#include <sys/stat.h>
#include <sys/uio.h>

// The entry says where in the panel it came from through its fields; the
// source file and line of the sink would be the same on every entry.
#define SD_JOURNAL_SUPPRESS_LOCATION
#include <systemd/sd-journal.h>

#include <utility>

namespace orvane::audit {
namespace {

// Notice: a change somebody made, worth keeping, not a fault.
constexpr const char* kPriority = "5";

// libsystemd drops an entry silently when this socket is missing, so the
// program looks for it first: without it the entry goes to the fallback.
constexpr const char* kJournalSocket = "/run/systemd/journal/socket";

bool JournalListens() {
  struct stat node {};
  return ::stat(kJournalSocket, &node) == 0 && S_ISSOCK(node.st_mode);
}

bool SentToJournal(const TAuditEvent& event) {
  if (!JournalListens()) return false;
  std::vector<std::string> fields = JournalFields(event);
  std::vector<iovec> parts;
  parts.reserve(fields.size());
  for (std::string& field : fields) parts.push_back({field.data(), field.size()});
  return sd_journal_sendv(parts.data(), static_cast<int>(parts.size())) >= 0;
}

std::vector<std::pair<const char*, const std::string*>> EventFields(const TAuditEvent& event) {
  return {{"ORVANE_EVENT", &event.Event},  {"ORVANE_SETTING", &event.Setting},
          {"ORVANE_OLD", &event.OldValue}, {"ORVANE_NEW", &event.NewValue},
          {"ORVANE_MODEL", &event.Model},  {"ORVANE_PORT", &event.Port},
          {"ORVANE_USER", &event.User}};
}

std::string Quoted(const std::string& value) {
  std::string quoted = "\"";
  for (const char c : value) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F) {
      quoted += '?';
    } else {
      if (c == '"' || c == '\\') quoted += '\\';
      quoted += c;
    }
  }
  return quoted + '"';
}

}  // namespace

std::vector<std::string> JournalFields(const TAuditEvent& event) {
  std::vector<std::string> fields{"MESSAGE=" + AuditMessage(event),
                                  std::string("PRIORITY=") + kPriority,
                                  std::string("SYSLOG_IDENTIFIER=") + kSyslogIdentifier};
  for (const auto& [name, value] : EventFields(event)) {
    if (!value->empty()) fields.push_back(std::string(name) + '=' + *value);
  }
  return fields;
}

std::string JournalLine(const TAuditEvent& event) {
  std::string line = std::string(kSyslogIdentifier) + ": " + Quoted(AuditMessage(event));
  for (const auto& [name, value] : EventFields(event)) {
    if (!value->empty()) line += ' ' + std::string(name) + '=' + Quoted(*value);
  }
  return line + '\n';
}

void SendToJournal(const TAuditEvent& event, std::FILE* fallback) {
  if (SentToJournal(event)) return;
  const std::string line = JournalLine(event);
  std::fwrite(line.data(), 1, line.size(), fallback);
  std::fflush(fallback);
}

}  // namespace orvane::audit
