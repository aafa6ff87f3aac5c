#include "fleet/fleet_wording.h"

#include "fleet/fleet_model.h"
#include "fleet/fleet_texts.h"
#include "wire/board_address.h"

namespace talvik::fleet {

QString fieldTitles(const QStringList& fields)
{
    QStringList titles;
    for (const QString& field : fields) {
        const int column = columnOf(field);
        titles.append(column < 0 ? field : texts::Columns[column]);
    }
    return titles.join(QStringLiteral(", "));
}

QString shortReplyText(const ShortReplies& shortOf, quint32 board)
{
    const auto it = shortOf.constFind(board);
    if (it == shortOf.constEnd())
        return {};
    return it->has == Completeness::Partial ? texts::ShortReply.arg(texts::bytes(it->bytes))
                                            : texts::NoVersion;
}

QString ipProblemsText(const WriteFields& f, quint32 board)
{
    QStringList out;
    const QString ip = dottedText(f.ip), mask = dottedText(f.mask);
    for (IpProblem problem : ipProblems(f, board)) {
        switch (problem) {
        case IpProblem::Zero:
            out.append(texts::IpZero);
            break;
        case IpProblem::Broadcast:
            out.append(texts::IpBroadcast);
            break;
        case IpProblem::Multicast:
            out.append(texts::IpMulticast.arg(ip));
            break;
        case IpProblem::Loopback:
            out.append(texts::IpLoopback.arg(ip));
            break;
        case IpProblem::NetworkOfMask:
            out.append(texts::IpNetworkOfMask.arg(ip, mask));
            break;
        case IpProblem::BroadcastOfMask:
            out.append(texts::IpBroadcastOfMask.arg(ip, mask));
            break;
        case IpProblem::MaskNotContiguous:
            out.append(texts::MaskWithGap.arg(mask));
            break;
        }
    }
    return out.join(QStringLiteral("; "));
}

} // namespace talvik::fleet
