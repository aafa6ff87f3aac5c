#include "client/configuration_reply.h"

namespace talvik {

std::function<bool(BoardAddress, const QByteArray&)> acceptConfiguration(Completeness needed,
                                                                         ShortReplies* shortOf)
{
    return [needed, shortOf](BoardAddress board, const QByteArray& d) {
        if (classify(d) != ReplyKind::Configuration)
            return false;
        const Completeness has = completeness(d);
        if (has >= needed)
            return true;
        if (shortOf) // named if nothing better comes
            (*shortOf)[board] = ShortReply{has, d.size()};
        return false;
    };
}

Reason whyNoAnswer(const ShortReplies& shortOf, BoardAddress board, qsizetype* bytes)
{
    const auto it = shortOf.constFind(board);
    if (it == shortOf.constEnd())
        return Reason::NoReply;
    if (bytes)
        *bytes = it->bytes;
    return it->has == Completeness::Partial ? Reason::ShortReply : Reason::NoVersion;
}

QString noAnswerText(Reason why, qsizetype bytes)
{
    switch (why) {
    case Reason::ShortReply:
        return QStringLiteral("incomplete reply (%1 bytes)").arg(bytes);
    case Reason::NoVersion:
        return QStringLiteral("no version in the reply, so no DHCP flag");
    default:
        break;
    }
    return QStringLiteral("no reply");
}

} // namespace talvik
