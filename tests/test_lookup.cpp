// The external address from a local stand-in for the echo service, and "<-".

#include "catalogue.h"
#include "golden_replies.h"
#include "window_fixture.h"

#include <QTcpServer>
#include <QTcpSocket>
#include <QtTest>

using namespace talvik;
using namespace talvik::test;

namespace {
// Answers every request with one canned response, or never answers.
class EchoServer : public QTcpServer {
  public:
    QByteArray response; // empty: accept and stay silent
    QByteArray lastRequest;

    EchoServer()
    {
        listen(QHostAddress::LocalHost, 0);
        connect(this, &QTcpServer::newConnection, this, [this] {
            QTcpSocket* c = nextPendingConnection();
            connect(c, &QTcpSocket::readyRead, c, [this, c] {
                lastRequest += c->readAll();
                if (!lastRequest.contains("\r\n\r\n") || response.isEmpty())
                    return;
                c->write(response);
                c->disconnectFromHost();
            });
        });
    }
    QUrl url() const { return QUrl(QString("http://127.0.0.1:%1/").arg(serverPort())); }
};

QByteArray http(int status, const QByteArray& body)
{
    return "HTTP/1.1 " + QByteArray::number(status) +
           " X\r\nContent-Type: text/html\r\nContent-Length: " + QByteArray::number(body.size()) +
           "\r\nConnection: close\r\n\r\n" + body;
}

struct LookupWindow : WindowFixture {
    explicit LookupWindow(const QUrl& url, int timeoutMs = 10000)
        : WindowFixture(WindowSetup().echo(url, timeoutMs))
    {
    }
};
} // namespace

class TestLookup : public QObject {
    Q_OBJECT
  private slots:
    void answers_data()
    {
        QTest::addColumn<QByteArray>("response");
        QTest::addColumn<QString>("shown");
        const QByteArray page = "<html><head><title>Current IP Check</title></head><body>";
        QTest::newRow("address found")
            << http(200, page + "Current IP Address: 203.0.113.7</body></html>") << "203.0.113.7";
        QTest::newRow("digits before the marker")
            << http(200, "<title>Check 2</title>IP Address: 203.0.113.7") << "2203.0.113.7";
        QTest::newRow("no marker") << http(200, "Your address is 203.0.113.7") << "000.000.000.000";
        QTest::newRow("error status") << http(500, "IP Address: 203.0.113.7") << "000.000.000.000";
        QTest::newRow("not found") << http(404, "IP Address: 1.2.3.4") << "000.000.000.000";
    }
    void answers()
    {
        QFETCH(QByteArray, response);
        QFETCH(QString, shown);
        EchoServer server;
        server.response = response;
        LookupWindow w(server.url());
        w.window->BitBtn1->click();
        QCOMPARE(w.window->Edit1->text(), shown);
        QVERIFY(w.messages.messages.isEmpty());
        QVERIFY(w.messages.errors.isEmpty());
        QVERIFY(server.lastRequest.startsWith("GET / HTTP/1.1\r\n"));
        QVERIFY(server.lastRequest.contains("Accept: text/html, */*\r\n"));
        QVERIFY(server.lastRequest.contains("User-Agent: Mozilla/3.0 (compatible; Indy Library)\r\n"));
    }

    void aRefusedConnectionKeepsTheLastAddress()
    {
        quint16 closedPort;
        {
            QTcpServer probe;
            probe.listen(QHostAddress::LocalHost, 0);
            closedPort = probe.serverPort();
        }
        LookupWindow w(QUrl(QString("http://127.0.0.1:%1/").arg(closedPort)));
        w.window->Edit1->setText("198.51.100.1");
        w.window->BitBtn1->click();
        QCOMPARE(w.window->Edit1->text(), QString("198.51.100.1"));
        QVERIFY(w.messages.messages.isEmpty());
    }

    void aSilentServerTimesOutWhileTheWindowStaysLive()
    {
        EchoServer server; // accepts and never answers
        LookupWindow w(server.url(), 500);
        QTimer::singleShot(100, [&] {
            w.link.deliver("hello", "127.0.0.2", 8026);
            QVERIFY(w.window->lookupRunning());
            w.window->BitBtn1->click(); // a second lookup does not start
        });
        QElapsedTimer clock;
        clock.start();
        w.window->BitBtn1->click();
        QVERIFY(clock.elapsed() >= 400);
        QCOMPARE(w.window->LabIn->text(), QString("1")); // handled during the wait
        QCOMPARE(w.window->Edit1->text(), text("000.000.000.000"));
        QVERIFY(!w.window->lookupRunning());
    }

    void copyInBeforeAnyRead()
    {
        WindowFixture f;
        auto& w = *f.window;
        setAddress(w.ED_2, "1.2.3.4");
        w.IND_MEdit->setValue(5);
        w.Button7->click();
        QCOMPARE(w.ED_2->texts(), QStringList({"000", "000", "000", "000"}));
        QCOMPARE(w.ED_5->texts(), QStringList({"AF", "AF", "AF", "AF", "AF", "AF"}));
        QVERIFY(!w.CheckBox4->isChecked());
        QVERIFY(!w.CheckBox2->isChecked());
        QCOMPARE(w.IND_MEdit->formattedText(), QString("0"));
        QVERIFY(f.link.sent.isEmpty());
    }

    void copyInAfterADynamicBoardWasRead()
    {
        WindowFixture f;
        auto& w = *f.window;
        f.link.deliver(goldenReply(0)); // static console, DHCP board
        QVERIFY(w.CheckBox5->isChecked());
        QVERIFY(!w.CheckBox3->isChecked());

        w.Button7->click();
        QCOMPARE(w.ED_2->texts(), QStringList({"192", "168", "001", "020"}));
        QCOMPARE(w.ED_3->texts(), QStringList({"255", "255", "255", "000"}));
        QCOMPARE(w.ED_4->texts(), QStringList({"192", "168", "001", "001"}));
        QCOMPARE(w.ED_1->texts(), QStringList({"010", "000", "000", "001"}));
        QCOMPARE(w.ED_5->texts(), QStringList({"00", "1E", "AF", "05", "C0", "FF"}));
        QCOMPARE(w.IND_MEdit->formattedText(), QString("12345"));
        // the board's box ticks first and forces a dynamic console; the console's own
        // setting comes last and makes both static again
        QVERIFY(!w.CheckBox4->isChecked());
        QVERIFY(!w.CheckBox2->isChecked());
        QCOMPARE(w.CheckBox4->text(), text("Статична IP адреса Плати"));
        QVERIFY(f.link.sent.isEmpty());
    }

    void copyInWhileAReadWaitsTakesTheEmptiedGroup()
    {
        WindowFixture f;
        auto& w = *f.window;
        f.link.deliver(goldenReply(0));
        setAddress(w.Ed_0, "127.0.0.2");
        w.Button8->click(); // no answer yet
        w.Button7->click();
        QCOMPARE(w.ED_2->texts(), QStringList({"000", "000", "000", "000"}));
        QCOMPARE(w.IND_MEdit->formattedText(), QString("0"));
    }
};

QTEST_MAIN(TestLookup)
#include "test_lookup.moc"
