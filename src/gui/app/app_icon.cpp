#include "gui/app/app_icon.h"

namespace talvik {

// A static Qt (the Windows build) carries no SVG plugin. Asking Qt which image formats it
// has would load every image plugin at start-up, so the build decides.
QIcon appIcon()
{
#ifdef QT_STATIC
    QIcon icon;
    for (const int size : {16, 24, 32, 48, 64, 256})
        icon.addFile(QStringLiteral(":/icons/icons/talvikcom-%1.png").arg(size), QSize(size, size));
    return icon;
#else
    return QIcon(QStringLiteral(":/icons/talvikcom.svg"));
#endif
}

} // namespace talvik
