#pragma once

#include "panel/MainControls.h"

class QWidget;

namespace orvane::panel {

// Each builds one part of the window on the client area, in the window's
// creation order: later controls lie above earlier ones where they overlap.
void BuildStatusLights(QWidget& client, TMainControls& controls);
void BuildPumps(QWidget& client, TMainControls& controls);
void BuildSignalReading(QWidget& client, TMainControls& controls);
void BuildLamp(QWidget& client, TMainControls& controls);
void BuildOptionsPanel(QWidget& client, TMainControls& controls);
void BuildGases(QWidget& client, TMainControls& controls);
void BuildGainMode(QWidget& client, TMainControls& controls);

// Tab order and the names and descriptions screen readers announce.
void SetTabOrder(const TMainControls& controls);
void SetAccessibility(const TMainControls& controls);

}  // namespace orvane::panel
