#pragma once
// Two-character hexadecimal codec over the upper-case digit table "0123456789ABCDEF".
// Lower-case letters are not in the table: boards and stored settings rely on that.

#include <QString>

namespace talvik {

quint8 HexPairToByte(const QString& text);
QString ByteToHexPair(quint8 value);

} // namespace talvik
