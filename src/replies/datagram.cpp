#include "datagram.h"

#include "protocol/cp1251.h"

namespace talvik {

quint8 byteAt(const QByteArray& datagram, int position)
{
    return position >= 1 && position <= datagram.size() ? quint8(datagram.at(position - 1)) : 0;
}

bool textAt(const QByteArray& datagram, int position, const char* text)
{
    for (int i = 0; text[i]; ++i)
        if (byteAt(datagram, position + i) != quint8(text[i]))
            return false;
    return true;
}

std::optional<QString> diagnosticDump(const QByteArray& datagram)
{
    if (!textAt(datagram, 1, "ikl") || byteAt(datagram, 5) == 0)
        return std::nullopt;
    QString dump;
    for (int p = 1; p <= 12; ++p) {
        if (p > 1)
            dump += QLatin1Char('*');
        dump += QString::number(byteAt(datagram, p));
    }
    return dump + QLatin1Char('#');
}

std::optional<int> identifierField(const QByteArray& datagram)
{
    const int index = datagram.indexOf("ide");
    if (index < 0)
        return std::nullopt;
    const int p = index + 1;
    return byteAt(datagram, p + 4) + 256 * byteAt(datagram, p + 5);
}

bool passesConfigGate(const QByteArray& datagram)
{
    return datagram.size() <= MaxConfigReply && datagram.contains("iden") && !datagram.contains("vzo") &&
           !datagram.contains("otv") && !datagram.contains("ort");
}

ReplyKind classify(const QByteArray& datagram)
{
    if (!passesConfigGate(datagram))
        return ReplyKind::Other;
    if (textAt(datagram, 1, "rzt"))
        return ReplyKind::RebootAck;
    if (byteAt(datagram, 11) == 4)
        return ReplyKind::StatusOnly;
    return ReplyKind::Configuration;
}

namespace {
Ipv4 ipv4At(const QByteArray& datagram, int position)
{
    return {byteAt(datagram, position), byteAt(datagram, position + 1), byteAt(datagram, position + 2),
            byteAt(datagram, position + 3)};
}
} // namespace

std::optional<IdentBlock> identBlock(const QByteArray& datagram)
{
    if (!textAt(datagram, 26, "iden"))
        return std::nullopt;
    IdentBlock block;
    block.ident = byteAt(datagram, 30) + 256 * byteAt(datagram, 31);
    block.consoleDynamic = byteAt(datagram, 32) != 0;
    block.reserve1 = ipv4At(datagram, 33);
    block.reserve2 = ipv4At(datagram, 37);
    return block;
}

std::optional<int> branchNumber(const QByteArray& datagram)
{
    if (!textAt(datagram, 23, "NL") || datagram.size() < 25)
        return std::nullopt;
    return byteAt(datagram, 25);
}

std::optional<QString> versionText(const QByteArray& datagram)
{
    if (!textAt(datagram, 43, "VER"))
        return std::nullopt;
    QString version;
    for (int p = 46; p <= 75 && p <= datagram.size(); ++p) {
        const quint8 b = byteAt(datagram, p);
        if (b == '#')
            break;
        version += cp1251ToUnicode(b);
    }
    return version;
}

} // namespace talvik
