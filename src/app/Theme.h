#pragma once

#include <optional>

#include <QString>

class QApplication;
class QObject;

namespace orvane::app {

inline constexpr char kThemeName[] = "Sapphire Kamri";

// The style sheet of the theme the program carries under `name`, whatever
// its letter case; nothing when there is none.
std::optional<QString> FindTheme(const QString& name);

// Draws every control made from now on in the theme `name`, and returns the
// object that does so (owned by `app`; deleting it ends the theme for
// controls made afterwards). Without such a theme the operator is told
// "Style '<name>' not found" in an error box, the default look stays and
// nothing is returned.
QObject* ApplyTheme(QApplication& app, const QString& name);

}  // namespace orvane::app
