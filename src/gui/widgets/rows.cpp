#include "gui/widgets/rows.h"

#include <QPainter>

namespace talvik {

namespace {
void makeWhitePanel(QFrame* panel, const QString& name, QSize size)
{
    panel->setObjectName(name);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setAutoFillBackground(true);
    QPalette pal = panel->palette();
    pal.setColor(QPalette::Window, Qt::white);
    panel->setPalette(pal);
    panel->setFixedSize(size);
}

template <typename Editor, size_t N> void nameAll(Editor* const (&editors)[N], const QString& caption)
{
    for (size_t i = 0; i < N; ++i)
        editors[i]->setAccessibleName(QStringLiteral("%1, %2").arg(caption).arg(i + 1));
}

// The "." and ":" between the editors are painted by the panel: a label each would
// add some sixty widgets to the window's start. Each panel lays its separator out once:
// it is repainted with every answer that changes one of its editors.
void paintSeparators(QWidget* panel, QStaticText& text, const QString& glyph, const QFont& font,
                     const QList<QRect>& places)
{
    if (text.text().isEmpty()) {
        text.setTextFormat(Qt::PlainText);
        text.setText(glyph);
        text.prepare(QTransform(), font);
    }
    QPainter painter(panel);
    painter.setFont(font);
    painter.setPen(panel->palette().color(QPalette::WindowText));
    const QSizeF size = text.size();
    for (const QRect& r : places)
        // Centred as drawText() centres a line: across to the fraction, down to the pixel.
        painter.drawStaticText(
            QPointF(r.x() + (r.width() - size.width()) / 2, qRound(r.y() + (r.height() - size.height()) / 2)),
            text);
}
} // namespace

AddressRow::AddressRow(const QString& panelName, const QString& editorPrefix, QWidget* parent)
    : QFrame(parent)
{
    makeWhitePanel(this, panelName, QSize(183, 33));
    static const int xs[4] = {5, 49, 93, 137};
    for (int i = 0; i < 4; ++i) {
        auto* edit = new NumberEdit(255, NumberEdit::Format::ThreeDigits, this);
        edit->setObjectName(QStringLiteral("%1_IP_%2").arg(editorPrefix).arg(i));
        edit->setGeometry(xs[i], 5, 41, 22);
        edit->setFrame(false);
        edit->setAlignment(Qt::AlignCenter);
        octets_[i] = edit;
    }
}

void AddressRow::paintEvent(QPaintEvent* event)
{
    QFrame::paintEvent(event);
    QFont dot(QStringLiteral("Arial Black"));
    dot.setPixelSize(16);
    dot.setBold(true);
    paintSeparators(this, dot_, QStringLiteral("."), dot,
                    {QRect(46, 3, 3, 22), QRect(90, 3, 3, 22), QRect(134, 3, 3, 22)});
}

QStringList AddressRow::texts() const
{
    QStringList out;
    for (auto* o : octets_)
        out << o->formattedText();
    return out;
}

Ipv4 AddressRow::bytes() const
{
    Ipv4 out{};
    for (int i = 0; i < 4; ++i)
        out[i] = quint8(octets_[i]->value());
    return out;
}

void AddressRow::setBytes(const Ipv4& bytes)
{
    for (int i = 0; i < 4; ++i)
        octets_[i]->setValue(bytes[i]);
}

void AddressRow::nameEditors(const QString& rowCaption)
{
    nameAll(octets_, rowCaption);
}

void AddressRow::setReadOnly(bool on)
{
    for (auto* o : octets_)
        o->setReadOnly(on);
}

MacRow::MacRow(const QString& panelName, const QString& editorPrefix, const QString& designedText,
               QWidget* parent)
    : QFrame(parent)
{
    makeWhitePanel(this, panelName, QSize(270, 33));
    static const int xs[6] = {7, 52, 96, 143, 185, 229};
    QFont editFont(QStringLiteral("Arial"));
    editFont.setPixelSize(16);
    for (int i = 0; i < 6; ++i) {
        auto* edit = new MacEdit(this);
        edit->setObjectName(QStringLiteral("%1_IP_%2").arg(editorPrefix).arg(i));
        edit->setProperty("Tag", i);
        edit->setFont(editFont);
        edit->setGeometry(xs[i], 6, 33, 21);
        edit->setText(designedText);
        bytes_[i] = edit;
    }
}

void MacRow::paintEvent(QPaintEvent* event)
{
    QFrame::paintEvent(event);
    QFont colon(QStringLiteral("Arial"));
    colon.setPixelSize(21);
    static const int xs[6] = {7, 52, 96, 143, 185, 229};
    QList<QRect> places;
    for (int i = 0; i < 5; ++i)
        places << QRect(xs[i] + 33, 4, xs[i + 1] - xs[i] - 33, 24);
    paintSeparators(this, colon_, QStringLiteral(":"), colon, places);
}

void MacRow::nameEditors(const QString& rowCaption)
{
    nameAll(bytes_, rowCaption);
}

QStringList MacRow::texts() const
{
    QStringList out;
    for (auto* b : bytes_)
        out << b->text();
    return out;
}

} // namespace talvik
