#include "udp_link.h"

#include "protocol/private_network.h"
#include "protocol/socket_broadcast.h"

#include <QMetaObject>
#include <QUdpSocket>
#include <QVariant>

namespace talvik {

// On the reader thread: owns the listening socket and drains it.
class UdpLink::Reader : public QObject {
  public:
    explicit Reader(UdpLink& link) : link_(link) {}

    bool open(quint16 port)
    {
        auto socket = std::make_unique<QUdpSocket>();
        // Linux lets two UDP sockets share a port unless asked not to; a second copy of
        // the program must not silently steal half of the replies.
        if (!socket->bind(QHostAddress::AnyIPv4, port, QAbstractSocket::DontShareAddress))
            return false;
        if (!link_.broadcastAllowed_ && !setSocketBroadcast(socket->socketDescriptor(), false))
            return false;
        socket->setSocketOption(QAbstractSocket::ReceiveBufferSizeSocketOption,
                                QVariant(ReceiveBufferWanted));
        connect(socket.get(), &QUdpSocket::readyRead, this, &Reader::drain);
        socket_ = std::move(socket);
        return true;
    }
    void close() { socket_.reset(); }
    bool isOpen() const { return socket_ && socket_->state() == QAbstractSocket::BoundState; }
    quint16 port() const { return socket_ ? socket_->localPort() : 0; }
    int bufferSize() const
    {
        return socket_ ? socket_->socketOption(QAbstractSocket::ReceiveBufferSizeSocketOption).toInt() : 0;
    }
    bool send(const QHostAddress& host, quint16 port, const QByteArray& datagram)
    {
        return isOpen() && socket_->writeDatagram(datagram, host, port) == datagram.size();
    }

  private:
    void drain()
    {
        QList<Datagram> arrived;
        QHostAddress from;
        quint16 fromPort = 0;
        quint32 lastSender = 0;
        QString lastSenderText;
        while (socket_ && socket_->hasPendingDatagrams()) {
            const qint64 size = socket_->pendingDatagramSize();
            if (size > MaxDatagram) {
                socket_->readDatagram(nullptr, 0); // larger than the receive buffer: dropped
                continue;
            }
            buffer_.resize(qMax<qint64>(size, 0));
            if (socket_->readDatagram(buffer_.data(), buffer_.size(), &from, &fromPort) < 0)
                continue;
            bool isV4 = false;
            const quint32 v4 = from.toIPv4Address(&isV4);
            if (!isV4)
                lastSenderText = from.toString();
            else if (v4 != lastSender || lastSenderText.isEmpty()) // a burst comes from few senders
                lastSenderText = QHostAddress(v4).toString();
            lastSender = isV4 ? v4 : 0;
            arrived.append(
                Datagram{QByteArray(buffer_.constData(), buffer_.size()), lastSenderText, fromPort});
            if (arrived.size() >= BatchLimit)
                link_.enqueue(arrived);
        }
        link_.enqueue(arrived);
    }

    UdpLink& link_;
    std::unique_ptr<QUdpSocket> socket_;
    QByteArray buffer_;
};

UdpLink::UdpLink(quint16 listenPort, QObject* parent) : Link(parent), listenPort_(listenPort)
{
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
    QMetaObject::invokeMethod(
        reader_, [&] { result = work(); }, Qt::BlockingQueuedConnection);
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
    QMutexLocker lock(&mutex_);
    queue_.clear(); // what arrived for a closed socket is not handed on
}

bool UdpLink::isListening() const
{
    return listening_;
}

quint16 UdpLink::boundPort() const
{
    return onReader([this] { return reader_->port(); });
}

int UdpLink::receiveBufferSize() const
{
    return onReader([this] { return reader_->bufferSize(); });
}

int UdpLink::queued() const
{
    QMutexLocker lock(&mutex_);
    return int(queue_.size());
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

bool UdpLink::sendFromClient(const QHostAddress& host, quint16 port, const QByteArray& datagram)
{
    checkDestination(host);
    QUdpSocket socket; // a fresh socket on a port the system picks, closed on return
    if (!broadcastAllowed_ &&
        !(socket.bind(QHostAddress::AnyIPv4, 0) && setSocketBroadcast(socket.socketDescriptor(), false)))
        return false;
    return socket.writeDatagram(datagram, host, port) == datagram.size();
}

// Reader thread: hands what arrived to the queue, and the window thread a call to take it.
void UdpLink::enqueue(QList<Datagram>& arrived)
{
    if (arrived.isEmpty())
        return;
    bool notify = false;
    {
        QMutexLocker lock(&mutex_);
        const qsizetype room = qMax<qsizetype>(0, QueueBound - queue_.size());
        if (arrived.size() > room) {
            overflowed_ += quint64(arrived.size() - room);
            arrived.resize(room);
        }
        queue_.append(std::move(arrived));
        notify = !takeQueued_;
        takeQueued_ = true;
    }
    arrived.clear();
    if (notify)
        QMetaObject::invokeMethod(this, &UdpLink::takeBatch, Qt::QueuedConnection);
}

// Window thread: one bounded batch per pass, so timers and repaints get their turn.
void UdpLink::takeBatch()
{
    QList<Datagram> batch;
    {
        QMutexLocker lock(&mutex_);
        if (queue_.size() <= BatchLimit) {
            batch.swap(queue_);
            takeQueued_ = false;
        }
        else {
            batch = queue_.mid(0, BatchLimit);
            queue_.remove(0, BatchLimit);
            QMetaObject::invokeMethod(this, &UdpLink::takeBatch, Qt::QueuedConnection);
        }
    }
    if (!batch.isEmpty())
        emit datagramsArrived(batch);
}

} // namespace talvik
