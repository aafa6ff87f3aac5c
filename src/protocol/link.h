#pragma once
// Every datagram the configurator sends or receives passes through a Link, so
// tests can record traffic instead of putting it on a network.

#include <QByteArray>
#include <QHostAddress>
#include <QObject>

namespace talvik {

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

    // A socket bound to no fixed port, opened for one datagram and closed again.
    virtual bool sendFromClient(const QHostAddress& host, quint16 port, const QByteArray& datagram) = 0;

  signals:
    // One per datagram that reached the listening socket.
    void datagramArrived(const QByteArray& datagram, const QString& senderAddress, quint16 senderPort);
};

} // namespace talvik
