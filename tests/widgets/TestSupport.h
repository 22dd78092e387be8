#pragma once

#include <QColor>
#include <QEvent>
#include <QImage>
#include <QObject>
#include <QStringList>
#include <QWidget>

#include <gtest/gtest.h>

#include "widgets/TErrorGuard.h"

namespace orvane::widgets::test {

// Outside RecordedErrors a handler error is a test failure, never a modal box
// that would hang the run.
inline void FailOnError() {
  TErrorGuard::SetRecorder([](const QString& message) {
    ADD_FAILURE() << "unexpected error box: " << message.toStdString();
  });
}

struct RecordedErrors {
  QStringList messages;
  RecordedErrors() {
    TErrorGuard::SetRecorder([this](const QString& message) { messages << message; });
  }
  ~RecordedErrors() { FailOnError(); }
};

class PaintCounter : public QObject {
 public:
  explicit PaintCounter(QWidget& widget) { widget.installEventFilter(this); }
  int count = 0;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++count;
    return false;
  }
};

inline QImage Render(QWidget& widget) {
  return widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

inline QColor At(const QImage& image, int x, int y) { return QColor(image.pixel(x, y)); }

}  // namespace orvane::widgets::test
