#pragma once
// Requests to boards and their replies, for programs that wait for an answer (the
// window never does). A request is a command frame sent from the listening socket to
// the board's command ports, as the window sends it; its reply is the first datagram
// from the board's address that the request accepts. A request without a reply is
// sent again after each timeout, as many times as its retries allow.

#include "net/link.h"

#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QQueue>
#include <functional>
#include <memory>
#include <optional>
#include <unordered_map>

class QTimer;

namespace talvik {

struct Timing {
    int timeoutMs = 1000; // for each attempt
    int retries = 2;      // attempts after the first
};

struct BoardReply {
    QByteArray datagram;
    quint16 port = 0; // the board's port it came from
    int attempts = 1; // how many times the request was sent
};

class BoardClient : public QObject {
    Q_OBJECT
  public:
    // Whether a datagram from the board is the reply its request waits for.
    using Accept = std::function<bool(quint32 board, const QByteArray& datagram)>;
    using Done = std::function<void(quint32 board, const std::optional<BoardReply>& reply)>;

    // `commandPorts`: where each frame goes, in order (the window: 8026, 8024, 6767); asked
    // at each send when a function, so that it follows a port the operator changes.
    using Ports = std::function<QList<quint16>()>;
    BoardClient(Link& link, const QList<quint16>& commandPorts, quint16 wordPort, QObject* parent = nullptr);
    BoardClient(Link& link, Ports commandPorts, quint16 wordPort, QObject* parent = nullptr);
    ~BoardClient() override;

    // Sends a frame to every command port of the board; false at the first port that
    // fails (the remaining ports are skipped, as in the window).
    bool send(quint32 board, const QByteArray& frame);
    // A word frame ("msi", "vsi") from a socket not bound to the listening port.
    bool sendWord(quint32 board, const QByteArray& word);

    // Requests to many boards, at most `inFlight` outstanding. `done` runs exactly once
    // for each distinct board of `boards` (one listed twice is asked once), in the order
    // replies arrive (or time out), then `finished` runs once. A board that another
    // request is still waiting for, or whose answers to the last request are still on
    // their way, waits its turn while other boards go ahead.
    void requestMany(const QList<quint32>& boards, const std::function<QByteArray(quint32)>& frameFor,
                     const Accept& accept, const Timing& timing, int inFlight, const Done& done,
                     const std::function<void()>& finished);
    // One request, waiting for its reply in a local event loop.
    std::optional<BoardReply> request(quint32 board, const QByteArray& frame, const Accept& accept,
                                      const Timing& timing);

    // Whether a request of this client waits for this datagram from the board, or it is one
    // of the other answers to a request just answered (from the board's other ports).
    bool awaits(quint32 board, const QByteArray& datagram) const;
    // Ends every request: the boards still waiting are not asked, and those asked are
    // reported without a reply; each batch's `finished` runs.
    void cancelAll();

    // Lets the event loop run for a while (the pauses between word frames).
    static void pause(int ms);

  signals:
    // Every datagram that reaches the listening socket, whether a request takes it or not.
    void datagramArrived(const QByteArray& datagram, quint32 sender, quint16 port);

  private:
    struct Pending;
    struct Batch;
    void onDatagram(const QByteArray& datagram, quint32 sender, quint16 port);
    void startNext(const std::shared_ptr<Batch>& batch);
    void attempt(quint32 board);
    void finish(quint32 board, const std::optional<BoardReply>& reply);
    // Starts what the waiting batches can start now; arms a timer for the next
    // moment a settling board is free, so nothing polls.
    void wake();

    Pending* find(quint32 board) const;
    bool settling(quint32 board);
    bool busy(quint32 board) { return find(board) || settling(board); }

    // After a request, the board's other answers to it (one per port and attempt) are
    // still on their way; they are taken up here, so that the next request to that
    // board cannot mistake one of them for its own reply.
    struct Settling {
        int remaining = 0;
        qint64 until = 0; // ms since the client started
    };
    std::unordered_map<quint32, Settling> settling_;
    QElapsedTimer clock_;
    QList<std::shared_ptr<Batch>> waiting_; // batches with boards that wait their turn
    QTimer* wakeTimer_ = nullptr;

    Link& link_;
    Ports commandPorts_;
    quint16 wordPort_;
    std::unordered_map<quint32, std::unique_ptr<Pending>> pending_;
};

} // namespace talvik
