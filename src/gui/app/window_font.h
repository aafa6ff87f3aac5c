#pragma once

#include <QApplication>
#include <QFont>

namespace talvik {

// The window's font, set for the whole application before the window exists: every
// control is then created with it instead of being re-laid out when it changes.
inline void useWindowFont()
{
    // Where MS Sans Serif is missing (Wine, a Linux desktop), a sans serif that has Cyrillic
    // letters stands in for it, as on Windows; without this Qt takes the first family it knows.
    // The same for Arial (the MAC editors: first the free fonts made to its measure) and Arial
    // Black (the dots between octets), as fontconfig takes them.
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                               {QStringLiteral("Microsoft Sans Serif"), QStringLiteral("Tahoma"),
                                QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans")});
    QFont::insertSubstitutions(
        QStringLiteral("Arial"),
        {QStringLiteral("Liberation Sans"), QStringLiteral("Nimbus Sans"), QStringLiteral("DejaVu Sans")});
    QFont::insertSubstitution(QStringLiteral("Arial Black"), QStringLiteral("DejaVu Sans"));
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPointSize(8);
    QApplication::setFont(font);
}

} // namespace talvik
