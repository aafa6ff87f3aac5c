#include "gui/app/app_icon.h"

#include <QImageReader>

namespace talvik {

QIcon appIcon()
{
    if (QImageReader::supportedImageFormats().contains("svg"))
        return QIcon(QStringLiteral(":/icons/talvikcom.svg"));
    QIcon icon;
    for (const int size : {16, 24, 32, 48, 64, 256})
        icon.addFile(QStringLiteral(":/icons/icons/talvikcom-%1.png").arg(size), QSize(size, size));
    return icon;
}

} // namespace talvik
