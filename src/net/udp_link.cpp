#include "net/udp_link.h"

#include "net/private_network.h"
#include "net/socket_batch_read.h"
#include "net/socket_batch_send.h"
#include "net/socket_broadcast.h"
#include "net/socket_load.h"

#include <QMetaObject>
#include <QNetworkDatagram>
#include <QUdpSocket>
#include <QVariant>
#include <chrono>
#include <iterator>

namespace talvik {

namespace {
qint64 monotonicMs()
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}
} // namespace

// On the reader thread: owns the listening socket and takes what arrives off it.
class UdpLink::Reader : public QObject {
  public:
    explicit Reader(UdpLink& link) : link_(link), batch_(MaxDatagram, BatchRead)
    {
        buffer_.resize(MaxDatagram + 1);
    }

    bool open(quint16 port)
    {
        auto socket = std::make_unique<QUdpSocket>();
        // Linux lets two UDP sockets share a port unless asked not to; a second copy of
        // the program must not silently steal half of the replies.
        const QHostAddress on =
            link_.adapterAddress_ ? QHostAddress(link_.adapterAddress_) : QHostAddress(QHostAddress::AnyIPv4);
        if (!socket->bind(on, port, QAbstractSocket::DontShareAddress))
            return false;
        if (!link_.broadcastAllowed_ && !setSocketBroadcast(socket->socketDescriptor(), false))
            return false;
        socket->setSocketOption(QAbstractSocket::ReceiveBufferSizeSocketOption,
                                QVariant(link_.receiveBufferWanted_));
        // A sweep's frames to absent hosts of a LAN stay charged to the socket while the
        // system looks for those hosts (ARP, up to 3 s): room for more of them keeps the
        // sweep going (as much as the system allows; the rest waits, BoardClient).
        socket->setSocketOption(QAbstractSocket::SendBufferSizeSocketOption, QVariant(SendBufferWanted));
        connect(socket.get(), &QUdpSocket::readyRead, this, &Reader::drain);
        socket_ = std::move(socket);
        return true;
    }
    void close()
    {
        countDrops();
        link_.droppedByClosed_ += link_.droppedBySocket_.exchange(0);
        socket_.reset();
    }
    bool isOpen() const { return socket_ && socket_->state() == QAbstractSocket::BoundState; }
    quint16 port() const { return socket_ ? socket_->localPort() : 0; }
    bool send(const QHostAddress& host, quint16 port, const QByteArray& datagram)
    {
        return isOpen() && socket_->writeDatagram(datagram, host, port) == datagram.size();
    }
    bool sendVia(quint32 source, int index, const QHostAddress& host, quint16 port,
                 const QByteArray& datagram)
    {
        if (!isOpen())
            return false;
        QNetworkDatagram d(datagram, host, port);
        d.setSender(QHostAddress(source)); // IP_PKTINFO (Windows: WSASendMsg) where the system has it
        if (index > 0)
            d.setInterfaceIndex(uint(index));
        return socket_->writeDatagram(d) == datagram.size();
    }
    int sendMany(const QList<Outgoing>& datagrams, const QList<quint16>& ports)
    {
        if (!isOpen())
            return 0;
        if (const auto handed = sendBatch(socket_->socketDescriptor(), datagrams, ports))
            return *handed;
        for (int b = 0; b < datagrams.size(); ++b)
            for (quint16 port : ports)
                if (!send(datagrams[b].host, port, datagrams[b].datagram)) {
                    if (socket_->error() == QAbstractSocket::TemporaryError)
                        return b; // no room: it and the rest wait
                    break;
                }
        return int(datagrams.size());
    }

  private:
    // One slice: about SliceLimit datagrams, handed over under one lock. The reader
    // then returns to its event loop, which serves the window thread's requests (a
    // send, the close) before the socket's next signal brings the next slice. Reading
    // goes on until the socket has nothing more or the slice is full, many datagrams a
    // system call where the system allows; every pass ends with a read through the
    // socket itself, which is what lets Qt signal it again.
    void drain()
    {
        noteLoad();
        QElapsedTimer since;
        since.start();
        for (;;) {
            slice_.clear(); // keeps its storage
            readInBatches();
            // A burst goes on in slices without a pass of the event loop, for BurstMs at
            // most and never while the window thread waits for the reader.
            const bool more = slice_.size() >= SliceLimit && link_.readerBehind() &&
                              since.elapsed() < BurstMs && link_.requestsWaiting_ == 0;
            if (!more)
                readThroughSocket();
            if (!knowsLoad_)
                noteRate(slice_.size());
            link_.enqueue(slice_);
            if (!more)
                break;
        }
        countDrops();
    }

    void readInBatches()
    {
        if (!BatchReader::available())
            return;
        const qintptr fd = socket_->socketDescriptor();
        while (slice_.size() < SliceLimit && batch_.read(fd, slice_) > 0) {
        }
    }

    // Every pass ends with a read through the socket itself: that is what lets Qt signal it again.
    void readThroughSocket()
    {
        QHostAddress from;
        quint16 fromPort = 0;
        bool readOnce = false;
        while (socket_ && (!readOnce || slice_.size() < SliceLimit)) {
            readOnce = true;
            const qint64 size = socket_->readDatagram(buffer_.data(), buffer_.size(), &from, &fromPort);
            if (size < 0)
                break;              // nothing more for now
            if (size > MaxDatagram) // larger than the receive buffer: dropped
                continue;
            slice_.append(Datagram{QByteArray(buffer_.constData(), size), from.toIPv4Address(), fromPort});
        }
    }

    // Behind: the socket's buffer was an eighth full or more when the reader came to it
    // (or, where that is not known, a slice's worth came within BurstMs), and for
    // BurstMs after. Then its buffer, not the queue, is what overflows if the reader waits.
    void noteLoad()
    {
        const SocketLoad load = socketLoad(socket_->socketDescriptor());
        knowsLoad_ = load.size > 0;
        if (!knowsLoad_)
            return;
        if (load.queued * 8 >= load.size)
            link_.behindUntilMs_ = monotonicMs() + BurstMs;
    }

    void noteRate(qsizetype taken)
    {
        if (!sinceRate_.isValid() || sinceRate_.elapsed() >= BurstMs) {
            takenSince_ = 0;
            sinceRate_.start();
        }
        takenSince_ += taken;
        if (takenSince_ >= SliceLimit)
            link_.behindUntilMs_ = monotonicMs() + BurstMs;
    }

    // What the system dropped of this socket's datagrams so far, for dropped().
    void countDrops()
    {
        if (socket_)
            link_.droppedBySocket_ = socketLoad(socket_->socketDescriptor()).drops;
    }

    UdpLink& link_;
    std::unique_ptr<QUdpSocket> socket_;
    QByteArray buffer_; // one more byte than a datagram may have: a larger one shows
    BatchReader batch_;
    QList<Datagram> slice_;
    bool knowsLoad_ = false;
    QElapsedTimer sinceRate_;
    qsizetype takenSince_ = 0;
};

UdpLink::UdpLink(quint16 listenPort, QObject* parent) : Link(parent), listenPort_(listenPort)
{
    coalesce_ = new QTimer(this);
    coalesce_->setSingleShot(true);
    connect(coalesce_, &QTimer::timeout, this, &UdpLink::takeBatch);
    thread_.setObjectName(QStringLiteral("udp reader"));
    reader_ = new Reader(*this);
    reader_->moveToThread(&thread_);
    connect(&thread_, &QThread::finished, reader_, &QObject::deleteLater);
    thread_.start();
}

UdpLink::~UdpLink()
{
    closeListener();
    thread_.quit();
    thread_.wait();
}

// Runs `work` on the reader thread and returns its result: the socket is only ever
// touched there.
template <typename F> auto UdpLink::onReader(F&& work) const
{
    decltype(work()) result{};
    ++requestsWaiting_; // a burst's reading makes way for it
    QMetaObject::invokeMethod(
        reader_,
        [&] {
            --requestsWaiting_;
            result = work();
        },
        Qt::BlockingQueuedConnection);
    return result;
}

bool UdpLink::openListener()
{
    listening_ = onReader([this] { return reader_->isOpen() || reader_->open(listenPort_); });
    return listening_;
}

void UdpLink::closeListener()
{
    onReader([this] {
        reader_->close();
        return true;
    });
    listening_ = false;
    coalesce_->stop();
    QMutexLocker lock(&mutex_);
    queue_.clear(); // what arrived for a closed socket is not handed on
    queueBytes_ = 0;
    takeQueued_ = false;
}

bool UdpLink::readerBehind() const
{
    return monotonicMs() < behindUntilMs_;
}

bool UdpLink::isListening() const
{
    return listening_;
}

quint16 UdpLink::boundPort() const
{
    return onReader([this] { return reader_->port(); });
}

int UdpLink::queued() const
{
    QMutexLocker lock(&mutex_);
    return int(queue_.size());
}

qint64 UdpLink::queuedBytes() const
{
    QMutexLocker lock(&mutex_);
    return queueBytes_;
}

void UdpLink::checkDestination(const QHostAddress& host) const
{
    if (loopbackOnly_ && !addressStaysLocal(host.toIPv4Address()))
        qFatal("test traffic addressed outside loopback: %s", qPrintable(host.toString()));
}

bool UdpLink::sendFromListener(const QHostAddress& host, quint16 port, const QByteArray& datagram)
{
    checkDestination(host);
    return onReader([&] { return reader_->send(host, port, datagram); });
}

int UdpLink::sendFromListener(const QHostAddress& host, const QList<quint16>& ports,
                              const QByteArray& datagram)
{
    checkDestination(host);
    return onReader([&] {
        int sent = 0;
        while (sent < ports.size() && reader_->send(host, ports[sent], datagram))
            ++sent;
        return sent;
    });
}

int UdpLink::sendManyFromListener(const QList<Outgoing>& datagrams, const QList<quint16>& ports)
{
    for (const Outgoing& o : datagrams)
        checkDestination(o.host);
    return onReader([&] { return reader_->sendMany(datagrams, ports); });
}

bool UdpLink::sendFromListenerVia(quint32 source, int adapterIndex, const QHostAddress& host, quint16 port,
                                  const QByteArray& datagram)
{
    checkDestination(host);
    return onReader([&] { return reader_->sendVia(source, adapterIndex, host, port, datagram); });
}

bool UdpLink::sendFromClient(const QHostAddress& host, quint16 port, const QByteArray& datagram)
{
    checkDestination(host);
    QUdpSocket socket; // a fresh socket on a port the system picks, closed on return
    const bool bound = !broadcastAllowed_ || adapterAddress_;
    if (bound &&
        !socket.bind(adapterAddress_ ? QHostAddress(adapterAddress_) : QHostAddress(QHostAddress::AnyIPv4),
                     0))
        return false;
    if (!broadcastAllowed_ && !setSocketBroadcast(socket.socketDescriptor(), false))
        return false;
    return socket.writeDatagram(datagram, host, port) == datagram.size();
}

namespace {
// What a queued datagram costs beside its payload: its slot in the queue (twice, as the
// list grows by doubling), the byte array's header and the allocator's.
constexpr qint64 DatagramOverhead = 2 * qint64(sizeof(Datagram)) + 48;
qint64 cost(const Datagram& d)
{
    return d.data.size() + DatagramOverhead;
}
} // namespace

// Reader thread: hands a slice to the queue, and the window thread a call to take it.
void UdpLink::enqueue(QList<Datagram>& slice)
{
    if (slice.isEmpty())
        return;
    taken_ += quint64(slice.size());
    bool notify = false;
    {
        QMutexLocker lock(&mutex_);
        // Moved, not copied: the reader holds the lock as briefly as it can.
        for (Datagram& d : slice) {
            if (queue_.size() >= QueueBound || queueBytes_ + cost(d) > byteBudget_) {
                ++overflowed_;
                continue;
            }
            queueBytes_ += cost(d);
            queue_.append(std::move(d));
        }
        notify = !takeQueued_;
        takeQueued_ = true;
    }
    if (notify)
        QMetaObject::invokeMethod(this, &UdpLink::takeBatch, Qt::QueuedConnection);
}

// Window thread: one bounded batch per pass, so timers and repaints get their turn. A
// trickle that follows a batch closely waits for the rest of the coalescing time and goes as one.
void UdpLink::takeBatch()
{
    QList<Datagram> batch;
    {
        QMutexLocker lock(&mutex_);
        if (queue_.isEmpty()) {
            takeQueued_ = false;
            return;
        }
        const qint64 since = sinceBatch_.isValid() ? sinceBatch_.elapsed() : BehindMs;
        // During a burst the socket's buffer, not this queue, is what overflows: the
        // reader gets the processor first, as long as the queue has room for it.
        const bool roomLeft = queue_.size() < QueueBound / 2 && queueBytes_ < byteBudget_ / 2;
        const qint64 wait = readerBehind() && roomLeft   ? BehindMs
                            : queue_.size() < BatchLimit ? coalesceMs_
                                                         : 0;
        if (since < wait) {
            if (!coalesce_->isActive())
                coalesce_->start(int(wait - since));
            return; // takeQueued_ stays set: the timer takes it
        }
        const qsizetype n = qMin<qsizetype>(queue_.size(), BatchLimit);
        batch.reserve(n);
        std::move(queue_.begin(), queue_.begin() + n, std::back_inserter(batch));
        queue_.remove(0, n);
        for (const Datagram& d : batch)
            queueBytes_ -= cost(d);
        if (queue_.isEmpty()) {
            queue_.squeeze(); // a flood's backlog leaves no storage behind
            takeQueued_ = false;
        }
        else
            QMetaObject::invokeMethod(this, &UdpLink::takeBatch, Qt::QueuedConnection);
    }
    sinceBatch_.start();
    emit datagramsArrived(batch);
}

} // namespace talvik
