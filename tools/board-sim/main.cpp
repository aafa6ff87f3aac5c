// talvik-board-sim: lift-controller boards on loopback, for tests, demos and
// operators without hardware.

#include "board_simulator.h"
#include "net/private_network.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTextStream>

using namespace talvik::sim;

namespace {
// Larger fleets share one socket a port (SimOptions::sharedSockets).
constexpr qsizetype OwnSocketsUpTo = 256;

QTextStream& out()
{
    static QTextStream s(stdout);
    return s;
}

[[noreturn]] void die(const QString& why)
{
    QTextStream(stderr) << "talvik-board-sim: " << why << Qt::endl;
    std::exit(2);
}

QList<quint16> parsePorts(const QString& text)
{
    QList<quint16> ports;
    for (const QString& p : text.split(QLatin1Char(','))) {
        bool ok = false;
        const uint v = p.toUInt(&ok);
        if (!ok || v > 65535)
            die(QStringLiteral("bad port '%1'").arg(p));
        ports << quint16(v);
    }
    return ports;
}
} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("talvik-board-sim"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TALVIK_VERSION));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Simulated lift-controller boards on loopback addresses.\n"
        "Example: talvik-board-sim --board 127.0.0.2,ident=1234,version=2.17,dhcp=0 --verbose\n"
        "         talvik-board-sim --boards 127.0.1.1-127.0.1.250,version=2.17\n"
        "Board keys: ident, version, dhcp, console, ip, mask, gateway, mac, dispatcher, branch,\n"
        "writes (0: the board ignores writes), ack (0: it reboots without acknowledging),\n"
        "delay (ms: its answers this late, over --reply-delay-ms), silent (1: it takes nothing),\n"
        "reply (bytes in hexadecimal: every read is answered with them, a board that answers short\n"
        "or garbage).\n"
        "Up to 256 boards each listen on their own address; more (a city: --boards may be given\n"
        "many times) share one socket a port, bound to every address, each board answering from its\n"
        "own: one such simulator a port at a time."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption board(QStringLiteral("board"),
                                   QStringLiteral("A board: address[,key=value...]."),
                                   QStringLiteral("definition"));
    const QCommandLineOption boards(
        QStringLiteral("boards"),
        QStringLiteral(
            "A fleet: first-last[,key=value...]; each board gets its own identifier (ident=N: N, N+1...)."),
        QStringLiteral("range"));
    const QCommandLineOption ports(QStringLiteral("ports"),
                                   QStringLiteral("Command ports (default 8026,8024)."),
                                   QStringLiteral("list"), QStringLiteral("8026,8024"));
    const QCommandLineOption rebootMs(QStringLiteral("reboot-ms"),
                                      QStringLiteral("Reboot time (default 1500)."), QStringLiteral("ms"),
                                      QStringLiteral("1500"));
    const QCommandLineOption delay(QStringLiteral("reply-delay-ms"),
                                   QStringLiteral("Delay before each reply."), QStringLiteral("ms"),
                                   QStringLiteral("0"));
    const QCommandLineOption drop(
        QStringLiteral("drop-rate"),
        QStringLiteral("Share of datagrams lost each way (frames in, replies out), 0..1."),
        QStringLiteral("rate"), QStringLiteral("0"));
    const QCommandLineOption firstOnly(QStringLiteral("first-port-only"),
                                       QStringLiteral("Answer only frames sent to the first port."));
    const QCommandLineOption announce(
        QStringLiteral("announce-to"),
        QStringLiteral("Send the identifier periodically to host:port (loopback)."),
        QStringLiteral("host:port"));
    const QCommandLineOption announceMs(QStringLiteral("announce-ms"), QStringLiteral("Announcement period."),
                                        QStringLiteral("ms"), QStringLiteral("1000"));
    const QCommandLineOption broadcast(
        QStringLiteral("broadcast"),
        QStringLiteral("Every board also takes the frames sent to this broadcast address (192.168.1.255)."),
        QStringLiteral("address"));
    const QCommandLineOption dump(QStringLiteral("dump"),
                                  QStringLiteral("Follow each reply with an \"ikl\" dump."));
    const QCommandLineOption verbose(QStringLiteral("verbose"),
                                     QStringLiteral("Log every datagram in and out."));
    parser.addOptions({board, boards, ports, rebootMs, delay, drop, firstOnly, announce, announceMs,
                       broadcast, dump, verbose});
    parser.process(app);

    SimOptions options;
    options.ports = parsePorts(parser.value(ports));
    options.rebootMs = parser.value(rebootMs).toInt();
    options.replyDelayMs = parser.value(delay).toInt();
    options.dropRate = parser.value(drop).toDouble();
    options.firstPortOnly = parser.isSet(firstOnly);
    options.announceMs = qMax(10, parser.value(announceMs).toInt());
    options.dump = parser.isSet(dump);
    if (parser.isSet(broadcast)) {
        options.broadcast = QHostAddress(parser.value(broadcast));
        if (options.broadcast.isNull())
            die(QStringLiteral("--broadcast must be an IPv4 address"));
    }
    if (parser.isSet(announce)) {
        const QStringList hp = parser.value(announce).split(QLatin1Char(':'));
        options.announceHost = QHostAddress(hp.value(0));
        options.announcePort = quint16(hp.value(1).toUInt());
        if (options.announceHost.isNull() || options.announcePort == 0 ||
            !talvik::addressStaysLocal(options.announceHost.toIPv4Address()))
            die(QStringLiteral("--announce-to must be a loopback host:port"));
    }

    QStringList definitions = parser.values(board) + parser.values(boards);
    if (definitions.isEmpty())
        definitions << QStringLiteral("127.0.0.2");
    QList<QList<BoardDefinition>> fleets;
    qsizetype total = 0;
    for (const QString& text : definitions) {
        QString error;
        const auto defs = parseBoards(text, &error);
        if (!defs)
            die(error);
        fleets << *defs;
        total += defs->size();
    }
    // Two descriptors a board would run out of them long before a city's boards.
    options.sharedSockets = total > OwnSocketsUpTo;

    BoardSimulator sim(options);
    if (parser.isSet(verbose))
        QObject::connect(&sim, &BoardSimulator::logLine,
                         [](const QString& line) { out() << line << Qt::endl; });
    const auto portsText = [&] {
        QStringList texts;
        for (quint16 p : sim.ports(sim.boardCount() - 1))
            texts << QString::number(p);
        return texts.join(QLatin1String(", "));
    };
    for (const QList<BoardDefinition>& defs : fleets) {
        for (const BoardDefinition& def : defs) {
            QString error;
            if (!sim.addBoard(def, &error))
                die(error);
            if (defs.size() == 1 || parser.isSet(verbose))
                out() << "board " << def.address << " listening on ports " << portsText() << ": "
                      << describe(def.config, def.version) << Qt::endl;
        }
        if (defs.size() > 1)
            out() << defs.size() << " boards " << defs.first().address << " to " << defs.last().address
                  << " listening on ports " << portsText() << Qt::endl;
    }
    if (options.sharedSockets)
        out() << total << " boards share one socket a port, on every address" << Qt::endl;
    return app.exec();
}
