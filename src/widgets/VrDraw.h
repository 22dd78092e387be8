#pragma once

#include <QColor>
#include <QRect>

class QPainter;

namespace orvane::widgets {

// Draws `width` nested one-pixel rings from the outside in: left and top edges
// in `top`, right and bottom edges in `bottom` (which also take the top-right
// and bottom-left corners). `rect` comes back shrunk by `width` on every side,
// so frames drawn one after another nest.
void Frame(QPainter& canvas, QRect& rect, const QColor& top, const QColor& bottom, int width);

// Fills `rect` in one-pixel rows going from `from` at the top towards `to`;
// the last row stops one step short of `to`.
void VerticalGradient(QPainter& canvas, const QRect& rect, const QColor& from, const QColor& to);

}  // namespace orvane::widgets
