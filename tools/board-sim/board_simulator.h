#pragma once
// Simulated boards on loopback addresses, each listening on the command ports and
// answering as sim_board.h describes. A fleet has two sockets a board (one a command port,
// bound to the board's address), or, shared, one socket a port for all of them: bound to
// every address, it hands each frame to the board it was sent to and answers from that
// address (IP_PKTINFO), so that a city of boards costs two descriptors.

#include "sim_board.h"

#include <QHash>
#include <QHostAddress>
#include <QObject>
#include <QRandomGenerator>
#include <functional>
#include <memory>
#include <vector>

class QUdpSocket;
class QTimer;

namespace talvik::sim {

struct SimOptions {
    // The boards' command ports (8026, 8024); 0: a port the system picks (tests). Made out of
    // line: GCC 12 at -O3 takes a QList from a brace list inlined here for uninitialized.
    static QList<quint16> productionPorts();
    QList<quint16> ports = productionPorts();
    int rebootMs = 1500;
    int replyDelayMs = 0;
    double dropRate = 0.0;      // share of datagrams lost each way (frames in, replies out), 0..1
    bool firstPortOnly = false; // answer only frames that came to the first port
    QHostAddress announceHost;  // null: no periodic identifier datagram
    quint16 announcePort = 0;
    int announceMs = 1000;
    bool dump = false;      // an "ikl" dump after every configuration reply
    QHostAddress broadcast; // not null: every board also takes frames sent to this broadcast address
    quint32 seed = 1;
    // One socket a port for every board. It takes the ports on every address: one shared
    // simulator a port at a time (a board's own socket, elsewhere, still gets its frames).
    bool sharedSockets = false;
};

class BoardSimulator : public QObject {
    Q_OBJECT
  public:
    explicit BoardSimulator(const SimOptions& options, QObject* parent = nullptr);
    ~BoardSimulator() override;

    // Binds the board's ports; false with a reason when it cannot.
    bool addBoard(const BoardDefinition& definition, QString* error);
    // Every board of a definition (parseBoards()); false with a reason at the first that fails.
    bool addBoards(const QString& definition, QString* error);

    int boardCount() const { return int(boards_.size()); }
    SimBoard& board(int i);
    QList<quint16> ports(int i) const;
    // A board that takes no frame and answers none (unplugged), or that answers this late
    // (-1: the fleet's delay).
    void setSilent(int i, bool silent);
    void setReplyDelay(int i, int ms);

  signals:
    void logLine(const QString& line);
    // Every datagram a board takes in, before it answers.
    void received(int board, const QByteArray& datagram);
    // A write frame the board stored in its permanent memory; `before`: what it held.
    void stored(int board, const QByteArray& frame, const talvik::WriteFields& before);

  private:
    struct Hosted;
    bool bindOwn(Hosted& hosted, quint32 address, QString* error);
    bool bindShared(QString* error);
    void onReadyRead(Hosted* hosted, QUdpSocket* socket, int portIndex);
    void onSharedReadyRead(QUdpSocket* socket, int portIndex);
    void take(Hosted& h, const QByteArray& data, const QHostAddress& from, quint16 fromPort, int portIndex);
    QUdpSocket* socketOf(const Hosted& h, int portIndex) const;
    void reply(const Hosted& h, int portIndex, const QHostAddress& to, quint16 port, const QByteArray& data,
               const std::function<QString()>& what);
    bool logging() const;

    SimOptions options_;
    QRandomGenerator random_;
    std::vector<std::unique_ptr<Hosted>> boards_;
    std::vector<std::unique_ptr<QUdpSocket>> shared_; // a port each, with sharedSockets
    QHash<quint32, Hosted*> byAddress_;
};

QString describe(const WriteFields& config, const QByteArray& version);

} // namespace talvik::sim
