#include "widgets/TErrorGuard.h"

#include <exception>
#include <utility>

#include <QApplication>
#include <QMessageBox>
#include <QPointer>

#include "widgets/TDialogOwner.h"

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
  // On the heap: the window it stands on may go while it waits, and takes
  // the box along.
  QPointer<QMessageBox> box =
      new QMessageBox(QMessageBox::Critical, QApplication::applicationDisplayName(), message,
                      QMessageBox::Ok, TDialogOwner::For());
  box->exec();
  delete box;
}

void TErrorGuard::SetRecorder(TRecorder recorder) { Recorder() = std::move(recorder); }

}  // namespace orvane::widgets
