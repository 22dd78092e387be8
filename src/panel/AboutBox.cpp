#include "panel/AboutBox.h"

#include <gnu/libc-version.h>

#include <QAction>
#include <QWidget>
#include <QtGlobal>

#include "widgets/TErrorGuard.h"
#include "widgets/TMessageDlg.h"

namespace orvane::panel {
namespace {

QString ParityName(serial::TParity parity) {
  switch (parity) {
    case serial::TParity::pOdd:
      return "odd";
    case serial::TParity::pEven:
      return "even";
    case serial::TParity::pMark:
      return "mark";
    case serial::TParity::pSpace:
      return "space";
    case serial::TParity::pNone:
      break;
  }
  return "no";
}

QString LineText(const TAboutFacts& facts) {
  const serial::TLineSettings& line = facts.Line;
  QString port =
      facts.ComNumber == 0 ? QString("no port chosen") : QString("COM%1").arg(facts.ComNumber);
  if (!facts.Device.empty()) port += QString(" (%1)").arg(QString::fromStdString(facts.Device));
  return QString("%1, %2 bit/s, %3 data bits, %4 parity, %5 stop bits")
      .arg(port)
      .arg(line.Baud)
      .arg(line.DataBits)
      .arg(ParityName(line.Parity))
      .arg(line.StopBits);
}

// The README sits in the source tree the program was built from; a copy
// carried to another machine names the section instead.
QString TroubleshootingLink() {
  const std::filesystem::path readme = ORVANE_README;
  std::error_code error;
  if (!std::filesystem::exists(readme, error)) return "the README's Troubleshooting table";
  return QString::fromStdString("file://" + readme.string() + "#troubleshooting");
}

}  // namespace

QString AboutText(const TAboutFacts& facts) {
  return QString(
             "ORVANE - AFS, version %1\n"
             "Build: %2, compiler %3\n"
             "Qt %4 (built with %5), GNU C library %6\n"
             "Line: %7\n"
             "Settings: %8\n"
             "Troubleshooting: %9")
      .arg(ORVANE_VERSION, ORVANE_BUILD_TYPE, __VERSION__, qVersion(), QT_VERSION_STR,
           gnu_get_libc_version(), LineText(facts),
           QString::fromStdString(facts.ConfigFile.string()), TroubleshootingLink());
}

void InstallAbout(QWidget& window, std::function<TAboutFacts()> facts) {
  auto* about = new QAction(kAboutTitle, &window);
  about->setShortcut(QKeySequence(Qt::Key_F1));
  about->setShortcutContext(Qt::WindowShortcut);
  QObject::connect(about, &QAction::triggered, &window, [&window, facts = std::move(facts)] {
    widgets::TErrorGuard::Run(
        [&] { widgets::TMessageDlg::Information(&window, kAboutTitle, AboutText(facts())); });
  });
  window.addAction(about);
  window.setContextMenuPolicy(Qt::ActionsContextMenu);
}

}  // namespace orvane::panel
