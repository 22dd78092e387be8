#include "widgets/TDialogOwner.h"

#include <QApplication>
#include <QPointer>
#include <QWidget>

namespace orvane::widgets {
namespace {

QPointer<QWidget>& Registered() {
  static QPointer<QWidget> window;
  return window;
}

}  // namespace

void TDialogOwner::Register(QWidget* window) { Registered() = window; }

QWidget* TDialogOwner::For(QWidget* opener) {
  if (opener != nullptr) return opener;
  if (QWidget* modal = QApplication::activeModalWidget()) return modal;
  if (Registered() && Registered()->isVisible()) return Registered();
  return QApplication::activeWindow();
}

}  // namespace orvane::widgets
