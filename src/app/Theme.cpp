#include "app/Theme.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>

#include "widgets/TMessageDlg.h"

namespace orvane::app {
namespace {

constexpr char kThemeFolder[] = ":/themes";

bool Themed(const QObject& object) {
  return qobject_cast<const QPushButton*>(&object) || qobject_cast<const QRadioButton*>(&object) ||
         qobject_cast<const QCheckBox*>(&object) || qobject_cast<const QSlider*>(&object);
}

// A widget under a style sheet no longer inherits its parent's font and
// palette: Qt gives it the application's instead. The fixed layout relies on
// inheriting both (a label or radio item takes its group's font), so the
// sheet is never set on the application or on a window, where it would reach
// every widget. Each control of a themed kind takes it alone, as it is first
// polished, with the font and palette it inherited by then made its own.
class TThemedControls : public QObject {
 public:
  TThemedControls(QApplication& app, QString sheet) : QObject(&app), sheet_(std::move(sheet)) {
    app.installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Polish && Themed(*watched)) Style(*static_cast<QWidget*>(watched));
    return false;
  }

 private:
  void Style(QWidget& control) const {
    if (!control.styleSheet().isEmpty()) return;
    QFont font = control.font();
    font.setResolveMask(QFont::AllPropertiesResolved);
    QPalette palette = control.palette();
    palette.setResolveMask(~QPalette::ResolveMask{0});
    control.setFont(font);
    control.setPalette(palette);
    control.setStyleSheet(sheet_);
  }

  QString sheet_;
};

}  // namespace

std::optional<QString> FindTheme(const QString& name) {
  const QDir themes(kThemeFolder);
  for (const QString& entry : themes.entryList(QDir::Files)) {
    if (entry.compare(name, Qt::CaseInsensitive) != 0) continue;
    QFile file(themes.filePath(entry));
    if (file.open(QIODevice::ReadOnly)) return QString::fromUtf8(file.readAll());
  }
  return std::nullopt;
}

QObject* ApplyTheme(QApplication& app, const QString& name) {
  std::optional<QString> sheet = FindTheme(name);
  if (!sheet) {
    widgets::TMessageDlg::Error(nullptr, QString("Style '%1' not found").arg(name));
    return nullptr;
  }
  return new TThemedControls(app, std::move(*sheet));
}

}  // namespace orvane::app
