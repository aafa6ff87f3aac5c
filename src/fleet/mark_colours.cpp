#include "fleet/mark_colours.h"

#include <algorithm>
#include <cmath>

namespace talvik::fleet {

namespace {
double channel(int value)
{
    const double v = value / 255.0;
    return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
}

double luminance(const QColor& c)
{
    const QColor rgb = c.toRgb();
    return 0.2126 * channel(rgb.red()) + 0.7152 * channel(rgb.green()) + 0.0722 * channel(rgb.blue());
}

QColor blend(const QColor& from, const QColor& to, double t)
{
    const auto mix = [t](int a, int b) { return int(std::lround(a + (b - a) * t)); };
    return QColor(mix(from.red(), to.red()), mix(from.green(), to.green()), mix(from.blue(), to.blue()));
}

QColor hueOf(Tint tint)
{
    switch (tint) {
    case Tint::Reference:
        return QColor(30, 120, 230);
    case Tint::Changed:
        return QColor(235, 170, 0);
    case Tint::New:
        return QColor(30, 170, 60);
    case Tint::Missing:
        return QColor(220, 40, 40);
    }
    return {};
}
} // namespace

double contrast(const QColor& a, const QColor& b)
{
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor markBackground(Tint tint, const QColor& base, const QColor& text)
{
    const QColor b = base.toRgb(), hue = hueOf(tint);
    for (double t = 0.35; t > 0.01; t -= 0.03)
        if (const QColor c = blend(b, hue, t); contrast(text, c) >= 4.5)
            return c;
    return b; // a palette whose text barely reads on its own base: the base, unmarked
}

QColor readableHighlight(const QColor& highlight, const QColor& highlightedText)
{
    const QColor h = highlight.toRgb();
    // Toward black under light text, toward white under dark text.
    const QColor away = luminance(highlightedText) > 0.5 ? QColor(Qt::black) : QColor(Qt::white);
    for (double t = 0; t <= 1.0; t += 0.05)
        if (const QColor c = blend(h, away, t); contrast(highlightedText, c) >= 4.5)
            return c;
    return away;
}

} // namespace talvik::fleet
