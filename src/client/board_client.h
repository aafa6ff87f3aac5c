#pragma once
// Requests to boards and their replies, for programs that wait for an answer (the
// window never does). A request is a command frame sent from the listening socket to
// the board's command ports, as the window sends it; its reply is the first datagram
// from the board's address that the request accepts.
//
// Many boards are asked at once, at the pace of the network: every request of a batch
// goes out as soon as the pace allows (a burst, then PaceBoardsPerSecond), not a few at
// a time each waiting out its timeout. Only boards that stay silent are asked again.
//
// How long a silent board is waited for follows its network, as TCP's retransmission timer
// does (RFC 6298): a smoothed round trip and its variation, sampled only from answers to
// requests sent once (Karn's rule), never shorter than what a board of the network has
// already needed, at least FloorMs; doubled on each try, at most the timeout. Before any
// board of a network has answered, a try waits the whole timeout, and so does the last try
// of every board: an answer to any earlier try still counts, so a board far slower than
// its neighbours is found. With a fixed timing every try waits the timeout. A network is a
// board's address under the prefix of the adapter that reaches it (setPrefix), else its /24.
// Once a board of the batch has answered only when asked again (the network loses
// datagrams), a silent one is asked twice as many times. A board whose answer may have been
// dropped on this PC (the link counted drops since it was asked) is asked again without
// using up a retry, up to MostAskedForDrops more times.

#include "net/link.h"
#include "wire/board_address.h"

#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QQueue>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <unordered_map>

class QTimer;

namespace talvik {

struct Timing {
    int timeoutMs = 1000; // the longest wait for one attempt's reply; the last attempt's wait
    int retries = 2;      // attempts after the first
    bool fixed = false;   // every attempt waits the timeout (talvikctl --timeout given)
};

// One datagram a request sends (or, in a dry run, would send): to one of the board's
// command ports or, for a word frame, to its word port.
struct PlannedFrame {
    quint16 port = 0;
    QByteArray datagram;
    bool operator==(const PlannedFrame& o) const { return port == o.port && datagram == o.datagram; }
};

struct BoardReply {
    QByteArray datagram;
    quint16 port = 0; // the board's port it came from
    int attempts = 1; // how many times the request was sent
};

class BoardClient : public QObject {
    Q_OBJECT
  public:
    static constexpr int PaceBoardsPerSecond = 12500; // 37,500 frames a second to three ports
    static constexpr int PaceBurst = 64;              // boards asked at once before the pace applies
    // The pace's frames go out together every PumpMs: each hand-over to the socket's thread
    // costs a wake-up of both threads, and a thousand a second were a third of a survey's time.
    static constexpr int PumpMs = 5;
    // How soon frames that found the PC's send buffers full are tried again.
    static constexpr int RoomWaitMs = 10;
    static constexpr int FloorMs = 20; // the shortest wait for a try, above any timer's granularity
    static constexpr int MostAskedForDrops = 3;

    // Whether a datagram from the board is the reply its request waits for.
    using Accept = std::function<bool(BoardAddress board, const QByteArray& datagram)>;
    using Done = std::function<void(BoardAddress board, const std::optional<BoardReply>& reply)>;

    // `commandPorts`: where each frame goes, in order (the window: 8026, 8024, 6767); asked
    // at each send when a function, so that it follows a port the operator changes.
    using Ports = std::function<QList<quint16>()>;
    BoardClient(Link& link, const QList<quint16>& commandPorts, quint16 wordPort, QObject* parent = nullptr);
    BoardClient(Link& link, Ports commandPorts, quint16 wordPort, QObject* parent = nullptr);
    ~BoardClient() override;

    Link& link() { return link_; }

    // Sends a frame to every command port of the board; false at the first port that
    // fails (the remaining ports are skipped, as in the window).
    bool send(BoardAddress board, const QByteArray& frame);
    // The same through one adapter (Link::sendFromListenerVia); `source` 0: as send().
    bool sendVia(quint32 source, int adapterIndex, BoardAddress board, const QByteArray& frame);
    // A word frame ("msi", "vsi") from a socket not bound to the listening port.
    bool sendWord(BoardAddress board, const QByteArray& word);
    QList<quint16> commandPorts() const { return commandPorts_(); }
    quint16 wordPort() const { return wordPort_; }
    // What send() and sendWord() would send now, port by port.
    QList<PlannedFrame> planned(const QByteArray& frame) const;
    PlannedFrame plannedWord(const QByteArray& word) const;

    // Requests to many boards, as this class's comment says. `done` runs exactly once for
    // each distinct board of `boards` (one listed twice is asked once), as replies arrive
    // or boards are given up, then `finished` runs once. A board that another request is
    // still waiting for, or whose answers to the last request are still on their way,
    // waits its turn while other boards go ahead.
    void requestMany(const QList<BoardAddress>& boards,
                     const std::function<QByteArray(BoardAddress)>& frameFor, const Accept& accept,
                     const Timing& timing, const Done& done, const std::function<void()>& finished);

    // Whether a request of this client waits for this datagram from the board, or it is one
    // of the other answers to a request just answered (from the board's other ports).
    bool awaits(BoardAddress board, const QByteArray& datagram) const;
    // Ends every request: the boards still waiting are not asked, and those asked are
    // reported without a reply; each batch's `finished` runs.
    void cancelAll();

    // The prefix length of the network a board is in (the adapter that reaches it), for the
    // waits that follow the network; a /24 where this gives nothing (0).
    void setPrefix(std::function<int(quint32 address)> prefixOf) { prefixOf_ = std::move(prefixOf); }
    int prefixOf(quint32 address) const { return prefixOf_ ? prefixOf_(address) : 0; }
    // What the network of `board` has shown so far: its smoothed round trip (-1 before any
    // sample) and the longest any of its boards needed, in ms.
    struct NetworkPace {
        double smoothedMs = -1, variationMs = 0;
        qint64 neededMs = 0;
    };
    NetworkPace paceOf(BoardAddress board) const;

  signals:
    // Every datagram that reaches the listening socket, whether a request takes it or not.
    void datagramArrived(const QByteArray& datagram, quint32 sender, quint16 port);
    // The datagrams of a batch that no request of this client took or waited for, once a
    // batch, after the client has seen them.
    void othersArrived(const QList<Datagram>& datagrams);

  private:
    struct Pending;
    struct Batch;
    // Whether a request of this client took the datagram or is still to take answers like it.
    bool onDatagram(const QByteArray& datagram, quint32 sender, quint16 port);
    // Sends what the pace allows now, and arms the timer for the rest.
    void pump();
    void ask(quint32 board);   // notes the send; pump() sends
    void unask(quint32 board); // it was not sent after all
    // Gives up or asks again each board whose wait is over; arms the timer for the next.
    void check();
    void armCheck();
    void finish(quint32 board, const std::optional<BoardReply>& reply);
    void endIfDone(const std::shared_ptr<Batch>& batch);
    // Takes on the boards of waiting batches that are free now.
    void wake();

    Pending* find(quint32 board) const;
    bool settling(quint32 board);
    bool busy(quint32 board) { return find(board) || settling(board); }
    quint32 networkOf(quint32 board) const;
    // How long the board's current try is waited for, as this class's comment says.
    qint64 waitOf(const Pending& p) const;
    qint64 roundTripOf(quint32 board) const; // what an answer to a try takes on its network
    void sample(quint32 board, const Pending& p, qint64 now);

    // After a request, the board's other answers to it (one per port and attempt) are
    // still on their way; they are taken up here, so that the next request to that
    // board cannot mistake one of them for its own reply.
    struct Settling {
        int remaining = 0;
        qint64 until = 0; // ms since the client started
    };
    std::unordered_map<quint32, Settling> settling_;
    QElapsedTimer clock_;
    QList<std::shared_ptr<Batch>> batches_; // those not finished
    std::deque<quint32> toSend_;            // asked boards whose frames wait for the pace
    double tokens_ = PaceBurst;             // boards that may be asked now
    qint64 tokensAt_ = 0;
    QTimer* pumpTimer_ = nullptr;
    QTimer* checkTimer_ = nullptr;
    QTimer* wakeTimer_ = nullptr;

    Link& link_;
    Ports commandPorts_;
    quint16 wordPort_;
    std::unordered_map<quint32, std::unique_ptr<Pending>> pending_;
    std::unordered_map<quint32, NetworkPace> networks_; // by the network's address
    std::function<int(quint32)> prefixOf_;
};

} // namespace talvik
