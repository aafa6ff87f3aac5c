#pragma once
// A small LAN of real adapters in the test's own network namespace: each a TAP the test
// holds, so every frame the kernel sends out of it comes here. The boards behind each
// answer ARP for their addresses and UDP from their addresses (simulated boards, each as
// late as it is told); frames out of each adapter are counted. Linux only, as root (or in
// a user namespace that may make TAPs).

#include "sim_board.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QSet>
#include <QString>
#include <memory>

class QSocketNotifier;

namespace talvik::sim {

struct LanAdapter {
    QString name; // "lift0"
    QString cidr; // the PC's address on it: "192.168.10.1/26"
};

// A UDP datagram seen leaving the PC.
struct SeenFrame {
    QString adapter;
    quint32 from = 0;
    quint32 to = 0;
    quint16 toPort = 0;
};

class FakeLan : public QObject {
    Q_OBJECT
  public:
    // Makes the adapters, up, with their addresses; the first holds the default route.
    // Empty `error` when it worked.
    explicit FakeLan(const QList<LanAdapter>& adapters, QString* error);
    ~FakeLan() override;

    // A board on `adapter` ("10.1.0.255,version=2.17"; key delay=MS for a late one).
    bool addBoards(const QString& adapter, const QString& definitions, QString* error);
    SimBoard* board(const QString& address);

    QList<SeenFrame> seen; // every UDP datagram out of every adapter, in order
    // Every address the PC looked for or sent to on each adapter (an address no board has
    // is only ever looked for: its datagrams never leave without an ARP answer).
    QHash<QString, QSet<quint32>> asked;
    int framesOutOf(const QString& adapter) const;

  private:
    struct Tap;
    struct Behind {
        int tap = 0;
        std::shared_ptr<SimBoard> board;
        int delayMs = 0;
    };
    void readFrom(int tap);
    void onArp(int tap, const QByteArray& frame);
    void onIpv4(int tap, const QByteArray& frame);
    void answer(int tap, quint32 board, const QByteArray& request, const QByteArray& reply);

    QList<std::shared_ptr<Tap>> taps_;
    QHash<quint32, Behind> boards_;
};

} // namespace talvik::sim
