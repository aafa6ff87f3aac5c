#include "client/configuration_reply.h"

namespace talvik {

std::function<bool(quint32, const QByteArray&)> acceptConfiguration(Completeness needed,
                                                                    ShortReplies* shortOf)
{
    return [needed, shortOf](quint32 board, const QByteArray& d) {
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

QString whyNoAnswer(const ShortReplies& shortOf, quint32 board)
{
    const auto it = shortOf.constFind(board);
    if (it == shortOf.constEnd())
        return QStringLiteral("no reply");
    return it->has == Completeness::Partial ? QStringLiteral("incomplete reply (%1 bytes)").arg(it->bytes)
                                            : QStringLiteral("no version in the reply, so no DHCP flag");
}

} // namespace talvik
