// talvikctl listen: every datagram that reaches port 6767, decoded.

#include "arguments.h"
#include "commands.h"
#include "output.h"
#include "session.h"
#include "wire/board_address.h"
#include "wire/datagram.h"

#include <QEventLoop>
#include <QJsonValue>
#include <QTime>
#include <QTimer>

namespace talvik::ctl {

namespace {
QString kindOf(const QByteArray& d)
{
    switch (classify(d)) {
    case ReplyKind::Configuration:
        return QStringLiteral("configuration");
    case ReplyKind::RebootAck:
        return QStringLiteral("reboot-ack");
    case ReplyKind::StatusOnly:
        return QStringLiteral("status");
    case ReplyKind::Other:
        break;
    }
    if (diagnosticDump(d))
        return QStringLiteral("dump");
    return identifierField(d) ? QStringLiteral("identifier") : QStringLiteral("other");
}

void print(const QByteArray& d, quint32 sender, quint16 port, bool json)
{
    const QString kind = kindOf(d);
    const auto ident = identifierField(d);
    const QString time = QTime::currentTime().toString(QStringLiteral("HH:mm:ss.zzz"));
    if (json) {
        QJsonObject o{{QStringLiteral("time"), time},
                      {QStringLiteral("sender"), dottedText(sender)},
                      {QStringLiteral("port"), int(port)},
                      {QStringLiteral("kind"), kind},
                      {QStringLiteral("size"), int(d.size())},
                      {QStringLiteral("ident"), ident ? QJsonValue(*ident) : QJsonValue()}};
        if (const auto dump = diagnosticDump(d))
            o.insert(QStringLiteral("dump"), *dump);
        if (kind == QLatin1String("configuration"))
            o.insert(QStringLiteral("config"),
                     toJson(configFromReply(BoardAddress(sender), d, Memory::Unknown)));
        printJson(o);
        return;
    }
    QString text = QStringLiteral("%1  %2:%3  %4  %5 bytes")
                       .arg(time, dottedText(sender))
                       .arg(port)
                       .arg(kind.leftJustified(13))
                       .arg(d.size());
    if (ident)
        text += QStringLiteral("  ident %1").arg(*ident);
    if (const auto dump = diagnosticDump(d))
        text += QStringLiteral("  ") + *dump;
    if (kind == QLatin1String("configuration"))
        for (const auto& [name, value] :
             fieldTexts(configFromReply(BoardAddress(sender), d, Memory::Unknown)))
            text += QStringLiteral("  %1=%2").arg(name, value);
    Table({}, false).row({text}); // a board's text escaped: it cannot steer the terminal
}
} // namespace

int runListen(const QStringList& args)
{
    CommandLine line(
        QStringLiteral("listen"),
        QStringLiteral("Prints every datagram that reaches the listening port, decoded: kind, sender, "
                       "identifier and, for a configuration reply, its fields. Sends nothing."),
        Output | Ports);
    line.parser.addOptions({
        {QStringLiteral("seconds"), QStringLiteral("Stop after this many seconds (default: never)."),
         QStringLiteral("s"), QStringLiteral("0")},
        {QStringLiteral("count"), QStringLiteral("Stop after this many datagrams (default: never)."),
         QStringLiteral("n"), QStringLiteral("0")},
    });
    line.parse(args);
    if (!line.positional().isEmpty())
        throw UsageError{QStringLiteral("listen takes no address")};
    const int seconds =
        numberArgument(QStringLiteral("seconds"), line.value(QStringLiteral("seconds")), 0, 86400 * 365);
    const int count =
        numberArgument(QStringLiteral("count"), line.value(QStringLiteral("count")), 0, 1 << 30);
    const CommonOptions options = line.common();

    Session session(options);
    QEventLoop loop;
    int seen = 0;
    QObject::connect(&session.client(), &BoardClient::datagramArrived, &loop,
                     [&](const QByteArray& d, quint32 sender, quint16 port) {
                         print(d, sender, port, options.json);
                         if (count > 0 && ++seen >= count)
                             loop.quit();
                     });
    if (seconds > 0)
        QTimer::singleShot(seconds * 1000, &loop, &QEventLoop::quit);
    loop.exec();
    return Success;
}

} // namespace talvik::ctl
