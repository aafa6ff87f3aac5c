#pragma once
// Boards send text (their program version), and the Windows program keeps its settings
// file, in the single-byte Windows-1251 set.

#include <QString>

namespace talvik {

QChar cp1251ToUnicode(quint8 byte);
QString fromCp1251(const QByteArray& bytes);
// Characters outside the set become '?'.
QByteArray toCp1251(const QString& text);

} // namespace talvik
