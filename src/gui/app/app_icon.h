#pragma once
// The program's icon for its windows: drawn from the SVG by a shared Qt (Debian's, with
// its svg icon engine), from PNGs of the usual sizes by a static one (the Windows build),
// which has no SVG plugin and would otherwise give the windows no icon at all.

#include <QIcon>

namespace talvik {

QIcon appIcon();

} // namespace talvik
