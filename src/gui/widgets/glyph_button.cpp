#include "gui/widgets/glyph_button.h"

#include <QPainter>
#include <QPainterPath>
#include <QStyleOptionButton>
#include <QStylePainter>

namespace talvik {

GlyphButton::GlyphButton(const QString& caption, const QIcon& glyph, QWidget* parent)
    : QPushButton(glyph, caption, parent)
{
    setIconSize(QSize(16, 16));
}

void GlyphButton::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text.clear(); // drawn, the caption would push the glyph out of the button
    painter.drawControl(QStyle::CE_PushButton, option);
}

QIcon retryGlyph()
{
    // Drawn rather than loaded: the style's stock icon costs a noticeable part of the start.
    QIcon icon;
    for (int scale : {1, 2}) {
        QPixmap pixmap(16 * scale, 16 * scale);
        pixmap.setDevicePixelRatio(scale);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        const QColor green(0, 120, 0);
        p.setPen(QPen(green, 2.2, Qt::SolidLine, Qt::FlatCap));
        p.drawArc(QRectF(2.5, 3, 11, 11), 100 * 16, 290 * 16); // open at the top right
        QPainterPath head;                                     // arrowhead at the arc's start
        head.moveTo(7.0, 0.2);
        head.lineTo(11.2, 3.3);
        head.lineTo(6.6, 6.2);
        head.closeSubpath();
        p.fillPath(head, green);
        icon.addPixmap(pixmap);
    }
    return icon;
}

} // namespace talvik
