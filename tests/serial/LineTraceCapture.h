#pragma once

#include <QLoggingCategory>
#include <QStringList>

#include <cstring>

namespace orvane::serial::test {

// Switches the line trace on or off for its life and keeps what the trace
// writes, in place of standard error.
class TLineTraceCapture {
 public:
  explicit TLineTraceCapture(bool on) {
    Lines().clear();
    QLoggingCategory::setFilterRules(on ? "orvane.line.debug=true" : "orvane.line.debug=false");
    previous_ = qInstallMessageHandler(Keep);
  }
  ~TLineTraceCapture() {
    qInstallMessageHandler(previous_);
    QLoggingCategory::setFilterRules({});
  }
  TLineTraceCapture(const TLineTraceCapture&) = delete;
  TLineTraceCapture& operator=(const TLineTraceCapture&) = delete;

  static QStringList& Lines() {
    static QStringList lines;
    return lines;
  }

 private:
  static void Keep(QtMsgType, const QMessageLogContext& context, const QString& message) {
    if (context.category != nullptr && std::strcmp(context.category, "orvane.line") == 0) {
      Lines() << message;
    }
  }

  QtMessageHandler previous_ = nullptr;
};

}  // namespace orvane::serial::test
