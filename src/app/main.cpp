#include <QApplication>
#include <QScreen>

#include "app/TerminationSignals.h"
#include "config/ConfigPath.h"
#include "panel/PY_ORVANEFrm.h"
#include "widgets/FontSubstitutes.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  orvane::widgets::InstallFontSubstitutes();
  orvane::app::TTerminationSignals terminationSignals;
  {
    orvane::panel::TPY_ORVANEFrm window(orvane::config::ConfigIniPath());
    const QRect screen = window.screen()->availableGeometry();
    window.move(screen.center() - window.rect().center());
    window.show();
    app.exec();
  }
  return 0;
}
