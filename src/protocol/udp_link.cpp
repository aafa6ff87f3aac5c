#include "udp_link.h"

#include <QNetworkDatagram>
#include <QVariant>

namespace talvik {

UdpLink::UdpLink(quint16 listenPort, QObject* parent) : Link(parent), listenPort_(listenPort) {}

UdpLink::~UdpLink() = default;

bool UdpLink::openListener()
{
    if (isListening())
        return true;
    auto socket = std::make_unique<QUdpSocket>();
    // Linux lets two UDP sockets share a port unless asked not to; a second copy of
    // the program must not silently steal half of the replies.
    if (!socket->bind(QHostAddress::AnyIPv4, listenPort_, QAbstractSocket::DontShareAddress))
        return false;
    // Room for a burst of replies while the window thread is busy (the kernel caps it).
    socket->setSocketOption(QAbstractSocket::ReceiveBufferSizeSocketOption, QVariant(1 << 20));
    connect(socket.get(), &QUdpSocket::readyRead, this, &UdpLink::drain);
    listener_ = std::move(socket);
    return true;
}

void UdpLink::closeListener()
{
    listener_.reset();
}

bool UdpLink::isListening() const
{
    return listener_ && listener_->state() == QAbstractSocket::BoundState;
}

quint16 UdpLink::boundPort() const
{
    return listener_ ? listener_->localPort() : 0;
}

void UdpLink::checkDestination(const QHostAddress& host) const
{
    if (loopbackOnly_ && !host.isLoopback())
        qFatal("test traffic addressed outside loopback: %s", qPrintable(host.toString()));
}

bool UdpLink::sendFromListener(const QHostAddress& host, quint16 port, const QByteArray& datagram)
{
    checkDestination(host);
    if (!isListening())
        return false;
    return listener_->writeDatagram(datagram, host, port) == datagram.size();
}

bool UdpLink::sendFromClient(const QHostAddress& host, quint16 port, const QByteArray& datagram)
{
    checkDestination(host);
    QUdpSocket socket; // a fresh socket on a port the system picks, closed on return
    return socket.writeDatagram(datagram, host, port) == datagram.size();
}

void UdpLink::drain()
{
    // A bounded batch per pass: under a flood, timers and repaints still get their turn.
    // The socket notifier fires again for whatever is left.
    // The handler of one datagram may close the listener (e.g. the window closing).
    for (int batch = 0; batch < DrainBatch && listener_ && listener_->hasPendingDatagrams(); ++batch) {
        QUdpSocket* socket = listener_.get();
        if (socket->pendingDatagramSize() > MaxDatagram) {
            socket->receiveDatagram(0); // larger than the receive buffer: dropped
            continue;
        }
        const QNetworkDatagram d = socket->receiveDatagram(MaxDatagram);
        if (!d.isValid())
            continue;
        bool isV4 = false;
        const quint32 v4 = d.senderAddress().toIPv4Address(&isV4);
        const QString sender = isV4 ? QHostAddress(v4).toString() : d.senderAddress().toString();
        emit datagramArrived(d.data(), sender, quint16(d.senderPort()));
    }
}

} // namespace talvik
