#include "board_simulator.h"

#include "send_from.h"

#include "net/private_network.h"
#include "wire/board_address.h"
#include "wire/hex_codec.h"

#include <QMetaMethod>
#include <QNetworkDatagram>
#include <QTimer>
#include <QUdpSocket>
#include <QVariant>

namespace talvik::sim {

QList<quint16> SimOptions::productionPorts()
{
    return {8026, 8024};
}

struct BoardSimulator::Hosted {
    SimBoard board;
    std::vector<std::unique_ptr<QUdpSocket>> sockets;
    std::unique_ptr<QTimer> announcer;
    int index = 0;
    std::vector<std::unique_ptr<QUdpSocket>> broadcastSockets;
    quint32 ip = 0; // the board's address, where its answers come from
    int replyDelayMs = -1;
    bool silent = false;
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

void BoardSimulator::setSilent(int i, bool silent)
{
    boards_.at(size_t(i))->silent = silent;
}

void BoardSimulator::setReplyDelay(int i, int ms)
{
    boards_.at(size_t(i))->replyDelayMs = ms;
}

QList<quint16> BoardSimulator::ports(int i) const
{
    QList<quint16> out;
    if (options_.sharedSockets) {
        for (const auto& s : shared_)
            out << s->localPort();
        return out;
    }
    for (const auto& s : boards_.at(size_t(i))->sockets)
        out << s->localPort();
    return out;
}

bool BoardSimulator::logging() const
{
    return isSignalConnected(QMetaMethod::fromSignal(&BoardSimulator::logLine));
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
    if (byAddress_.contains(*address)) {
        *error = QStringLiteral("%1 is given twice").arg(def.address);
        return false;
    }
    auto hosted = std::make_unique<Hosted>(
        Hosted{SimBoard(def.address, def.config, def.version), {}, {}, int(boards_.size()), {}});
    hosted->board.setBehaviour(def.takesWrites, def.acknowledgesReboot, def.reply);
    hosted->ip = *address;
    hosted->replyDelayMs = def.replyDelayMs;
    hosted->silent = def.silent;
    Hosted* h = hosted.get();
    if (!(options_.sharedSockets ? bindShared(error) : bindOwn(*h, *address, error)))
        return false;
    if (!options_.announceHost.isNull()) {
        h->announcer = std::make_unique<QTimer>();
        connect(h->announcer.get(), &QTimer::timeout, this, [this, h] {
            if (!h->board.rebooting())
                reply(*h, 0, options_.announceHost, options_.announcePort,
                      announcement(h->board.working().ident),
                      [] { return QStringLiteral("identifier announcement"); });
        });
        h->announcer->start(options_.announceMs);
    }
    byAddress_.insert(*address, h);
    boards_.push_back(std::move(hosted));
    return true;
}

// The board's own sockets, on its address.
bool BoardSimulator::bindOwn(Hosted& hosted, quint32 address, QString* error)
{
    Hosted* h = &hosted;
    // Ports given as 0 are picked by the system for the first board; the others of a
    // fleet listen on the same ports, so one command reaches any of them.
    const QList<quint16> ports = boards_.empty() ? options_.ports : this->ports(0);
    for (int i = 0; i < ports.size(); ++i) {
        auto socket = std::make_unique<QUdpSocket>();
        if (!socket->bind(QHostAddress(address), ports[i])) {
            *error = QStringLiteral("cannot listen on %1:%2: %3")
                         .arg(h->board.address())
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
    return true;
}

// The fleet's sockets, a port each, made with its first board.
bool BoardSimulator::bindShared(QString* error)
{
    for (int i = int(shared_.size()); i < options_.ports.size(); ++i) {
        auto socket = std::make_unique<QUdpSocket>();
        // Shared with a board's own socket elsewhere, which gets the frames sent to it.
        if (!socket->bind(QHostAddress::AnyIPv4, options_.ports[i], QAbstractSocket::ShareAddress)) {
            *error = QStringLiteral("cannot listen on port %1: %2")
                         .arg(options_.ports[i])
                         .arg(socket->errorString());
            shared_.clear();
            return false;
        }
        socket->setSocketOption(QAbstractSocket::ReceiveBufferSizeSocketOption, QVariant(8 << 20));
        QUdpSocket* s = socket.get();
        connect(s, &QUdpSocket::readyRead, this, [this, s, i] { onSharedReadyRead(s, i); });
        shared_.push_back(std::move(socket));
    }
    return true;
}

QUdpSocket* BoardSimulator::socketOf(const Hosted& h, int portIndex) const
{
    return options_.sharedSockets ? shared_[size_t(portIndex)].get() : h.sockets[size_t(portIndex)].get();
}

void BoardSimulator::onReadyRead(Hosted* h, QUdpSocket* socket, int portIndex)
{
    while (socket->hasPendingDatagrams()) {
        const QNetworkDatagram d = socket->receiveDatagram();
        take(*h, d.data(), d.senderAddress(), quint16(d.senderPort()), portIndex);
    }
}

// A frame goes to the board it was sent to; to every board when sent to the broadcast
// address; and to none when sent to another address of this machine.
void BoardSimulator::onSharedReadyRead(QUdpSocket* socket, int portIndex)
{
    while (socket->hasPendingDatagrams()) {
        const QNetworkDatagram d = socket->receiveDatagram();
        const QHostAddress to = d.destinationAddress();
        if (!options_.broadcast.isNull() &&
            to.isEqual(options_.broadcast, QHostAddress::TolerantConversion)) {
            for (const auto& h : boards_)
                take(*h, d.data(), d.senderAddress(), quint16(d.senderPort()), portIndex);
            continue;
        }
        if (Hosted* h = byAddress_.value(to.toIPv4Address()))
            take(*h, d.data(), d.senderAddress(), quint16(d.senderPort()), portIndex);
    }
}

void BoardSimulator::take(Hosted& h, const QByteArray& data, const QHostAddress& fromHost, quint16 fromPort,
                          int portIndex)
{
    const FrameKind kind = frameKind(data);
    const bool log = logging();
    if (h.silent)
        return;
    if (options_.dropRate > 0 && random_.generateDouble() < options_.dropRate) { // lost on its way in
        if (log)
            emit logLine(
                QStringLiteral("%1 lost on its way in: %2").arg(h.board.address(), frameKindName(kind)));
        return;
    }
    emit received(h.index, data);
    const QString to = log ? endpoint(QHostAddress(h.ip), socketOf(h, portIndex)->localPort()) : QString();
    if (log)
        emit logLine(QStringLiteral("%1 -> %2 in  %3 (%4 bytes)%5")
                         .arg(endpoint(fromHost, fromPort), to, frameKindName(kind))
                         .arg(data.size())
                         .arg(kind == FrameKind::Word
                                  ? QStringLiteral(" \"%1\"").arg(QString::fromLatin1(data.left(3)))
                                  : QString()));
    if (h.board.rebooting()) {
        if (log)
            emit logLine(QStringLiteral("%1 rebooting: no answer").arg(to));
        return;
    }
    const WriteFields before = h.board.permanent();
    const Answer answer = h.board.handle(data);
    if (answer.stored)
        emit stored(h.index, data, before);
    if (kind == FrameKind::Write && log)
        emit logLine(QStringLiteral("%1 stored in permanent memory: %2")
                         .arg(to, describe(h.board.permanent(), h.board.version())));
    if (answer.startReboot) {
        Hosted* hosted = &h;
        QTimer::singleShot(options_.rebootMs, this, [this, hosted, to] {
            hosted->board.finishReboot();
            if (logging())
                emit logLine(QStringLiteral("%1 up again: %2")
                                 .arg(to, describe(hosted->board.working(), hosted->board.version())));
        });
    }
    if (answer.reply.isEmpty() || (options_.firstPortOnly && portIndex != 0))
        return;
    const bool isConfig = kind == FrameKind::ReadWorking || kind == FrameKind::ReadPermanent;
    const WriteFields& shown = kind == FrameKind::ReadPermanent ? h.board.permanent() : h.board.working();
    reply(h, portIndex, fromHost, fromPort, answer.reply, [&] {
        return isConfig ? QStringLiteral("configuration reply %1").arg(describe(shown, h.board.version()))
                        : QStringLiteral("reboot acknowledgement ident=%1").arg(h.board.working().ident);
    });
    if (isConfig && options_.dump)
        reply(h, portIndex, fromHost, fromPort, diagnosticDump(shown.ident),
              [] { return QStringLiteral("diagnostic dump"); });
}

// Answers come from the board's own address and the port the frame came to.
void BoardSimulator::reply(const Hosted& h, int portIndex, const QHostAddress& to, quint16 port,
                           const QByteArray& data, const std::function<QString()>& what)
{
    const bool log = logging();
    if (options_.dropRate > 0 && random_.generateDouble() < options_.dropRate) {
        if (log)
            emit logLine(QStringLiteral("dropped %1").arg(what()));
        return;
    }
    QUdpSocket* socket = socketOf(h, portIndex);
    const QHostAddress board(h.ip);
    const QString line = log ? QStringLiteral("%1 -> %2 out %3 (%4 bytes)")
                                   .arg(endpoint(board, socket->localPort()), endpoint(to, port), what())
                                   .arg(data.size())
                             : QString();
    const bool shared = options_.sharedSockets;
    auto send = [this, socket, shared, board, to, port, data, line] {
        if (shared)
            sendFrom(*socket, board, to, port, data);
        else
            socket->writeDatagram(data, to, port);
        if (!line.isEmpty())
            emit logLine(line);
    };
    if (const int delay = h.replyDelayMs >= 0 ? h.replyDelayMs : options_.replyDelayMs; delay > 0)
        QTimer::singleShot(delay, socket, send);
    else
        send();
}

} // namespace talvik::sim
