#pragma once
// The exporter's HTTP side: GET /metrics answers with the page `page` makes, anything
// else with 404 or 405, each connection closed after its answer. A request is read up to
// its blank line, at most 8 KiB and for at most 5 s: a scraper is trusted with no more.

#include <QByteArray>
#include <QHostAddress>
#include <QTcpServer>
#include <functional>

namespace talvik::ctl {

class MetricsServer : public QObject {
  public:
    explicit MetricsServer(std::function<QByteArray()> page, QObject* parent = nullptr);
    bool listen(const QHostAddress& address, quint16 port);
    QString errorString() const { return server_.errorString(); }
    quint16 port() const { return server_.serverPort(); }

    static constexpr int MostRequestBytes = 8 * 1024;
    static constexpr int RequestTimeoutMs = 5000;

  private:
    void serve(QTcpSocket* socket);
    QByteArray answer(const QByteArray& requestLine) const;

    std::function<QByteArray()> page_;
    QTcpServer server_;
};

} // namespace talvik::ctl
