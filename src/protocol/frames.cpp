#include "frames.h"

namespace talvik {

namespace {
void put(QByteArray& frame, int position, char c)
{
    frame[position - 1] = c;
}

void append(QByteArray& out, const Ipv4& ip)
{
    for (quint8 octet : ip)
        out.append(char(octet));
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

QByteArray configFields(const WriteFields& f)
{
    QByteArray out;
    out.reserve(40);
    append(out, f.dispatcher);
    append(out, f.ip);
    append(out, f.mask);
    append(out, f.gateway);
    for (quint8 b : f.mac)
        out.append(char(b));
    out.append("NL", 2);
    out.append(char(f.branch));
    out.append("iden", 4);
    out.append(char(f.ident & 0xFF));
    out.append(char((f.ident & 0xFF00) >> 8));
    out.append(char(f.consoleDynamic ? 0x01 : 0x00));
    append(out, f.reserve1);
    append(out, f.reserve2);
    return out;
}

QByteArray buildWriteFrame(const WriteFields& fields)
{
    // The dispatcher, identifier and reserves travel only for a dynamic console.
    WriteFields f = fields;
    if (!f.consoleDynamic) {
        f.dispatcher = {};
        f.ident = 0;
        f.reserve1 = {};
        f.reserve2 = {};
    }
    QByteArray frame = configFields(f) + writePreamble();
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
