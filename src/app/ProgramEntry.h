#pragma once

namespace orvane::app {

// The whole program: one copy per account, the splash that detects the
// instrument, the theme, the main window with its lock, the event loop.
// Returns the exit code: 0 however the program ends, unless the settings
// could not be saved at the end, which the operator was shown in a box.
int RunProgram(int argc, char** argv);

inline constexpr int kSettingsNotSaved = 1;

}  // namespace orvane::app
