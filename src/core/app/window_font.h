#pragma once

#include <QApplication>
#include <QFont>

namespace talvik {

// The window's font, set for the whole application before the window exists: every
// control is then created with it instead of being re-laid out when it changes.
inline void useWindowFont()
{
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPointSize(8);
    QApplication::setFont(font);
}

} // namespace talvik
