#include "wire/datagram.h"

#include "wire/cp1251.h"

namespace talvik {

std::optional<QString> diagnosticDump(const QByteArray& datagram)
{
    if (!textAt(datagram, pos::KindTag, "ikl") || byteAt(datagram, pos::DumpFlag) == 0)
        return std::nullopt;
    QString dump;
    for (int p = 1; p <= pos::DumpEnd; ++p) {
        if (p > 1)
            dump += QLatin1Char('*');
        dump += QString::number(byteAt(datagram, p));
    }
    return dump + QLatin1Char('#');
}

std::optional<int> identifierField(const QByteArray& datagram)
{
    const qsizetype index = datagram.indexOf("ide");
    if (index < 0)
        return std::nullopt;
    const int p = int(index) + 1; // the two identifier bytes follow "iden"
    return byteAt(datagram, p + 4) + 256 * byteAt(datagram, p + 5);
}

std::optional<int> sentIdentifier(const QByteArray& datagram)
{
    const qsizetype index = datagram.indexOf("ide");
    if (index < 0 || datagram.size() < index + 6)
        return std::nullopt;
    return identifierField(datagram);
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
    if (textAt(datagram, pos::KindTag, "rzt"))
        return ReplyKind::RebootAck;
    if (byteAt(datagram, pos::StatusMarker) == 4)
        return ReplyKind::StatusOnly;
    return ReplyKind::Configuration;
}

std::optional<IdentBlock> identBlock(const QByteArray& datagram)
{
    if (!textAt(datagram, pos::IdentTag, "iden"))
        return std::nullopt;
    const WriteFields f = readConfigFields(datagram);
    return IdentBlock{f.ident, f.consoleDynamic, f.reserve1, f.reserve2};
}

std::optional<int> branchNumber(const QByteArray& datagram)
{
    if (!textAt(datagram, pos::BranchTag, "NL") || datagram.size() < pos::Branch)
        return std::nullopt;
    return readConfigFields(datagram).branch;
}

std::optional<QString> versionText(const QByteArray& datagram)
{
    if (!textAt(datagram, pos::VersionTag, "VER"))
        return std::nullopt;
    QString version;
    for (int p = pos::Version; p <= pos::VersionEnd && p <= datagram.size(); ++p) {
        const quint8 b = byteAt(datagram, p);
        if (b == '#')
            break;
        version += cp1251ToUnicode(b);
    }
    return version;
}

bool boardDhcpShown(const QByteArray& datagram, const QString& shownVersion)
{
    return byteAt(datagram, pos::BoardDhcp) != 0 && !shownVersion.isEmpty();
}

Completeness completeness(const QByteArray& reply)
{
    if (reply.size() < pos::ConfigBlockEnd || !textAt(reply, pos::IdentTag, "iden"))
        return Completeness::Partial;
    if (reply.size() < pos::BoardDhcp || versionText(reply).value_or(QString()).isEmpty())
        return Completeness::Block;
    return Completeness::Complete;
}

} // namespace talvik
