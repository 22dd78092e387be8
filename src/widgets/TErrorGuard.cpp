#include "widgets/TErrorGuard.h"

#include <exception>
#include <utility>

#include <QApplication>
#include <QMessageBox>

namespace orvane::widgets {

namespace {

TErrorGuard::TRecorder& Recorder() {
  static TErrorGuard::TRecorder recorder;
  return recorder;
}

}  // namespace

bool TErrorGuard::Run(const std::function<void()>& handler) noexcept {
  try {
    handler();
    return true;
  } catch (const std::exception& error) {
    ShowError(QString::fromUtf8(error.what()));
  } catch (...) {
    ShowError(QStringLiteral("Unknown error"));
  }
  return false;
}

void TErrorGuard::ShowError(const QString& message) {
  if (Recorder()) {
    Recorder()(message);
    return;
  }
  QMessageBox box(QMessageBox::Critical, QApplication::applicationDisplayName(), message,
                  QMessageBox::Ok, QApplication::activeWindow());
  box.exec();
}

void TErrorGuard::SetRecorder(TRecorder recorder) { Recorder() = std::move(recorder); }

}  // namespace orvane::widgets
