#pragma once
// Every datagram the configurator sends or receives passes through a Link, so
// tests can record traffic instead of putting it on a network.

#include <QByteArray>
#include <QHostAddress>
#include <QList>
#include <QObject>

namespace talvik {

// One datagram that reached the listening socket.
struct Datagram {
    QByteArray data;
    quint32 sender = 0; // the sender's IPv4 address (the listening socket takes IPv4 alone)
    quint16 port = 0;
};

class Link : public QObject {
    Q_OBJECT
  public:
    using QObject::QObject;

    // The listening socket: bound exclusively to the listening port on all IPv4
    // interfaces, broadcast allowed. Command frames leave from it.
    virtual bool openListener() = 0;
    virtual void closeListener() = 0;
    virtual bool isListening() const = 0;
    virtual bool sendFromListener(const QHostAddress& host, quint16 port, const QByteArray& datagram) = 0;
    // The datagram to each port in turn (a port may repeat); stops at the first failure.
    // Returns how many went.
    virtual int sendFromListener(const QHostAddress& host, const QList<quint16>& ports,
                                 const QByteArray& datagram)
    {
        int sent = 0;
        while (sent < ports.size() && sendFromListener(host, ports[sent], datagram))
            ++sent;
        return sent;
    }

    // Many at once, each to its ports as above: one hand-over where the socket lives on
    // another thread. Returns how many of them, from the first, were handed to the system
    // (or failed for good); the rest found its send buffers full (a sweep of a LAN whose
    // absent hosts hold datagrams while the PC looks for them) and were not sent.
    struct Outgoing {
        QHostAddress host;
        QByteArray datagram;
    };
    virtual int sendManyFromListener(const QList<Outgoing>& datagrams, const QList<quint16>& ports)
    {
        for (const Outgoing& o : datagrams)
            sendFromListener(o.host, ports, o.datagram);
        return int(datagrams.size());
    }

    // From the listening socket as if from one adapter: its address `source` and, where the
    // system lets the sender choose, its interface `adapterIndex` (a broadcast to
    // 255.255.255.255 leaves through that adapter). Where neither can be chosen, as any send.
    virtual bool sendFromListenerVia(quint32 source, int adapterIndex, const QHostAddress& host, quint16 port,
                                     const QByteArray& datagram)
    {
        Q_UNUSED(source);
        Q_UNUSED(adapterIndex);
        return sendFromListener(host, port, datagram);
    }

    // A socket bound to no fixed port, opened for one datagram and closed again.
    virtual bool sendFromClient(const QHostAddress& host, quint16 port, const QByteArray& datagram) = 0;

    // Datagrams for the listening port that this PC dropped since the link was made,
    // because it could not take them in time: whatever the count, some answers may be
    // among them. 0 where nothing is counted.
    virtual quint64 dropped() const { return 0; }

  signals:
    // Datagrams that reached the listening socket, in the order they arrived, handed
    // over together so that their effect is shown once.
    void datagramsArrived(const QList<talvik::Datagram>& datagrams);
};

} // namespace talvik
