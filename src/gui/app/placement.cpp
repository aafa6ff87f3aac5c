#include "gui/app/placement.h"

#include <QtGlobal>

namespace talvik {

QPoint placedOnScreen(const QRect& frame, const QRect& available)
{
    QPoint at = frame.topLeft();
    at.rx() -= qMax(0, frame.right() - available.right());
    at.ry() -= qMax(0, frame.bottom() - available.bottom());
    return {qMax(at.x(), available.left()), qMax(at.y(), available.top())};
}

} // namespace talvik
