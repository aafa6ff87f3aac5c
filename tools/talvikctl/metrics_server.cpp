#include "metrics_server.h"

#include <QTcpSocket>
#include <QTimer>
#include <memory>

namespace talvik::ctl {

namespace {
QByteArray response(const QByteArray& status, const QByteArray& type, const QByteArray& body,
                    bool withBody = true)
{
    return "HTTP/1.1 " + status + "\r\nContent-Type: " + type +
           "\r\nContent-Length: " + QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" +
           (withBody ? body : QByteArray());
}

const QByteArray TextType = "text/plain; charset=utf-8";
} // namespace

MetricsServer::MetricsServer(std::function<QByteArray()> page, QObject* parent)
    : QObject(parent), page_(std::move(page))
{
    connect(&server_, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket* socket = server_.nextPendingConnection())
            serve(socket);
    });
}

bool MetricsServer::listen(const QHostAddress& address, quint16 port)
{
    return server_.listen(address, port);
}

void MetricsServer::serve(QTcpSocket* socket)
{
    connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    auto* timeout = new QTimer(socket);
    timeout->setSingleShot(true);
    connect(timeout, &QTimer::timeout, socket, &QTcpSocket::abort);
    timeout->start(RequestTimeoutMs);
    // What came of the request so far; it lives as long as the connection's handler.
    struct Request {
        QByteArray head;
        bool answered = false;
    };
    auto request = std::make_shared<Request>();
    connect(socket, &QTcpSocket::readyRead, socket, [this, socket, request] {
        if (request->answered)
            return;
        request->head += socket->read(MostRequestBytes + 1 - request->head.size());
        const QByteArray& head = request->head;
        const bool whole = head.contains("\r\n\r\n") || head.contains("\n\n");
        if (!whole && head.size() <= MostRequestBytes)
            return;
        request->answered = true;
        socket->write(whole
                          ? answer(head.left(head.indexOf('\n')).trimmed())
                          : response("431 Request Header Fields Too Large", TextType, "request too large\n"));
        socket->disconnectFromHost();
    });
}

QByteArray MetricsServer::answer(const QByteArray& requestLine) const
{
    const QList<QByteArray> parts = requestLine.split(' ');
    if (parts.size() != 3 || !parts[2].startsWith("HTTP/"))
        return response("400 Bad Request", TextType, "bad request\n");
    const QByteArray& method = parts[0];
    const QByteArray path =
        parts[1].left(parts[1].indexOf('?') < 0 ? parts[1].size() : parts[1].indexOf('?'));
    if (method != "GET" && method != "HEAD")
        return response("405 Method Not Allowed", TextType, "only GET\n");
    const bool body = method == "GET";
    if (path == "/metrics")
        return response("200 OK", "text/plain; version=0.0.4; charset=utf-8", page_(), body);
    if (path == "/")
        return response("200 OK", "text/html; charset=utf-8",
                        "<html><head><title>talvikctl exporter</title></head><body>"
                        "<a href=\"/metrics\">Metrics</a></body></html>\n",
                        body);
    return response("404 Not Found", TextType, "not found: the metrics are at /metrics\n", body);
}

} // namespace talvik::ctl
