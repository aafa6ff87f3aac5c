#pragma once
// The colours of the table's marks (a board new, missing, changed, or as the reference has
// it), taken from the palette the window is drawn with: a tint of its base colour toward the
// mark's hue, as strong as the palette's text keeps a contrast of at least 4.5:1 on it (WCAG
// AA), so that light, dark and high-contrast palettes all read.

#include <QColor>

namespace talvik::fleet {

enum class Tint { Reference, Changed, New, Missing };

// WCAG 2's contrast ratio of two colours, 1 to 21.
double contrast(const QColor& a, const QColor& b);
// The background of a mark over `base`, under `text`.
QColor markBackground(Tint tint, const QColor& base, const QColor& text);
// The selection's colour, darkened or lightened from `highlight` until `highlightedText` on
// it keeps 4.5:1 (Fusion's #308cc6 under white is 3.7:1).
QColor readableHighlight(const QColor& highlight, const QColor& highlightedText);

} // namespace talvik::fleet
