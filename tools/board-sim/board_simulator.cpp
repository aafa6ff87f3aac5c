#include "board_simulator.h"

#include "net/private_network.h"
#include "wire/board_address.h"
#include "wire/hex_codec.h"

#include <QNetworkDatagram>
#include <QTimer>
#include <QUdpSocket>

namespace talvik::sim {

struct BoardSimulator::Hosted {
    SimBoard board;
    std::vector<std::unique_ptr<QUdpSocket>> sockets;
    std::unique_ptr<QTimer> announcer;
    int index = 0;
    std::vector<std::unique_ptr<QUdpSocket>> broadcastSockets;
};

namespace {
QString endpoint(const QHostAddress& host, quint16 port)
{
    return QStringLiteral("%1:%2").arg(QHostAddress(host.toIPv4Address()).toString()).arg(port);
}
} // namespace

QString describe(const WriteFields& c, const QByteArray& version)
{
    return QStringLiteral(
               "ident=%1 ip=%2 mask=%3 gateway=%4 mac=%5 dispatcher=%6 console=%7 dhcp=%8 version=%9")
        .arg(c.ident)
        .arg(dottedText(c.ip), dottedText(c.mask), dottedText(c.gateway), macText(c.mac),
             dottedText(c.dispatcher))
        .arg(c.consoleDynamic ? QStringLiteral("dynamic") : QStringLiteral("static"),
             c.boardDhcp ? QStringLiteral("1") : QStringLiteral("0"), QString::fromLatin1(version));
}

BoardSimulator::BoardSimulator(const SimOptions& options, QObject* parent)
    : QObject(parent), options_(options), random_(options.seed)
{
}

BoardSimulator::~BoardSimulator() = default;

SimBoard& BoardSimulator::board(int i)
{
    return boards_.at(size_t(i))->board;
}

QList<quint16> BoardSimulator::ports(int i) const
{
    QList<quint16> out;
    for (const auto& s : boards_.at(size_t(i))->sockets)
        out << s->localPort();
    return out;
}

bool BoardSimulator::addBoards(const QString& definition, QString* error)
{
    const auto defs = parseBoards(definition, error);
    if (!defs)
        return false;
    for (const BoardDefinition& def : *defs)
        if (!addBoard(def, error))
            return false;
    return true;
}

bool BoardSimulator::addBoard(const BoardDefinition& def, QString* error)
{
    const auto address = parseDottedDecimal(def.address);
    if (!address || !addressStaysLocal(*address)) {
        *error =
            QStringLiteral("%1 is outside 127.0.0.0/8: the simulator runs on loopback only").arg(def.address);
        return false;
    }
    if (!options_.announceHost.isNull() && !addressStaysLocal(options_.announceHost.toIPv4Address())) {
        *error = QStringLiteral("announcements go to loopback addresses only");
        return false;
    }
    auto hosted = std::make_unique<Hosted>(
        Hosted{SimBoard(def.address, def.config, def.version), {}, {}, int(boards_.size()), {}});
    hosted->board.setBehaviour(def.takesWrites, def.acknowledgesReboot, def.reply);
    Hosted* h = hosted.get();
    // Ports given as 0 are picked by the system for the first board; the others of a
    // fleet listen on the same ports, so one command reaches any of them.
    const QList<quint16> ports = boards_.empty() ? options_.ports : this->ports(0);
    for (int i = 0; i < ports.size(); ++i) {
        auto socket = std::make_unique<QUdpSocket>();
        if (!socket->bind(QHostAddress(*address), ports[i])) {
            *error = QStringLiteral("cannot listen on %1:%2: %3")
                         .arg(def.address)
                         .arg(ports[i])
                         .arg(socket->errorString());
            return false;
        }
        QUdpSocket* s = socket.get();
        connect(s, &QUdpSocket::readyRead, this, [this, h, s, i] { onReadyRead(h, s, i); });
        h->sockets.push_back(std::move(socket));
        if (!options_.broadcast.isNull()) { // every board takes what is sent to the broadcast address too
            auto shared = std::make_unique<QUdpSocket>();
            if (!shared->bind(options_.broadcast, s->localPort(),
                              QAbstractSocket::ShareAddress | QAbstractSocket::ReuseAddressHint)) {
                *error = QStringLiteral("cannot listen on %1:%2: %3")
                             .arg(options_.broadcast.toString())
                             .arg(s->localPort())
                             .arg(shared->errorString());
                return false;
            }
            QUdpSocket* b = shared.get();
            connect(b, &QUdpSocket::readyRead, this, [this, h, b, i] { onReadyRead(h, b, i); });
            h->broadcastSockets.push_back(std::move(shared));
        }
    }
    if (!options_.announceHost.isNull()) {
        h->announcer = std::make_unique<QTimer>();
        connect(h->announcer.get(), &QTimer::timeout, this, [this, h] {
            if (!h->board.rebooting())
                reply(h->sockets.front().get(), options_.announceHost, options_.announcePort,
                      announcement(h->board.working().ident), QStringLiteral("identifier announcement"));
        });
        h->announcer->start(options_.announceMs);
    }
    boards_.push_back(std::move(hosted));
    return true;
}

void BoardSimulator::onReadyRead(Hosted* h, QUdpSocket* socket, int portIndex)
{
    while (socket->hasPendingDatagrams()) {
        const QNetworkDatagram d = socket->receiveDatagram();
        const QByteArray data = d.data();
        const FrameKind kind = frameKind(data);
        if (options_.dropRate > 0 && random_.generateDouble() < options_.dropRate) { // lost on its way in
            emit logLine(
                QStringLiteral("%1 lost on its way in: %2").arg(h->board.address(), frameKindName(kind)));
            continue;
        }
        emit received(h->index, data);
        const QString from = endpoint(d.senderAddress(), quint16(d.senderPort()));
        const QString to = endpoint(socket->localAddress(), socket->localPort());
        emit logLine(QStringLiteral("%1 -> %2 in  %3 (%4 bytes)%5")
                         .arg(from, to, frameKindName(kind))
                         .arg(data.size())
                         .arg(kind == FrameKind::Word
                                  ? QStringLiteral(" \"%1\"").arg(QString::fromLatin1(data.left(3)))
                                  : QString()));
        if (h->board.rebooting()) {
            emit logLine(QStringLiteral("%1 rebooting: no answer").arg(to));
            continue;
        }
        const Answer answer = h->board.handle(data);
        if (kind == FrameKind::Write)
            emit logLine(QStringLiteral("%1 stored in permanent memory: %2")
                             .arg(to, describe(h->board.permanent(), h->board.version())));
        if (answer.startReboot) {
            QTimer::singleShot(options_.rebootMs, this, [this, h, to] {
                h->board.finishReboot();
                emit logLine(QStringLiteral("%1 up again: %2")
                                 .arg(to, describe(h->board.working(), h->board.version())));
            });
        }
        if (answer.reply.isEmpty() || (options_.firstPortOnly && portIndex != 0))
            continue;
        const bool isConfig = kind == FrameKind::ReadWorking || kind == FrameKind::ReadPermanent;
        const WriteFields& shown =
            kind == FrameKind::ReadPermanent ? h->board.permanent() : h->board.working();
        QUdpSocket* own = h->sockets[size_t(portIndex)].get(); // answers come from the board's own address
        reply(own, d.senderAddress(), quint16(d.senderPort()), answer.reply,
              isConfig ? QStringLiteral("configuration reply %1").arg(describe(shown, h->board.version()))
                       : QStringLiteral("reboot acknowledgement ident=%1").arg(h->board.working().ident));
        if (isConfig && options_.dump)
            reply(own, d.senderAddress(), quint16(d.senderPort()), diagnosticDump(shown.ident),
                  QStringLiteral("diagnostic dump"));
    }
}

void BoardSimulator::reply(QUdpSocket* socket, const QHostAddress& to, quint16 port, const QByteArray& data,
                           const QString& what)
{
    if (options_.dropRate > 0 && random_.generateDouble() < options_.dropRate) {
        emit logLine(QStringLiteral("dropped %1").arg(what));
        return;
    }
    const QString line =
        QStringLiteral("%1 -> %2 out %3 (%4 bytes)")
            .arg(endpoint(socket->localAddress(), socket->localPort()), endpoint(to, port), what)
            .arg(data.size());
    auto send = [this, socket, to, port, data, line] {
        socket->writeDatagram(data, to, port);
        emit logLine(line);
    };
    if (options_.replyDelayMs > 0)
        QTimer::singleShot(options_.replyDelayMs, socket, send);
    else
        send();
}

} // namespace talvik::sim
