#pragma once
// A link that records what the window would send, and lets a test hand the window
// datagrams as if they had arrived. Nothing touches a network.

#include "net/link.h"
#include "wire/board_address.h"

#include <QList>

namespace talvik::test {

struct SentDatagram {
    enum class From { Listener, Client } from;
    QHostAddress host;
    quint16 port;
    QByteArray data;
};

class RecordingLink : public Link {
    Q_OBJECT
  public:
    bool openListener() override;
    void closeListener() override { listening = false; }
    bool isListening() const override { return listening; }
    using Link::sendFromListener;
    bool sendFromListener(const QHostAddress& host, quint16 port, const QByteArray& datagram) override;
    bool sendFromClient(const QHostAddress& host, quint16 port, const QByteArray& datagram) override;

    void deliver(const QByteArray& data, const QString& from = QStringLiteral("127.0.0.2"),
                 quint16 port = 8026)
    {
        emit datagramsArrived({Datagram{data, parseDottedDecimal(from).value_or(0), port}});
    }
    // Many datagrams handed over at once, as the real link hands over what came meanwhile.
    void deliverBatch(const QList<Datagram>& batch) { emit datagramsArrived(batch); }

    quint64 dropped() const override { return drops; }

    QList<SentDatagram> sent;
    quint64 drops = 0; // what the link says this PC dropped
    bool listening = false;
    bool refuseListener = false; // the port is taken
    int failSendNumber = -1;     // the n-th listener send (0-based) fails
    int opens = 0;

    QList<quint16> ports() const;
    QList<SentDatagram> fromListener() const;
    QList<SentDatagram> fromClient() const;

  private:
    int listenerSends_ = 0;
};

} // namespace talvik::test
