#include "frames.h"

namespace talvik
{

namespace
{
void put(QByteArray& frame, int position, char c)
{
    frame[position - 1] = c;
}

void append(QByteArray& out, const Ipv4& ip)
{
    for (quint8 octet : ip)
        out.append(char(octet));
}

void appendZeros(QByteArray& out, int count)
{
    out.append(count, '\0');
}
} // namespace

QByteArray readPattern()
{
    QByteArray pattern;
    pattern.reserve(ReadFrameLength);
    for (int p = 1; p <= ReadFrameLength; ++p)
        pattern.append(char('0' + p % 10));
    return pattern;
}

QByteArray rebootFrame()
{
    return QByteArrayLiteral("rzt") + readPattern();
}

QByteArray writePreamble()
{
    return QByteArrayLiteral("31415kyt27182818284590452353602874713526");
}

char readLetterForTag(int requesterTag)
{
    return requesterTag == 0 ? 'd' : 'C';
}

QByteArray buildReadFrame(char letter)
{
    QByteArray frame = readPattern();
    put(frame, 60, 'e');
    put(frame, 61, 'p');
    put(frame, 62, 'r');
    put(frame, 63, letter);
    return frame;
}

QByteArray buildWriteFrame(const WriteFields& f)
{
    const bool dyn = f.consoleDynamic;
    QByteArray frame;
    frame.reserve(WriteFrameLength);
    if (dyn)
        append(frame, f.dispatcher);
    else
        appendZeros(frame, 4);
    append(frame, f.ip);
    append(frame, f.mask);
    append(frame, f.gateway);
    for (quint8 b : f.mac)
        frame.append(char(b));
    frame.append('N');
    frame.append('L');
    frame.append(char(f.branch));
    frame.append("iden", 4);
    if (dyn) {
        frame.append(char(f.ident & 0xFF));
        frame.append(char((f.ident & 0xFF00) >> 8));
        frame.append(char(0x01));
        append(frame, f.reserve1);
        append(frame, f.reserve2);
    } else {
        appendZeros(frame, 3 + 4 + 4);
    }
    frame.append(writePreamble());

    for (int p = 41; p <= 45; ++p)
        put(frame, p, '\0');
    static const char tag[] = "epwr";
    for (int p = 60; p <= 75; ++p)
        put(frame, p, tag[(p - 60) % 4]);
    put(frame, 76, f.boardDhcp ? '1' : '\0');
    return padTailFF(frame);
}

QByteArray padTailFF(QByteArray frame)
{
    while (frame.size() < WriteFrameLength)
        frame.append(char(0xFF));
    return frame;
}

QByteArray padDigits(QByteArray text)
{
    for (int k = 0; text.size() < WordFrameLength; ++k)
        text.append(QByteArray::number(k).at(0));
    return text;
}

} // namespace talvik
