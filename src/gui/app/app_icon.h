#pragma once
// The program's icon for its windows: drawn from the SVG where Qt can draw SVG (its
// svg image plugin), else from PNGs of the usual sizes. A static Qt built without
// the plugin would otherwise give the windows no icon at all.

#include <QIcon>

namespace talvik {

QIcon appIcon();

} // namespace talvik
