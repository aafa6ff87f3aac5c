#pragma once
// Where the window opens: at its designed position when it fits the screen's available
// area; else moved just enough to fit, and never past the area's top-left corner, where a
// window larger than the screen starts so that its title bar and first controls show.

#include <QPoint>
#include <QRect>

namespace talvik {

// `frame`: the window's outer rectangle, title bar and borders included.
QPoint placedOnScreen(const QRect& frame, const QRect& available);

} // namespace talvik
