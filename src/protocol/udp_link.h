#pragma once

#include "link.h"

#include <QUdpSocket>
#include <memory>

namespace talvik {

class UdpLink : public Link {
    Q_OBJECT
  public:
    static constexpr int MaxDatagram = 8192;
    static constexpr int DrainBatch = 64;

    explicit UdpLink(quint16 listenPort, QObject* parent = nullptr);
    ~UdpLink() override;

    bool openListener() override;
    void closeListener() override;
    bool isListening() const override;
    bool sendFromListener(const QHostAddress& host, quint16 port, const QByteArray& datagram) override;
    bool sendFromClient(const QHostAddress& host, quint16 port, const QByteArray& datagram) override;

    // The port actually bound (differs from the requested one when that was 0).
    quint16 boundPort() const;

    // Test safeguard: abort the process if anything is addressed outside 127.0.0.0/8.
    void setLoopbackOnly(bool on) { loopbackOnly_ = on; }

  private:
    void drain();
    void checkDestination(const QHostAddress& host) const;

    quint16 listenPort_;
    bool loopbackOnly_ = false;
    std::unique_ptr<QUdpSocket> listener_;
};

} // namespace talvik
