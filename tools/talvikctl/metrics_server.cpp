#include "metrics_server.h"

#include "board/untrusted_text.h"
#include "client_ca.h"
#include "output.h"
#include "web_auth.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QFileInfo>
#include <QPointer>
#include <QSocketNotifier>
#include <QSslCipher>
#include <QSslSocket>
#include <QTimer>
#include <memory>

#ifdef Q_OS_UNIX
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>
#else
#include <winsock2.h>
#endif

namespace talvik::ctl {

namespace {
QByteArray response(const QByteArray& status, const QByteArray& type, const QByteArray& body, bool withBody,
                    const QList<QPair<QByteArray, QByteArray>>& headers, const QByteArray& more = {})
{
    QByteArray out = "HTTP/1.1 " + status + "\r\nContent-Type: " + type +
                     "\r\nContent-Length: " + QByteArray::number(body.size()) + "\r\nConnection: close\r\n" +
                     more;
    for (const auto& [name, value] : headers)
        out += name + ": " + value + "\r\n";
    return out + "\r\n" + (withBody ? body : QByteArray());
}

const QByteArray TextType = "text/plain; charset=utf-8";

// A request's header, by its name in any case.
QByteArray headerValue(const QByteArray& head, const QByteArray& name)
{
    for (const QByteArray& line : head.split('\n')) {
        const qsizetype colon = line.indexOf(':');
        if (colon > 0 && line.left(colon).trimmed().compare(name, Qt::CaseInsensitive) == 0)
            return line.mid(colon + 1).trimmed();
    }
    return {};
}

QString peerOf(const QTcpSocket* socket)
{
    return socket->peerAddress().toString() + u':' + QString::number(socket->peerPort());
}

#ifdef Q_OS_UNIX
QString peerOfDescriptor(int fd)
{
    sockaddr_storage address{};
    socklen_t size = sizeof address;
    if (::getpeername(fd, reinterpret_cast<sockaddr*>(&address), &size) != 0)
        return QStringLiteral("?");
    QHostAddress host(reinterpret_cast<sockaddr*>(&address));
    const quint16 port =
        ntohs(address.ss_family == AF_INET6 ? reinterpret_cast<sockaddr_in6*>(&address)->sin6_port
                                            : reinterpret_cast<sockaddr_in*>(&address)->sin_port);
    return host.toString() + u':' + QString::number(port);
}
#endif

QSslConfiguration serverConfiguration(const WebConfig::Tls& tls)
{
    QSslConfiguration c = QSslConfiguration::defaultConfiguration();
    c.setLocalCertificateChain(tls.chain);
    c.setPrivateKey(tls.key);
    c.setProtocol(tls.protocol);
    if (!tls.ciphers.isEmpty()) {
        c.setCiphers(tls.ciphers);
    }
    else { // as Go's servers: TLS 1.3's suites, and for TLS 1.2 ECDHE with an AEAD cipher only
        QList<QSslCipher> suites;
        for (const QSslCipher& cipher : QSslConfiguration::supportedCiphers()) {
            const QString name = cipher.name();
            const bool aead = name.contains(QLatin1String("GCM")) || name.contains(QLatin1String("CHACHA20"));
            if (name.startsWith(QLatin1String("TLS_")) || (name.startsWith(QLatin1String("ECDHE-")) && aead))
                suites.append(cipher);
        }
        c.setCiphers(suites);
    }
    if (!tls.curves.isEmpty())
        c.setEllipticCurves(tls.curves);
    c.setSslOption(QSsl::SslOptionDisableServerCipherPreference, !tls.preferServerCiphers);
    c.setCaCertificates(tls.clientCa);
    switch (tls.clientAuth) {
    case WebConfig::Tls::NoClientCert:
        c.setPeerVerifyMode(QSslSocket::VerifyNone);
        break;
    case WebConfig::Tls::RequireAndVerifyClientCert:
        c.setPeerVerifyMode(QSslSocket::VerifyPeer);
        break;
    default: // asked for, and checked once encrypted
        c.setPeerVerifyMode(QSslSocket::QueryPeer);
        break;
    }
    return c;
}

// Whether the client's certificate is what the configuration asks for; empty when it is.
QString clientCertificateProblem(const WebConfig::Tls& tls, const ClientCa& ca, const QSslSocket& socket)
{
    const QSslCertificate peer = socket.peerCertificate();
    const bool required = tls.clientAuth == WebConfig::Tls::RequireAnyClientCert ||
                          tls.clientAuth == WebConfig::Tls::RequireAndVerifyClientCert;
    if (peer.isNull())
        return required ? QStringLiteral("no client certificate") : QString();
    if (tls.clientAuth == WebConfig::Tls::VerifyClientCertIfGiven &&
        !ca.issued(socket.peerCertificateChain()))
        return QStringLiteral("a client certificate the client CA did not issue");
    if (tls.allowedSans.isEmpty())
        return {};
    const auto names = peer.subjectAlternativeNames();
    for (auto it = names.cbegin(); it != names.cend(); ++it)
        if (tls.allowedSans.contains(it.value()))
            return {};
    for (const QString& uri : ClientCa::urisOf(peer))
        if (tls.allowedSans.contains(uri))
            return {};
    return QStringLiteral("a client certificate with no name of client_allowed_sans");
}

// A TCP server that hands each connection's descriptor on.
class Handing : public QTcpServer {
  public:
    std::function<void(qintptr)> onConnection;

  protected:
    void incomingConnection(qintptr descriptor) override { onConnection(descriptor); }
};

// A handshake of the server's configuration with itself, on loopback: a key that is not the
// certificate's, or settings the TLS library will not take, are found before anything is served.
QString selfTest(const WebConfig::Tls& tls)
{
    Handing server;
    if (!server.listen(QHostAddress::LocalHost, 0))
        return {}; // no loopback to try it on: the first connection will tell
    QSslConfiguration c = serverConfiguration(tls);
    c.setPeerVerifyMode(QSslSocket::VerifyNone);
    QSslSocket client, side;
    client.setPeerVerifyMode(QSslSocket::VerifyNone);
    QString why;
    QEventLoop loop;
    QTimer::singleShot(3000, &loop, [&] {
        why = QStringLiteral("no TLS handshake with itself in 3 s");
        loop.quit();
    });
    server.onConnection = [&](qintptr descriptor) {
        side.setSocketDescriptor(descriptor);
        side.setSslConfiguration(c);
        QObject::connect(&side, &QSslSocket::encrypted, &loop, &QEventLoop::quit);
        QObject::connect(&side, &QSslSocket::errorOccurred, &loop, [&] {
            why = side.errorString();
            loop.quit();
        });
        side.startServerEncryption();
    };
    client.connectToHostEncrypted(QStringLiteral("127.0.0.1"), server.serverPort());
    loop.exec();
    return why;
}
} // namespace

class MetricsServer::Listener : public QTcpServer {
  public:
    explicit Listener(MetricsServer* owner) : QTcpServer(owner), owner_(owner) {}

  protected:
    void incomingConnection(qintptr descriptor) override { owner_->accepted(descriptor); }

  private:
    MetricsServer* owner_;
};

MetricsServer::MetricsServer(Pages pages, QObject* parent)
    : QObject(parent), pages_(std::move(pages)), auth_(std::make_unique<BasicAuth>())
{
    tokensAt_.start();
}

MetricsServer::~MetricsServer() = default;

bool MetricsServer::listen(const QHostAddress& address, quint16 port, QString* why)
{
    auto* server = new Listener(this);
    if (!server->listen(address, port)) {
        *why = server->errorString();
        delete server;
        return false;
    }
    servers_.append(server);
    return true;
}

bool MetricsServer::listenOnSystemdSockets(QString* why)
{
#ifdef Q_OS_LINUX
    // sd_listen_fds(3): the sockets start at descriptor 3, for this process.
    const int count = qEnvironmentVariableIntValue("LISTEN_FDS");
    if (qEnvironmentVariableIntValue("LISTEN_PID") == QCoreApplication::applicationPid() && count > 0) {
        for (int fd = 3; fd < 3 + count; ++fd) {
            auto* server = new Listener(this);
            if (!server->setSocketDescriptor(fd)) {
                *why = server->errorString();
                delete server;
                return false;
            }
            servers_.append(server);
        }
        return true;
    }
#endif
    *why = QStringLiteral("systemd passed no socket (LISTEN_FDS): start it from a socket unit");
    return false;
}

quint16 MetricsServer::port() const
{
    return servers_.isEmpty() ? 0 : servers_.first()->serverPort();
}

bool MetricsServer::useWebConfig(const QString& path, QString* why)
{
    configPath_ = path;
    try {
        return apply(readWebConfig(path), why);
    }
    catch (const WebConfigError& e) {
        *why = e.message;
        return false;
    }
}

bool MetricsServer::apply(WebConfig config, QString* why)
{
    if (config.tls) {
        if (!QSslSocket::supportsSsl()) {
            *why = QStringLiteral("%1: this PC's Qt has no TLS library (%2)")
                       .arg(configPath_, QSslSocket::activeBackend());
            return false;
        }
        if (const QString problem = selfTest(*config.tls); !problem.isEmpty()) {
            *why =
                QStringLiteral("%1: tls_server_config: the certificate and key do not make a TLS server: %2")
                    .arg(configPath_, problem);
            return false;
        }
        tls_ = serverConfiguration(*config.tls);
        clientCa_ = ClientCa(config.tls->clientCa);
    }
    auth_->setUsers(config.users);
    if (config.rateLimit)
        tokens_ = qMax(1, config.rateLimit->burst);
    config_ = std::move(config);
    lastLook_.start();
    return true;
}

void MetricsServer::readAgainIfChanged()
{
    if (!config_ || (lastLook_.isValid() && lastLook_.elapsed() < 1000))
        return;
    lastLook_.start();
    if (!config_->changedOnDisk())
        return;
    QString why;
    try {
        if (apply(readWebConfig(configPath_), &why)) {
            err() << "talvikctl exporter: " << configPath_ << " read again" << Qt::endl;
            lastProblem_.clear();
            return;
        }
    }
    catch (const WebConfigError& e) {
        why = e.message;
    }
    // The files as they are now: the same problem is not said again for each connection.
    for (WebConfig::Read& r : config_->files)
        r = {r.path, QFileInfo(r.path).size(), QFileInfo(r.path).lastModified()};
    if (why != lastProblem_)
        err() << "talvikctl exporter: " << quoted(why, 1000) << "; the last good web configuration is kept"
              << Qt::endl;
    lastProblem_ = why;
}

void MetricsServer::makeRoom()
{
    while (open_.size() >= MostConnections) // the oldest unanswered connection goes
        open_.takeFirst()->abort();
}

void MetricsServer::refused(QTcpSocket* socket, const QString& why)
{
    refusedFrom(peerOf(socket), why);
}

void MetricsServer::refusedFrom(const QString& peer, const QString& why)
{
    // Said, but not for each of a flood: at most a line a second, with how many more.
    static QElapsedTimer said;
    static int unsaid = 0;
    if (said.isValid() && said.elapsed() < 1000) {
        ++unsaid;
        return;
    }
    err() << "talvikctl exporter: " << peer << ": refused: " << why;
    if (unsaid > 0)
        err() << " (and " << unsaid << " more refused before it)";
    err() << Qt::endl;
    unsaid = 0;
    said.start();
}

void MetricsServer::accepted(qintptr descriptor)
{
    readAgainIfChanged();
    if (config_ && config_->tls)
        return awaitFirstByte(descriptor);
    auto* socket = new QTcpSocket(this);
    if (open(socket, descriptor))
        serve(socket);
}

bool MetricsServer::open(QTcpSocket* socket, qintptr descriptor)
{
    makeRoom();
    if (!socket->setSocketDescriptor(descriptor)) {
        delete socket;
        return false;
    }
    open_.append(socket);
    connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    connect(socket, &QObject::destroyed, this, [this, socket] { open_.removeOne(socket); });
    auto* timeout = new QTimer(socket);
    timeout->setSingleShot(true);
    connect(timeout, &QTimer::timeout, socket, [this, socket] {
        refused(socket, QStringLiteral("no whole request in %1 s").arg(RequestTimeoutMs / 1000));
        socket->abort();
    });
    timeout->start(RequestTimeoutMs);
    return true;
}

// Until a TLS client's first byte comes, nothing of TLS is set up for it: a client that sends
// nothing holds a descriptor and a timer, and one that speaks plain HTTP is told so, as Go's
// servers tell it.
void MetricsServer::awaitFirstByte(qintptr descriptor)
{
#ifdef Q_OS_UNIX
    const int fd = int(descriptor);
    while (waiting_.size() >= MostWaitingForTls) // the oldest silent one makes room
        delete waiting_.takeFirst();
    auto* holder = new QObject(this);
    holder->setProperty("fd", fd);
    waiting_.append(holder);
    connect(holder, &QObject::destroyed, this, [this, holder] { waiting_.removeOne(holder); });
    auto* notifier = new QSocketNotifier(descriptor, QSocketNotifier::Read, holder);
    auto* timeout = new QTimer(holder);
    timeout->setSingleShot(true);
    const auto drop = [holder, fd] {
        ::close(fd);
        holder->setProperty("fd", -1);
        holder->deleteLater();
    };
    connect(holder, &QObject::destroyed, holder, [holder] {
        if (const int left = holder->property("fd").toInt(); left >= 0)
            ::close(left); // made room for: closed unread
    });
    connect(timeout, &QTimer::timeout, holder, drop);
    timeout->start(RequestTimeoutMs);
    connect(notifier, &QSocketNotifier::activated, holder, [this, holder, notifier, fd, drop] {
        notifier->setEnabled(false);
        char first = 0;
        const ssize_t n = ::recv(fd, &first, 1, MSG_PEEK);
        if (n == 1 && first == 0x16) { // a TLS handshake's record
            holder->setProperty("fd", -1);
            holder->deleteLater();
            return startTls(fd);
        }
        if (n == 1) {
            static const char plain[] =
                "HTTP/1.1 400 Bad Request\r\nContent-Type: text/plain; charset=utf-8\r\n"
                "Connection: close\r\n\r\nClient sent an HTTP request to an HTTPS server.\n";
            [[maybe_unused]] const ssize_t sent =
                ::send(fd, plain, sizeof plain - 1, MSG_DONTWAIT | MSG_NOSIGNAL);
            refusedFrom(peerOfDescriptor(fd), QStringLiteral("plain HTTP to the TLS port"));
        }
        drop();
    });
#else
    startTls(descriptor);
#endif
}

void MetricsServer::startTls(qintptr descriptor)
{
    auto* secure = new QSslSocket(this);
    if (!open(secure, descriptor))
        return;
    secure->setSslConfiguration(tls_);
    const WebConfig::Tls policy = *config_->tls;
    connect(secure, &QSslSocket::encrypted, this, [this, secure, policy, ca = clientCa_] {
        if (const QString problem = clientCertificateProblem(policy, ca, *secure); !problem.isEmpty()) {
            refused(secure, problem);
            return secure->abort();
        }
        serve(secure);
    });
    connect(secure, &QSslSocket::sslErrors, this, [this, secure](const QList<QSslError>& errors) {
        refused(secure, QStringLiteral("TLS: ") +
                            (errors.isEmpty() ? QStringLiteral("?") : errors.first().errorString()));
    });
    connect(secure, &QAbstractSocket::errorOccurred, this, [this, secure](QAbstractSocket::SocketError e) {
        if (e != QAbstractSocket::RemoteHostClosedError && !secure->isEncrypted())
            refused(secure, QStringLiteral("TLS handshake: ") + secure->errorString());
    });
    secure->startServerEncryption();
}

void MetricsServer::serve(QTcpSocket* socket)
{
    // Nothing beyond a request's head is ever read before it is answered: what a client sends
    // after it waits in the system's buffers, and a client that keeps sending is stalled there.
    socket->setReadBufferSize(MostRequestBytes + 1);
    auto head = std::make_shared<QByteArray>();
    auto done = std::make_shared<bool>(false);
    const auto take = [this, socket, head, done] {
        if (*done)
            return;
        *head += socket->read(MostRequestBytes + 1 - head->size());
        const bool whole = head->contains("\r\n\r\n") || head->contains("\n\n");
        if (!whole && head->size() <= MostRequestBytes)
            return;
        *done = true;
        QObject::disconnect(socket, &QTcpSocket::readyRead, socket, nullptr);
        if (!whole) {
            refused(socket, QStringLiteral("a request larger than %1 bytes").arg(MostRequestBytes));
            socket->write(response("431 Request Header Fields Too Large", TextType, "request too large\n",
                                   true,
                                   config_ ? config_->headers : QList<QPair<QByteArray, QByteArray>>{}));
            return closeAfterAnswer(socket);
        }
        requestRead(socket, *head);
    };
    connect(socket, &QTcpSocket::readyRead, socket, take);
    if (socket->bytesAvailable() > 0)
        take();
}

// The answer is sent, then this side says it is done (FIN) while what the client still sends
// is read and thrown away, for a while and up to a bound: closed with unread data, a socket
// would send a reset that may take the answer with it before the client reads it.
void MetricsServer::closeAfterAnswer(QTcpSocket* socket)
{
    auto* secure = qobject_cast<QSslSocket*>(socket);
    const auto flushed = [socket] { return socket->bytesToWrite() == 0; };
    auto thrownAway = std::make_shared<qint64>(0);
    QObject::disconnect(socket, &QTcpSocket::readyRead, socket, nullptr);
    connect(socket, &QTcpSocket::readyRead, socket, [socket, thrownAway] {
        *thrownAway += socket->skip(socket->bytesAvailable());
        if (*thrownAway > MostLingeringBytes)
            socket->abort();
    });
    QTimer::singleShot(LingerMs, socket, [socket] { socket->abort(); });
    if (secure) // TLS ends with its own close_notify once all is sent
        return secure->disconnectFromHost();
    auto halfClose = std::make_shared<bool>(false);
    const auto maybeHalfClose = [socket, flushed, halfClose] {
        if (*halfClose || !flushed())
            return;
        *halfClose = true;
#ifdef Q_OS_UNIX
        ::shutdown(int(socket->socketDescriptor()), SHUT_WR);
#else
        ::shutdown(SOCKET(socket->socketDescriptor()), SD_SEND);
#endif
    };
    connect(socket, &QTcpSocket::bytesWritten, socket, maybeHalfClose);
    maybeHalfClose();
}

bool MetricsServer::allowedByRate()
{
    if (!config_ || !config_->rateLimit)
        return true;
    const WebConfig::RateLimit& r = *config_->rateLimit;
    tokens_ = qMin<double>(qMax(1, r.burst), tokens_ + double(tokensAt_.restart()) / double(r.intervalMs));
    if (tokens_ < 1)
        return false;
    tokens_ -= 1;
    return true;
}

void MetricsServer::requestRead(QTcpSocket* socket, const QByteArray& head)
{
    const QList<QPair<QByteArray, QByteArray>> headers =
        config_ ? config_->headers : QList<QPair<QByteArray, QByteArray>>{};
    // Only GET and HEAD are served, and neither has a body: anything else is answered before
    // any password is looked at, and the connection closed without reading on.
    const QList<QByteArray> parts = head.left(head.indexOf('\n')).trimmed().split(' ');
    if (parts.size() != 3 || !parts[2].startsWith("HTTP/")) {
        refused(socket, QStringLiteral("not an HTTP request"));
        socket->write(response("400 Bad Request", TextType, "bad request\n", true, headers));
        return closeAfterAnswer(socket);
    }
    const QByteArray length = headerValue(head, "Content-Length");
    if ((parts[0] != "GET" && parts[0] != "HEAD") || !headerValue(head, "Transfer-Encoding").isEmpty() ||
        (!length.isEmpty() && length != "0")) {
        refused(socket, QStringLiteral("a request with a body, or not GET or HEAD"));
        socket->write(response("405 Method Not Allowed", TextType, "only GET and HEAD, without a body\n",
                               true, headers, "Allow: GET, HEAD\r\n"));
        return closeAfterAnswer(socket);
    }
    if (!allowedByRate()) {
        refused(socket, QStringLiteral("over the rate limit"));
        socket->write(response("429 Too Many Requests", TextType, "too many requests\n", true, headers));
        return closeAfterAnswer(socket);
    }
    const QByteArray line = head.left(head.indexOf('\n')).trimmed();
    QPointer<QTcpSocket> alive(socket);
    auth_->check(headerValue(head, "Authorization"), socket->peerAddress().toString(),
                 [this, alive, line, headers](BasicAuth::Verdict v, const QString& user) {
                     if (!alive)
                         return;
                     if (v == BasicAuth::Allowed)
                         alive->write(answer(line));
                     else if (v == BasicAuth::Busy) {
                         refused(alive, QStringLiteral("too many passwords to check at once"));
                         alive->write(response("429 Too Many Requests", TextType, "busy checking passwords\n",
                                               true, headers, "Retry-After: 1\r\n"));
                     }
                     else {
                         refused(alive,
                                 user.isEmpty()
                                     ? QStringLiteral("no password")
                                     : QStringLiteral("a wrong password for %1").arg(quoted(user, 100)));
                         alive->write(response("401 Unauthorized", TextType, "unauthorized\n", true, headers,
                                               "WWW-Authenticate: Basic realm=\"talvikctl exporter\"\r\n"));
                     }
                     closeAfterAnswer(alive);
                 });
}

QByteArray MetricsServer::answer(const QByteArray& requestLine) const
{
    const QList<QPair<QByteArray, QByteArray>> headers =
        config_ ? config_->headers : QList<QPair<QByteArray, QByteArray>>{};
    const QList<QByteArray> parts = requestLine.split(' ');
    if (parts.size() != 3 || !parts[2].startsWith("HTTP/"))
        return response("400 Bad Request", TextType, "bad request\n", true, headers);
    const QByteArray& method = parts[0];
    const QByteArray path =
        parts[1].left(parts[1].indexOf('?') < 0 ? parts[1].size() : parts[1].indexOf('?'));
    if (method != "GET" && method != "HEAD")
        return response("405 Method Not Allowed", TextType, "only GET\n", true, headers);
    const bool body = method == "GET";
    if (path == "/metrics")
        return response("200 OK", "text/plain; version=0.0.4; charset=utf-8", pages_.metrics(), body,
                        headers);
    if (path == "/-/healthy")
        return response("200 OK", TextType, "Healthy\n", body, headers);
    if (path == "/-/ready")
        return pages_.ready() ? response("200 OK", TextType, "Ready\n", body, headers)
                              : response("503 Service Unavailable", TextType,
                                         "Not ready: the first survey has not ended\n", body, headers);
    if (path == "/")
        return response(
            "200 OK", "text/html; charset=utf-8",
            "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>talvikctl exporter</title></head>"
            "<body><h1>talvikctl exporter</h1><p>Version " +
                pages_.version.toHtmlEscaped().toUtf8() +
                "</p><ul><li><a href=\"/metrics\">Metrics</a></li><li><a href=\"/-/healthy\">Health</a>"
                "</li><li><a href=\"/-/ready\">Readiness</a></li></ul></body></html>\n",
            body, headers);
    return response("404 Not Found", TextType, "not found: the metrics are at /metrics\n", body, headers);
}

} // namespace talvik::ctl
