#pragma once
// Finding the boards of a dispatch network: the addresses of a range, a list or "my
// networks", read many at once with retries through the request client, each answer in
// the table as soon as it comes; and the boards the network shows by itself (every
// datagram with an identifier field adds or refreshes its sender's row).

#include "client/board_jobs.h"
#include "fleet/fleet_model.h"
#include "net/adapters.h"
#include "wire/board_address.h"

#include <QElapsedTimer>
#include <QMap>
#include <QObject>
#include <QSet>
#include <QTimer>

namespace talvik::fleet {

// The networks of these adapters to search for boards: each with its own prefix, /16 to
// /30 (a wider one is too wide to sweep, a host or point-to-point address is no network of
// boards), 127/8 and link-local ones left out, each once; `only`: that adapter's alone.
QList<Adapter> networksOf(const QList<Adapter>& adapters, const QString& only = {});
// Their hosts as addresses and ranges for boardsOf(), each adapter's own address left out.
QStringList hostsOf(const QList<Adapter>& networks);
// How many addresses those are.
qint64 hostCount(const QList<Adapter>& networks);

class FleetSurvey : public QObject {
    Q_OBJECT
  public:
    FleetSurvey(BoardClient& client, FleetModel& model, QObject* parent = nullptr);

    // The working configuration of each board, all asked at once as the request client
    // paces them; with `bothMemories` its permanent memory too, one more read, so that a
    // written but not yet rebooted configuration shows.
    void start(const QList<BoardAddress>& boards, bool bothMemories, const Timing& timing = {});
    void cancel();
    bool running() const { return engine_.running(); }
    // Datagrams this PC dropped under overload while the last survey ran.
    quint64 lostToOverload() const { return lost_; }

  signals:
    void progress(int done, int total);
    void finished();

  private:
    void shown(const BoardResult& result);

    FleetModel& model_;
    BoardJobs engine_;
    quint64 lost_ = 0;
};

// Passive discovery: every datagram from a board's address that carries an identifier tag
// (its identifier shown only when the datagram holds it). What a flood brings is gathered
// by sender and shown at most five times a second; it adds rows while the table has fewer
// than `mostRows` (senders can be made up by anyone). This program's own frames, come back
// to its listening port `ownPort` (a write frame carries "iden"), are no board's; nor is an
// answer a request of `client` took (a job's own check of an address adds no row).
class Discovery : public QObject {
    Q_OBJECT
  public:
    static constexpr int IntervalMs = 200;
    // A configuration that comes after its read was given up (a board slower than the
    // survey waited) fills its row as any answer does.
    Discovery(BoardClient& client, FleetModel& model, quint16 ownPort, int mostRows = int(MostBoards),
              QObject* parent = nullptr);

  private:
    void show();
    bool isOwn(const Datagram& datagram);

    FleetModel& model_;
    quint16 ownPort_;
    int mostRows_;
    QMap<quint32, std::optional<int>> heard_; // by sender: its last identifier; shown in address order
    QMap<quint32, BoardConfig> answered_;     // by sender: a configuration that came late
    BoardClient& client_;
    QTimer* timer_;
    QSet<quint32> ownAddresses_; // this PC's, looked up again now and then
    QElapsedTimer sinceLookup_;
};

} // namespace talvik::fleet
