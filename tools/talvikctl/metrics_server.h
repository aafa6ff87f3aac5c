#pragma once
// The exporter's HTTP side, as Prometheus' own exporters serve: /metrics, a landing page,
// /-/healthy and /-/ready, on one or more addresses (or the sockets systemd passes), plain or,
// with a web configuration (web_config.h), over TLS with client certificates, behind basic
// authentication, with its security headers and rate limit. Each connection is closed after
// its answer. A request is read up to its blank line, at most 8 KiB and for at most 5 s
// (the TLS handshake included); past MostConnections the oldest unanswered one makes room.

#include "client_ca.h"
#include "web_config.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QHostAddress>
#include <QList>
#include <QObject>
#include <QSslConfiguration>
#include <QTcpServer>
#include <functional>
#include <memory>
#include <optional>

class QTcpSocket;

namespace talvik::ctl {

class BasicAuth;

class MetricsServer : public QObject {
    Q_OBJECT
  public:
    struct Pages {
        std::function<QByteArray()> metrics;
        std::function<bool()> ready; // /-/ready: once the first survey ended
        QString version;
    };
    explicit MetricsServer(Pages pages, QObject* parent = nullptr);
    ~MetricsServer() override;

    // Another address to serve at; false with why.
    bool listen(const QHostAddress& address, quint16 port, QString* why);
    // The listening sockets systemd passed (LISTEN_FDS); false with why when there are none.
    bool listenOnSystemdSockets(QString* why);
    quint16 port() const; // the first address's (tests ask for port 0)

    // The web configuration read from `path`, checked by a handshake with itself when it has
    // TLS; false with why. While served, it is read again when it or a file it names changed,
    // for the next connection; a file that became invalid is said on stderr once and the last
    // good configuration kept.
    bool useWebConfig(const QString& path, QString* why);

    static constexpr int MostRequestBytes = 8 * 1024;
    static constexpr int RequestTimeoutMs = 5000;
    static constexpr int MostConnections = 512;
    static constexpr int MostWaitingForTls = 4096; // connections before their first byte (cheap)

  private:
    class Listener;
    struct Connection;
    void accepted(qintptr descriptor);
    bool open(QTcpSocket* socket, qintptr descriptor);
    void awaitFirstByte(qintptr descriptor);
    void startTls(qintptr descriptor);
    void serve(QTcpSocket* socket);
    void requestRead(QTcpSocket* socket, const QByteArray& head);
    void closeAfterAnswer(QTcpSocket* socket);
    static constexpr int LingerMs = 2000;                    // after an answer, the client's to close
    static constexpr qint64 MostLingeringBytes = 256 * 1024; // thrown away meanwhile, then reset
    QByteArray answer(const QByteArray& requestLine) const;
    bool allowedByRate();
    void readAgainIfChanged();
    bool apply(WebConfig config, QString* why);
    void makeRoom();
    void refused(QTcpSocket* socket, const QString& why);
    void refusedFrom(const QString& peer, const QString& why);

    Pages pages_;
    QList<QTcpServer*> servers_;
    QString configPath_;
    std::optional<WebConfig> config_;
    QSslConfiguration tls_;
    ClientCa clientCa_; // the file's client CAs, loaded with it
    QString lastProblem_;
    QElapsedTimer lastLook_; // the configuration's files are looked at once a second at most
    std::unique_ptr<BasicAuth> auth_;
    double tokens_ = 0; // the rate limit's bucket
    QElapsedTimer tokensAt_;
    QList<QTcpSocket*> open_; // oldest first
    QList<QObject*> waiting_; // TLS connections before their first byte, oldest first
};

} // namespace talvik::ctl
