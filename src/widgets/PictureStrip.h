#pragma once

#include <QColor>
#include <QIcon>
#include <QPixmap>
#include <QString>

namespace orvane::widgets {

// A button picture kept as a strip of two square images side by side: the
// normal one, then the greyed one the button shows while disabled. Returns a
// null icon when the picture cannot be read.
QIcon StripIcon(const QString& path);

// The picture with every pixel of exactly the given colour made transparent,
// for pictures drawn on a background colour instead of with an alpha channel.
// A null pixmap when the picture cannot be read.
QPixmap TransparentPixmap(const QString& path, QColor transparent);

// The program's icon at 16, 32, 48 and 64 pixels, each drawn for its size,
// so a title bar and a task switcher each pick a sharp one.
QIcon ProgramIcon();

}  // namespace orvane::widgets
