#include "arguments.h"

#include "protocol/board_address.h"

#include <QCoreApplication>
#include <QFile>
#include <QSet>

namespace talvik::ctl {

namespace {
const QString JsonOption = QStringLiteral("json");
const QString TimeoutOption = QStringLiteral("timeout");
const QString RetriesOption = QStringLiteral("retries");
const QString LocalPortOption = QStringLiteral("local-port");
const QString PortsOption = QStringLiteral("ports");
const QString WordPortOption = QStringLiteral("word-port");
constexpr qint64 MaxTargets = 65536;
} // namespace

CommandLine::CommandLine(const QString& command, const QString& description, bool linkOptions)
    : command_(command), hasLinkOptions_(linkOptions)
{
    parser.setApplicationDescription(description);
    parser.addHelpOption();
    parser.addPositionalArgument(command, QStringLiteral("The command."),
                                 command); // "Usage: talvikctl [options] read ..."
    if (!linkOptions)
        return;
    parser.addOptions({
        {JsonOption,
         QStringLiteral("Print JSON Lines (one object per board or datagram) instead of a table.")},
        {TimeoutOption, QStringLiteral("Wait this long for each reply (default 1000)."), QStringLiteral("ms"),
         QStringLiteral("1000")},
        {RetriesOption, QStringLiteral("Send a request again this many times without a reply (default 2)."),
         QStringLiteral("n"), QStringLiteral("2")},
        {LocalPortOption,
         QStringLiteral("Send from and listen on this port (default 6767, where boards answer)."),
         QStringLiteral("port"), QStringLiteral("6767")},
        {PortsOption, QStringLiteral("The boards' command ports, in order (default 8026,8024,6767)."),
         QStringLiteral("list"), QStringLiteral("8026,8024,6767")},
        {WordPortOption, QStringLiteral("The port of the reboot's word frames (default 8026)."),
         QStringLiteral("port"), QStringLiteral("8026")},
    });
}

void CommandLine::parse(const QStringList& args)
{
    if (!parser.parse(args))
        throw UsageError{parser.errorText()};
    if (parser.isSet(QStringLiteral("help")))
        parser.showHelp(0);
}

LinkOptions CommandLine::linkOptions() const
{
    LinkOptions o;
    if (!hasLinkOptions_)
        return o;
    o.json = parser.isSet(JsonOption);
    o.timing.timeoutMs = numberArgument(TimeoutOption, parser.value(TimeoutOption), 1, 600000);
    o.timing.retries = numberArgument(RetriesOption, parser.value(RetriesOption), 0, 100);
    o.localPort = quint16(numberArgument(LocalPortOption, parser.value(LocalPortOption), 0, 65535));
    o.commandPorts.clear();
    for (const QString& port : parser.value(PortsOption).split(QLatin1Char(',')))
        o.commandPorts.append(quint16(numberArgument(PortsOption, port, 1, 65535)));
    o.wordPort = quint16(numberArgument(WordPortOption, parser.value(WordPortOption), 1, 65535));
    return o;
}

quint32 addressArgument(const QString& text)
{
    const auto address = parseDottedDecimal(text);
    if (!address)
        throw UsageError{
            QStringLiteral("'%1' is not an IPv4 address (four decimal numbers 0..255)").arg(text)};
    return *address;
}

QList<quint32> targetsArgument(const QStringList& texts, const QString& hostsFile)
{
    QStringList all = texts;
    if (!hostsFile.isEmpty()) {
        QFile file(hostsFile);
        if (!file.open(QIODevice::ReadOnly))
            throw UsageError{QStringLiteral("cannot read %1: %2").arg(hostsFile, file.errorString())};
        for (const QByteArray& raw : file.readAll().split('\n')) {
            const QString line = QString::fromUtf8(raw.left(raw.indexOf('#'))).trimmed();
            if (!line.isEmpty())
                all.append(line);
        }
    }
    QList<quint32> out;
    QSet<quint32> seen;
    for (const QString& text : all) {
        QString why;
        const auto range = parseAddressRange(text, &why);
        if (!range)
            throw UsageError{why};
        if (range->size() + out.size() > MaxTargets)
            throw UsageError{QStringLiteral("more than %1 boards").arg(MaxTargets)};
        for (quint32 a = range->first;; ++a) {
            if (!seen.contains(a)) {
                seen.insert(a);
                out.append(a);
            }
            if (a == range->last)
                break;
        }
    }
    if (out.isEmpty())
        throw UsageError{QStringLiteral("no board given")};
    return out;
}

Mac macArgument(const QString& text)
{
    const auto mac = parseMac(text);
    if (!mac)
        throw UsageError{
            QStringLiteral("'%1' is not a MAC address (six hexadecimal pairs, 00:1E:C0:A8:01:14)").arg(text)};
    return *mac;
}

int numberArgument(const QString& name, const QString& text, int min, int max)
{
    bool ok = false;
    const int value = text.toInt(&ok, 10);
    if (!ok || value < min || value > max)
        throw UsageError{
            QStringLiteral("--%1 must be a number %2..%3, not '%4'").arg(name).arg(min).arg(max).arg(text)};
    return value;
}

} // namespace talvik::ctl
