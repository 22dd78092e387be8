#pragma once

namespace orvane::widgets {

// Maps the layout's font names onto the fonts installed here, for every
// QFont made afterwards. Call once, after the QApplication exists.
void InstallFontSubstitutes();

}  // namespace orvane::widgets
