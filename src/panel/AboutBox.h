#pragma once

#include <QString>

#include <filesystem>
#include <functional>
#include <string>

#include "serial/LineSettings.h"

class QWidget;

namespace orvane::panel {

inline constexpr char kAboutTitle[] = "About ORVANE - AFS";

// What the About box tells: the port as numbered and the device it stands
// for (empty when it has none), its line, and where the settings live.
struct TAboutFacts {
  unsigned ComNumber = 0;
  std::string Device;
  serial::TLineSettings Line;
  std::filesystem::path ConfigFile;
};

// The box's text: version, build, the Qt and C library versions, the line,
// config.ini and where the troubleshooting table is.
QString AboutText(const TAboutFacts& facts);

// F1, or "About ORVANE - AFS" on the window's context menu (a right click
// anywhere on it), shows the box over `window`; `facts` is asked each time,
// so the box shows the port of the moment. No menu bar: the window keeps its
// layout.
void InstallAbout(QWidget& window, std::function<TAboutFacts()> facts);

}  // namespace orvane::panel
