// A hostile client of the exporter's web side, in a process of its own, until it is ended:
//   web_attack plain PORT            plain HTTP to the TLS port, 20 at a time
//   web_attack stuck PORT            300 connections that never start their handshake
//   web_attack passwords PORT DIR    wrong passwords over TLS (DIR/ca.crt), 50 at a time
//   web_attack header PORT DIR       1 MB Authorization headers over TLS, 10 at a time
//   web_attack stranger PORT DIR     handshakes with another CA's client certificate (DIR/stranger.*)
// It prints "started" once its first wave is out, and how many it sent when ended.

#include "client_tls.h"

#include <QCoreApplication>
#include <QSslSocket>
#include <QTimer>
#include <csignal>
#include <cstdio>
#include <memory>
#include <vector>

namespace {
QString mode, dir;
quint16 port = 0;
long sent = 0;

// One connection of the attack; when it ends, another takes its place.
void attack(QObject* owner)
{
    ++sent;
    if (mode == QLatin1String("stuck") || mode == QLatin1String("plain")) {
        auto* s = new QTcpSocket(owner);
        QObject::connect(s, &QTcpSocket::disconnected, s, [owner, s] {
            s->deleteLater();
            attack(owner);
        });
        if (mode == QLatin1String("plain"))
            QObject::connect(s, &QTcpSocket::connected, s,
                             [s] { s->write("GET /metrics HTTP/1.1\r\n\r\n"); });
        s->connectToHost(QHostAddress::LocalHost, port);
        return;
    }
    auto* s = new QSslSocket(owner);
    s->setSslConfiguration(
        bench::clientTls(dir, mode == QLatin1String("stranger") ? QStringLiteral("stranger") : QString()));
    QObject::connect(s, &QSslSocket::encrypted, s, [s] {
        const QByteArray auth = mode == QLatin1String("header") ? QByteArray(1 << 20, 'a')
                                                                : QByteArray("prometheus:wrong").toBase64();
        s->write("GET /metrics HTTP/1.1\r\nAuthorization: Basic " + auth + "\r\n\r\n");
    });
    QObject::connect(s, &QSslSocket::disconnected, s, [owner, s] {
        s->deleteLater();
        attack(owner);
    });
    QObject::connect(s, &QAbstractSocket::errorOccurred, s, [owner, s](QAbstractSocket::SocketError e) {
        if (e != QAbstractSocket::RemoteHostClosedError && s->state() == QAbstractSocket::UnconnectedState) {
            s->deleteLater();
            attack(owner);
        }
    });
    s->connectToHostEncrypted("127.0.0.1", port);
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    mode = args.value(1);
    port = quint16(args.value(2).toUInt());
    dir = args.value(3);
    const int at = mode == QLatin1String("stuck")       ? 300
                   : mode == QLatin1String("passwords") ? 50
                   : mode == QLatin1String("header")    ? 10
                                                        : 20;
    QObject owner;
    for (int i = 0; i < at; ++i)
        attack(&owner);
    std::printf("started\n");
    std::fflush(stdout);
    std::signal(SIGTERM, [](int) {
        std::printf("sent %ld\n", sent);
        std::fflush(stdout);
        std::_Exit(0);
    });
    return app.exec();
}
