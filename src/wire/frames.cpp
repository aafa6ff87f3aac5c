#include "wire/frames.h"

namespace talvik {

namespace {
template <size_t N> QByteArray bytesOf(const std::array<quint8, N>& values)
{
    QByteArray out;
    for (quint8 v : values)
        out.append(char(v));
    return out;
}

Ipv4 ipv4At(const QByteArray& bytes, int position)
{
    return {byteAt(bytes, position), byteAt(bytes, position + 1), byteAt(bytes, position + 2),
            byteAt(bytes, position + 3)};
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

Memory readMemoryForTag(int requesterTag)
{
    return requesterTag == 0 ? Memory::Permanent : Memory::Working;
}

QByteArray buildReadFrame(Memory memory)
{
    QByteArray frame = readPattern();
    putAt(frame, pos::ReadTag, "epr");
    putAt(frame, pos::ReadLetter, memory == Memory::Permanent ? "d" : "C");
    return frame;
}

Memory memoryAsked(const QByteArray& readFrame)
{
    return byteAt(readFrame, pos::ReadLetter) == 'd' ? Memory::Permanent : Memory::Working;
}

QByteArray configFields(const WriteFields& f)
{
    QByteArray out(pos::ConfigBlockEnd, '\0');
    putAt(out, pos::Dispatcher, bytesOf(f.dispatcher));
    putAt(out, pos::BoardIp, bytesOf(f.ip));
    putAt(out, pos::Mask, bytesOf(f.mask));
    putAt(out, pos::Gateway, bytesOf(f.gateway));
    putAt(out, pos::Mac, bytesOf(f.mac));
    putAt(out, pos::BranchTag, "NL");
    putAt(out, pos::Branch, QByteArray(1, char(f.branch)));
    putAt(out, pos::IdentTag, "iden");
    putAt(out, pos::IdentLow, QByteArray(1, char(f.ident & 0xFF)));
    putAt(out, pos::IdentHigh, QByteArray(1, char((f.ident & 0xFF00) >> 8)));
    putAt(out, pos::ConsoleFlag, QByteArray(1, f.consoleDynamic ? '\x01' : '\0'));
    putAt(out, pos::Reserve1, bytesOf(f.reserve1));
    putAt(out, pos::Reserve2, bytesOf(f.reserve2));
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
    putAt(frame, pos::WriteZeros, QByteArray(pos::WriteZerosEnd - pos::WriteZeros + 1, '\0'));
    putAt(frame, pos::WriteTag, QByteArray("epwr").repeated((pos::WriteTagEnd - pos::WriteTag + 1) / 4));
    putAt(frame, pos::BoardDhcp, QByteArray(1, f.boardDhcp ? '1' : '\0'));
    return padTailFF(frame);
}

bool isWriteFrame(const QByteArray& datagram)
{
    return datagram.size() == WriteFrameLength && buildWriteFrame(readConfiguration(datagram)) == datagram;
}

WriteFields readConfigFields(const QByteArray& bytes)
{
    WriteFields f;
    f.dispatcher = ipv4At(bytes, pos::Dispatcher);
    f.ip = ipv4At(bytes, pos::BoardIp);
    f.mask = ipv4At(bytes, pos::Mask);
    f.gateway = ipv4At(bytes, pos::Gateway);
    for (int i = 0; i < int(f.mac.size()); ++i)
        f.mac[size_t(i)] = byteAt(bytes, pos::Mac + i);
    f.branch = byteAt(bytes, pos::Branch);
    f.ident = quint16(byteAt(bytes, pos::IdentLow) | byteAt(bytes, pos::IdentHigh) << 8);
    f.consoleDynamic = byteAt(bytes, pos::ConsoleFlag) != 0;
    f.reserve1 = ipv4At(bytes, pos::Reserve1);
    f.reserve2 = ipv4At(bytes, pos::Reserve2);
    return f;
}

WriteFields readConfiguration(const QByteArray& frame)
{
    WriteFields f = readConfigFields(frame);
    f.boardDhcp = byteAt(frame, pos::BoardDhcp) != 0;
    return f;
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
