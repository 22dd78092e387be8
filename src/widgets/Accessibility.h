#pragma once

namespace orvane::widgets {

// Makes the owner-drawn widgets readable and operable by assistive tools.
// Call once, after the QApplication exists and before the widgets are made: a
// widget asked about earlier keeps Qt's generic description for its life.
// Calling it again changes nothing.
void InstallAccessibility();

}  // namespace orvane::widgets
