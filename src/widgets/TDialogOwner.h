#pragma once

class QWidget;

namespace orvane::widgets {

// The window a box or dialog is transient for. A box without a parent
// belongs to Qt's hidden leader window, which the window manager stacks under
// the always-on-top panel: a modal box there blocks every click while the
// operator cannot see it. So every box and dialog the program opens takes a
// window of its own, even when its opener names none.
class TDialogOwner {
 public:
  // The program's window of the moment: the splash while it stands, then the
  // main window. Forgotten by itself when that window is destroyed.
  static void Register(QWidget* window);

  // The parent for a box or dialog: `opener` when it names one; else the
  // topmost open modal dialog, which the box must stand above; else the
  // registered window while it is shown; else the active window, if any.
  // Never the active window first: it is null right after a dialog closes or
  // while the operator works in another program.
  static QWidget* For(QWidget* opener = nullptr);
};

}  // namespace orvane::widgets
