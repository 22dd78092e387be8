#include "serial/LineTrace.h"

#include <QTime>

Q_LOGGING_CATEGORY(lcOrvaneLine, "orvane.line", QtInfoMsg)

namespace orvane::serial {
namespace {

// A line that never ends is still written, in pieces of this size.
constexpr std::size_t kLongestLine = 256;

void Write(std::uint16_t comNumber, const char* what, std::string_view bytes,
           const char* note = "") {
  qCDebug(lcOrvaneLine).noquote().nospace()
      << QTime::currentTime().toString("HH:mm:ss.zzz") << " COM" << comNumber << ' ' << what << ' '
      << QString::fromStdString(EscapeLineBytes(bytes)) << note;
}

}  // namespace

void TLineTrace::Sent(std::uint16_t comNumber, std::string_view bytes, bool written) {
  if (!lcOrvaneLine().isDebugEnabled()) return;
  Flush(comNumber);
  Write(comNumber, "sent", bytes, written ? "" : " (not written)");
}

void TLineTrace::Received(std::uint16_t comNumber, std::uint8_t byte) {
  if (!lcOrvaneLine().isDebugEnabled()) return;
  pending_.push_back(static_cast<char>(byte));
  if (byte == '\r' || pending_.size() >= kLongestLine) Flush(comNumber);
}

void TLineTrace::Flush(std::uint16_t comNumber) {
  if (pending_.empty()) return;
  Write(comNumber, "received", pending_);
  pending_.clear();
}

}  // namespace orvane::serial
