#pragma once

#include <QPixmap>
#include <QString>

#include "panel/MainControls.h"

class QLabel;
class QWidget;

namespace orvane::panel {

// Creates every control of the main window on `client` (the window's client
// area) where the layout places it, with its captions, fonts, colours,
// ranges, items, tab order, hints and initial state, and fills the lamp
// operating-conditions table. Binds no handler.
TMainControls BuildMainLayout(QWidget& client);

// The slider tick marks, put on each time the window is shown.
void PutTickMarks(const TMainControls& controls);

// The arrow of the lamp-table panel: "UP" slides it out, "DOWN" back.
QPixmap ArrowPicture(bool up);

// Sets a label's text; the label grows or shrinks to the right to fit it.
void SetLabelText(QLabel& label, const QString& text);

}  // namespace orvane::panel
