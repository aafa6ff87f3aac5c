// talvikctl adapters: the PC's network adapters that are up, as --interface takes them.

#include "arguments.h"
#include "board/untrusted_text.h"
#include "commands.h"
#include "net/adapters.h"
#include "output.h"
#include "wire/board_address.h"

#include <QJsonObject>

namespace talvik::ctl {

int runAdapters(const QStringList& args)
{
    CommandLine line(
        QStringLiteral("adapters"),
        QStringLiteral("Lists each network adapter of this PC that is up, with an IPv4 address: its "
                       "name, address and prefix, its network's broadcast address, and whether it "
                       "is loopback. --interface takes its name or address."),
        Output);
    line.parse(args);
    if (!line.positional().isEmpty())
        throw UsageError{QStringLiteral("adapters takes no argument")};
    const bool json = line.common().json;
    Table table({{QStringLiteral("NAME"), 16},
                 {QStringLiteral("ADDRESS"), 19},
                 {QStringLiteral("NETWORK"), 19},
                 {QStringLiteral("BROADCAST"), 16},
                 {QStringLiteral("LOOPBACK"), 0}});
    for (const Adapter& a : adapters()) {
        const QString broadcast = a.broadcast ? dottedText(a.broadcast) : QString();
        if (json)
            printJson(
                {{QStringLiteral("name"), a.name},
                 {QStringLiteral("index"), a.index},
                 {QStringLiteral("address"), dottedText(a.address)},
                 {QStringLiteral("prefix"), a.prefix},
                 {QStringLiteral("network"), networkText(a.address, a.prefix)},
                 {QStringLiteral("broadcast"), broadcast.isEmpty() ? QJsonValue() : QJsonValue(broadcast)},
                 {QStringLiteral("loopback"), a.loopback}});
        else
            table.row({quoted(a.name, 64), QStringLiteral("%1/%2").arg(dottedText(a.address)).arg(a.prefix),
                       networkText(a.address, a.prefix),
                       broadcast.isEmpty() ? QStringLiteral("-") : broadcast,
                       a.loopback ? QStringLiteral("yes") : QStringLiteral("no")});
    }
    return Success;
}

} // namespace talvik::ctl
