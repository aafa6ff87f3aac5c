#pragma once
// The real sockets. The listening socket receives on a thread of its own: a reader
// drains it as fast as datagrams arrive into a bounded queue, which the window thread
// takes in batches. While the window thread is busy (the reboot's pauses, a modal
// message, a repaint), replies wait in that queue instead of overflowing the socket's
// buffer in the kernel.

#include "link.h"

#include <QMutex>
#include <QThread>
#include <atomic>

namespace talvik {

class UdpLink : public Link {
    Q_OBJECT
  public:
    static constexpr int MaxDatagram = 8192;
    // Datagrams waiting for the window thread. Past the bound, new arrivals are dropped
    // and counted (overflowed()): memory stays bounded under any flood.
    static constexpr int QueueBound = 200000;
    // Taken by the window thread in one pass; timers and repaints run between passes.
    static constexpr int BatchLimit = 512;
    // Asked of the system for the socket's receive buffer; it grants what it allows.
    static constexpr int ReceiveBufferWanted = 8 << 20;

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
    bool sendFromClient(const QHostAddress& host, quint16 port, const QByteArray& datagram) override;

    // The port actually bound (differs from the requested one when that was 0).
    quint16 boundPort() const;
    // The receive buffer the system granted, in bytes (0 while not listening).
    int receiveBufferSize() const;
    // Datagrams dropped because the queue was full, since this link was made.
    quint64 overflowed() const { return overflowed_; }
    // Datagrams waiting for the window thread now.
    int queued() const;

    // Whether datagrams may go to broadcast addresses (the window's sockets allow it, as
    // its design says). Set before the listener opens; it holds for every socket after.
    void setBroadcastAllowed(bool on) { broadcastAllowed_ = on; }

    // Test safeguard: abort the process if anything is addressed outside 127.0.0.0/8,
    // unless this machine's network is loopback only (a test's own namespace).
    void setLoopbackOnly(bool on) { loopbackOnly_ = on; }

  private:
    class Reader;
    void enqueue(QList<Datagram>& arrived);
    void takeBatch();
    void checkDestination(const QHostAddress& host) const;
    template <typename F> auto onReader(F&& work) const;

    quint16 listenPort_;
    bool loopbackOnly_ = false;
    bool broadcastAllowed_ = true;
    QThread thread_;
    Reader* reader_ = nullptr; // lives on thread_
    mutable QMutex mutex_;
    QList<Datagram> queue_;
    bool takeQueued_ = false;
    std::atomic<quint64> overflowed_{0};
    std::atomic<bool> listening_{false}; // the reader's socket is open: read without a hop
};

} // namespace talvik
