#pragma once

namespace orvane::app {

// The whole program: one copy per account, the splash that detects the
// instrument, the theme, the main window with its lock, the event loop.
// Returns the exit code, 0 however the program ends.
int RunProgram(int argc, char** argv);

}  // namespace orvane::app
