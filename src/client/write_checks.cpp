#include "client/write_checks.h"

#include "wire/board_address.h"

#include <QHash>

namespace talvik {

QList<IpProblem> ipProblems(const WriteFields& f, quint32 board)
{
    if (f.boardDhcp)
        return {};
    QList<IpProblem> out;
    const quint32 ip = addressOf(f.ip), mask = addressOf(f.mask);
    if (ip == 0)
        out.append(IpProblem::Zero);
    else if (ip == 0xFFFFFFFFu)
        out.append(IpProblem::Broadcast);
    else if (ip >= 0xE0000000u)
        out.append(IpProblem::Multicast);
    else if (isLoopback(ip) && !isLoopback(board))
        out.append(IpProblem::Loopback);
    const quint32 host = ~mask;
    if ((host & (host + 1)) != 0) // the one bits of a mask run from the top without a gap
        out.append(IpProblem::MaskNotContiguous);
    else if (out.isEmpty() && host != 0 && (ip & host) == 0)
        out.append(IpProblem::NetworkOfMask);
    else if (out.isEmpty() && host != 0 && (ip & host) == host)
        out.append(IpProblem::BroadcastOfMask);
    return out;
}

QString ipProblemText(IpProblem problem, const WriteFields& f)
{
    const QString ip = dottedText(f.ip), mask = dottedText(f.mask);
    switch (problem) {
    case IpProblem::Zero:
        return QStringLiteral("ip 0.0.0.0 is no host's address");
    case IpProblem::Broadcast:
        return QStringLiteral("ip 255.255.255.255 is the broadcast address");
    case IpProblem::Multicast:
        return QStringLiteral("ip %1 is a multicast or reserved address").arg(ip);
    case IpProblem::Loopback:
        return QStringLiteral("ip %1 is a loopback address: the board would answer no one").arg(ip);
    case IpProblem::NetworkOfMask:
        return QStringLiteral("ip %1 is the network address of mask %2").arg(ip, mask);
    case IpProblem::BroadcastOfMask:
        return QStringLiteral("ip %1 is the broadcast address of mask %2").arg(ip, mask);
    case IpProblem::MaskNotContiguous:
        break;
    }
    return QStringLiteral("mask %1 has a gap in its one bits").arg(mask);
}

QStringList notCarried(const WriteFields& fields)
{
    const auto meant = fieldTexts({0, fields, std::nullopt, Memory::Unknown});
    const auto carried =
        fieldTexts({0, readConfiguration(buildWriteFrame(fields)), std::nullopt, Memory::Unknown});
    QStringList out;
    for (int i = 0; i < meant.size(); ++i)
        if (meant[i].second != carried[i].second)
            out.append(meant[i].first);
    return out;
}

std::optional<SameBoard> sameBoardTwice(const QList<Backup>& backups)
{
    QHash<quint32, QString> first;
    for (const Backup& b : backups) {
        const auto it = first.constFind(b.config.address);
        if (it != first.constEnd())
            return SameBoard{*it, b.path, b.config.address};
        first.insert(b.config.address, b.path);
    }
    return std::nullopt;
}

} // namespace talvik
