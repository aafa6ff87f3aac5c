#pragma once
// The real sockets. The listening socket receives on a thread of its own: a reader
// takes datagrams off the socket in bounded slices into a bounded queue, which the
// window thread takes in batches. While the window thread is busy (the reboot's
// pauses, a modal message, a repaint), replies wait in that queue instead of
// overflowing the socket's buffer in the kernel; and however fast they come, a request
// of the window thread (a send, the close) waits for one slice at most, never for the
// whole backlog.

#include "net/link.h"

#include <QElapsedTimer>
#include <QMutex>
#include <QThread>
#include <QTimer>
#include <atomic>

namespace talvik {

class UdpLink : public Link {
    Q_OBJECT
  public:
    static constexpr int MaxDatagram = 8192;
    // Datagrams waiting for the window thread, bounded in number and in bytes (their
    // payload and bookkeeping). Past either bound, new arrivals are dropped and counted
    // (overflowed()): memory stays bounded under any flood.
    static constexpr int QueueBound = 200000;
    static constexpr qint64 DefaultByteBudget = 64 << 20;
    // Taken off the socket in one go before the reader looks at the window's requests.
    static constexpr int SliceLimit = 256;
    // Taken by the window thread in one pass; timers and repaints run between passes.
    static constexpr int BatchLimit = 512;
    // A steady trickle is handed to the window thread at most this often, in batches,
    // so that each datagram does not cost a repaint; the first after a pause goes at once.
    static constexpr int CoalesceMs = 5;
    // While the reader is behind (the socket's buffer an eighth full when it comes to it;
    // where that is not known, 50,000 datagrams a second and more) the window thread takes
    // a batch at most every BehindMs while the queue is less than half full: on a shared
    // processor the reader then drains the socket's buffer before it overflows, and the
    // queue holds the rest. The reader reads in slices without a pass of its event loop
    // meanwhile, for BurstMs at most.
    static constexpr int BurstMs = 5;
    static constexpr int BehindMs = 100;
    // Datagrams taken off the socket by one system call, where the system has one.
    static constexpr int BatchRead = 64;
    // Asked of the system for the socket's receive buffer; it grants what it allows.
    static constexpr int ReceiveBufferWanted = 8 << 20;
    static constexpr int SendBufferWanted = 4 << 20;

    explicit UdpLink(quint16 listenPort, QObject* parent = nullptr);
    ~UdpLink() override;

    bool openListener() override;
    void closeListener() override;
    bool isListening() const override;
    using Link::sendFromListener;
    bool sendFromListener(const QHostAddress& host, quint16 port, const QByteArray& datagram) override;
    // In one hand-over to the reader thread: a command's three ports, the range reboot's burst.
    int sendFromListener(const QHostAddress& host, const QList<quint16>& ports,
                         const QByteArray& datagram) override;
    int sendManyFromListener(const QList<Outgoing>& datagrams, const QList<quint16>& ports) override;
    bool sendFromClient(const QHostAddress& host, quint16 port, const QByteArray& datagram) override;

    // The port actually bound (differs from the requested one when that was 0).
    quint16 boundPort() const;
    // Datagrams dropped because the queue was full, since this link was made.
    quint64 overflowed() const { return overflowed_; }
    // Those, and those the system dropped because the socket's buffer was full.
    quint64 dropped() const override { return overflowed_ + droppedByClosed_ + droppedBySocket_; }
    // Datagrams taken off the socket, since this link was made.
    quint64 taken() const { return taken_; }
    // A burst is on: the window thread yields to the reader (see BehindMs).
    bool readerBehind() const;
    // Datagrams waiting for the window thread now, and the bytes they hold.
    int queued() const;
    qint64 queuedBytes() const;
    // The queue's byte bound; set before the listener opens.
    void setByteBudget(qint64 bytes) { byteBudget_ = bytes; }
    // The receive buffer asked of the system (the benchmarks ask what an untuned PC grants).
    void setReceiveBufferWanted(int bytes) { receiveBufferWanted_ = bytes; }
    // A program without a window to keep current (talvikctl, the exporter) hands over a
    // trickle less often: each hand-over wakes both threads.
    void setCoalesceMs(int ms) { coalesceMs_ = ms; }

    // Whether datagrams may go to broadcast addresses (the window's sockets allow it, as
    // its design says). Set before the listener opens; it holds for every socket after.
    void setBroadcastAllowed(bool on) { broadcastAllowed_ = on; }
    // Every socket bound to this address of one adapter (0: every adapter, the window's), so
    // that frames leave from it. Set before the listener opens.
    void setAdapterAddress(quint32 address) { adapterAddress_ = address; }
    bool sendFromListenerVia(quint32 source, int adapterIndex, const QHostAddress& host, quint16 port,
                             const QByteArray& datagram) override;

    // Test safeguard: abort the process if anything is addressed outside 127.0.0.0/8,
    // unless this machine's network is loopback only (a test's own namespace).
    void setLoopbackOnly(bool on) { loopbackOnly_ = on; }

  private:
    class Reader;
    void enqueue(QList<Datagram>& slice);
    void takeBatch();
    void checkDestination(const QHostAddress& host) const;
    template <typename F> auto onReader(F&& work) const;

    quint16 listenPort_;
    bool loopbackOnly_ = false;
    bool broadcastAllowed_ = true;
    quint32 adapterAddress_ = 0;
    qint64 byteBudget_ = DefaultByteBudget;
    int receiveBufferWanted_ = ReceiveBufferWanted;
    int coalesceMs_ = CoalesceMs;
    QThread thread_;
    Reader* reader_ = nullptr; // lives on thread_
    mutable QMutex mutex_;
    QList<Datagram> queue_;
    qint64 queueBytes_ = 0;
    bool takeQueued_ = false;
    std::atomic<quint64> overflowed_{0};
    std::atomic<quint64> droppedBySocket_{0}; // by the system, of the socket open now
    std::atomic<quint64> droppedByClosed_{0}; // of the sockets before it
    std::atomic<quint64> taken_{0};
    std::atomic<bool> listening_{false}; // the reader's socket is open: read without a hop
    // Until when a burst counts as on, in ms of the monotonic clock: it ends by itself
    // when the reader stops coming back (a flag stayed set after the last datagram).
    std::atomic<qint64> behindUntilMs_{0};
    mutable std::atomic<int> requestsWaiting_{0}; // the window thread's, for the reader
    QElapsedTimer sinceBatch_;                    // window thread: when the last batch was handed over
    QTimer* coalesce_ = nullptr;                  // window thread: the next hand-over of a trickle
};

} // namespace talvik
