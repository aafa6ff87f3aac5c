#include "wire/hex_codec.h"

namespace talvik {

namespace {
const char DigitTable[] = "0123456789ABCDEF";

int nibbleOf(const QString& text, int index)
{
    if (index >= text.size())
        return 0;
    for (int i = 0; i < 16; ++i)
        if (text.at(index) == QLatin1Char(DigitTable[i]))
            return i;
    return 0;
}
} // namespace

quint8 HexPairToByte(const QString& text)
{
    return quint8(nibbleOf(text, 0) * 16 + nibbleOf(text, 1));
}

QString ByteToHexPair(quint8 value)
{
    const char pair[2] = {DigitTable[value >> 4], DigitTable[value & 0x0F]};
    return QString::fromLatin1(pair, 2);
}

} // namespace talvik
