#pragma once
// Boards send text (their program version) in the single-byte Windows-1251 set.

#include <QString>

namespace talvik {

QChar cp1251ToUnicode(quint8 byte);

} // namespace talvik
