#include "app/ProgramEntry.h"

#include <QApplication>
#include <QFrame>
#include <QGroupBox>
#include <QScreen>
#include <QTimer>

#include "app/ApplicationLock.h"
#include "app/SingleInstance.h"
#include "app/SplashForm.h"
#include "app/TerminationSignals.h"
#include "app/Theme.h"
#include "audit/JournalSink.h"
#include "config/ConfigPath.h"
#include "panel/PY_ORVANEFrm.h"
#include "widgets/Accessibility.h"
#include "widgets/FontSubstitutes.h"
#include "widgets/TDialogOwner.h"
#include "widgets/TMessageDlg.h"

namespace orvane::app {
namespace {

// Stay-on-top, the corner tile and centring need window placement that a
// Wayland client is not given; through XWayland the window manager honours
// them. A platform the user chose stays chosen.
void PreferX11() {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && !qEnvironmentVariableIsEmpty("DISPLAY")) {
    qputenv("QT_QPA_PLATFORM", "xcb");
  }
}

void Centre(QWidget& window) {
  const QRect screen = window.screen()->availableGeometry();
  window.move(screen.center() - window.frameGeometry().center() + window.pos());
}

// A copy without the guard against a second one says so once, over its
// window, as soon as the window stands.
void TellUnguarded(QWidget& window, const TSingleInstance& instance) {
  if (instance.Unguarded().empty()) return;
  const QString text = QString::fromStdString(instance.Unguarded());
  QTimer::singleShot(0, &window, [&window, text] { widgets::TMessageDlg::Warning(&window, text); });
}

// False when the settings could not be saved at the end.
bool RunMainWindow(QApplication& app, TSingleInstance& instance) {
  panel::TPY_ORVANEFrm window(config::ConfigIniPath());
  widgets::TDialogOwner::Register(&window);
  const panel::TMainControls& c = window.Controls();
  TApplicationLock lock(c.pnlGainMode, c.gbPumps, c.gbGases, c.gbLamp, c.btnLock,
                        window.Link().PanelLocked);
  // Subscribed once the window stands: the settings it loaded are where the
  // trail starts, not changes anybody made.
  window.Audit().Subscribe([](const audit::TAuditEvent& event) { audit::SendToJournal(event); });
  lock.SetAuditTrail(window.Audit());
  Centre(window);
  window.show();
  instance.Listen(window);
  TellUnguarded(window, instance);
  app.exec();
  return window.SaveSettings();
}

}  // namespace

int RunProgram(int argc, char** argv) {
  PreferX11();
  QApplication app(argc, argv);
  // Boxes without a title of their own take this one; a display name would
  // also be added to every window's caption.
  app.setApplicationName("ORVANE - AFS");
  widgets::InstallFontSubstitutes();
  widgets::InstallAccessibility();
  TSingleInstance instance;
  if (instance.AnotherCopyRuns()) {
    instance.HandOver();
    return 0;
  }
  TTerminationSignals terminationSignals;
  {
    TSplashForm splash;
    widgets::TDialogOwner::Register(&splash);
    if (!RunSplash(splash)) return 0;
  }
  ApplyTheme(app, kThemeName);
  return RunMainWindow(app, instance) ? 0 : kSettingsNotSaved;
}

}  // namespace orvane::app
