#include "net/adapters.h"

#include "wire/board_address.h"

#include <QElapsedTimer>
#include <QNetworkInterface>
#include <memory>

namespace talvik {

QString Adapter::networkText() const
{
    return QStringLiteral("%1/%2 · %3").arg(dottedText(network())).arg(prefix).arg(name);
}

QList<Adapter> adapters()
{
    QList<Adapter> out, loopbacks;
    for (const QNetworkInterface& i : QNetworkInterface::allInterfaces()) {
        if (!(i.flags() & QNetworkInterface::IsUp))
            continue;
        for (const QNetworkAddressEntry& e : i.addressEntries()) {
            if (e.ip().protocol() != QAbstractSocket::IPv4Protocol)
                continue;
            Adapter a;
            a.name = i.humanReadableName();
            a.index = i.index();
            a.address = e.ip().toIPv4Address();
            a.prefix = qBound(0, e.prefixLength(), 32);
            a.broadcast = e.broadcast().isNull() ? 0 : e.broadcast().toIPv4Address();
            a.loopback = (i.flags() & QNetworkInterface::IsLoopBack) != 0;
            (a.loopback ? loopbacks : out).append(a);
        }
    }
    return out + loopbacks;
}

std::optional<Adapter> findAdapter(const QList<Adapter>& list, const QString& nameOrAddress)
{
    const std::optional<quint32> address = parseDottedDecimal(nameOrAddress);
    for (const Adapter& a : list)
        if (a.name == nameOrAddress || (address && a.address == *address))
            return a;
    return std::nullopt;
}

std::optional<Adapter> adapterReaching(const QList<Adapter>& list, quint32 address)
{
    std::optional<Adapter> found;
    for (const Adapter& a : list)
        if (a.prefix > 0 && a.reaches(address) && (!found || a.prefix > found->prefix))
            found = a;
    return found;
}

std::function<int(quint32)> prefixesOf(const QList<Adapter>& list)
{
    return [list](quint32 address) {
        const std::optional<Adapter> a = adapterReaching(list, address);
        return a ? a->prefix : 0;
    };
}

std::function<int(quint32)> livePrefixes(int refreshMs)
{
    struct Looked {
        QList<Adapter> list;
        QElapsedTimer age;
    };
    auto looked = std::make_shared<Looked>();
    return [looked, refreshMs](quint32 address) {
        if (!looked->age.isValid() || looked->age.hasExpired(refreshMs)) {
            looked->list = adapters();
            looked->age.start();
        }
        const std::optional<Adapter> a = adapterReaching(looked->list, address);
        return a ? a->prefix : 0;
    };
}

QString adapterList(const QList<Adapter>& list)
{
    QStringList names;
    for (const Adapter& a : list)
        names.append(QStringLiteral("%1 (%2/%3)").arg(a.name, dottedText(a.address)).arg(a.prefix));
    return names.join(QStringLiteral(", "));
}

} // namespace talvik
