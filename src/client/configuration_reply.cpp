#include "configuration_reply.h"

namespace talvik {

std::function<bool(quint32, const QByteArray&)> acceptConfiguration(Completeness needed,
                                                                    QHash<quint32, QString>* shortOf)
{
    return [needed, shortOf](quint32 board, const QByteArray& d) {
        if (classify(d) != ReplyKind::Configuration)
            return false;
        const Completeness has = completeness(d);
        if (has >= needed)
            return true;
        if (shortOf) // named if nothing better comes
            (*shortOf)[board] = has == Completeness::Partial
                                    ? QStringLiteral("incomplete reply (%1 bytes)").arg(d.size())
                                    : QStringLiteral("no version in the reply, so no DHCP flag");
        return false;
    };
}

} // namespace talvik
