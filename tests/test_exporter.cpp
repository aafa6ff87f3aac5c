// talvikctl exporter run as a program: the page Prometheus reads for simulated boards,
// port 6767 (here a free port of the test's own) shared in time, and the HTTP side's bounds.

#include "board_simulator.h"
#include "ctl_fleet.h"
#include "wire/frame_layout.h"
#include "wire/frames.h"

#include <QRegularExpression>
#include <QTcpSocket>
#include <QUdpSocket>
#include <QtTest>

using namespace talvik;
using namespace talvik::sim;

namespace {
quint16 freePort(QAbstractSocket& socket)
{
    socket.bind(QHostAddress::LocalHost, 0);
    const quint16 port = socket.localPort();
    socket.close();
    return port;
}

// An exporter on a free HTTP port, surveying the fleet's boards from `localPort`.
struct Exporter {
    QProcess process;
    quint16 httpPort = 0;

    Exporter(Fleet& fleet, const QStringList& boards, quint16 localPort, int interval,
             const QStringList& more = {})
    {
        QTcpSocket probe;
        httpPort = freePort(probe);
        process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process.start(program(), fleet.withPorts(QStringList{"exporter"} + boards, localPort) +
                                     QStringList{"--listen", QString("127.0.0.1:%1").arg(httpPort),
                                                 "--interval", QString::number(interval)} +
                                     more);
        process.waitForStarted();
    }
    ~Exporter()
    {
        process.terminate();
        process.waitForFinished(5000);
    }

    // The raw answer to one request; the event loop runs meanwhile, so the boards answer.
    QByteArray get(const QByteArray& request)
    {
        QTcpSocket socket;
        socket.connectToHost(QHostAddress::LocalHost, httpPort);
        if (!socket.waitForConnected(2000))
            return {};
        socket.write(request);
        QByteArray answer;
        QDeadlineTimer deadline(5000);
        while (socket.state() == QAbstractSocket::ConnectedState && !deadline.hasExpired()) {
            QTest::qWait(5);
            answer += socket.readAll();
        }
        return answer + socket.readAll();
    }
    QByteArray page() { return get("GET /metrics HTTP/1.1\r\nHost: x\r\n\r\n"); }
    // The page once it shows `line`, within ten seconds.
    QByteArray pageWith(const QByteArray& line)
    {
        QByteArray p;
        for (QDeadlineTimer deadline(10000); !deadline.hasExpired(); QTest::qWait(50))
            if ((p = page()).contains(line))
                break;
        return p;
    }
};
} // namespace

class TestExporter : public QObject {
    Q_OBJECT
  private slots:
    // With --site: every board series carries the site, for a dashboard and a rule by site.
    void seriesCarryTheirSite()
    {
        Fleet fleet({"127.0.8.70-72,version=2.17"});
        QTemporaryDir dir;
        const QStringList file{"--sites-file", dir.filePath("sites.txt")};
        QCOMPARE(fleet.ctl(QStringList{"sites", "add", "Північ", "127.0.8.70-71"} + file).exit, 0);
        QUdpSocket probe;
        Exporter exporter(fleet, {"127.0.8.72"}, freePort(probe), 60, QStringList{"--site", "Північ"} + file);
        const QByteArray page = exporter.pageWith("talvik_board_up{address=\"127.0.8.72\"");
        for (const QByteArray& line : page.split('\n'))
            if (line.startsWith("talvik_board_"))
                QVERIFY2(line.contains(",site=\""), line.constData());
        QVERIFY(page.contains("talvik_board_up{address=\"127.0.8.70\",site=\"Північ\"} 1"));
        QVERIFY(page.contains("talvik_board_up{address=\"127.0.8.72\",site=\"\"} 1"));
    }

    // With the folder talvikctl backup keeps: which board works with another configuration
    // than its file, and since when that file holds what it holds.
    void boardsChangedSinceTheirBackup()
    {
        Fleet fleet({"127.0.8.60-62,version=2.17,console=1"});
        QTemporaryDir dir;
        QCOMPARE(fleet.ctl({"backup", "127.0.8.60-62", "--into", dir.path()}).exit, 0);
        WriteFields f = fleet.sim.board(1).working();
        f.gateway = {127, 0, 8, 1};
        fleet.sim.board(1).handle(buildWriteFrame(f));
        fleet.sim.board(1).finishReboot();
        QUdpSocket probe;
        Exporter exporter(fleet, {"127.0.8.60-62"}, freePort(probe), 60, {"--backups", dir.path()});
        const QByteArray page = exporter.pageWith("talvik_board_backup_differs{address=\"127.0.8.62\"}");
        QVERIFY2(page.contains("talvik_board_backup_differs{address=\"127.0.8.61\"} 1\n"), page.constData());
        QVERIFY(page.contains("talvik_board_backup_differs{address=\"127.0.8.60\"} 0\n"));
        QVERIFY(page.contains("talvik_board_backup_changed_timestamp_seconds{address=\"127.0.8.62\"} "));
    }

    void servesTheBoards()
    {
        WriteFields f;
        f.consoleDynamic = true;
        f.ident = 77;
        QByteArray reply = sim::configReply(f, "2.17");
        reply.replace(pos::Version - 1, 12, QByteArray("a\"b\\c\n\x1b[1m#"));
        Fleet fleet({"127.0.3.2,ident=1234,version=2.17", "127.0.3.3,reply=" + hex(reply)});
        QUdpSocket probe;
        Exporter exporter(fleet, {"127.0.3.2-4"}, freePort(probe), 60);
        const QByteArray page = exporter.pageWith("talvik_surveys_total 1\n");
        QVERIFY2(page.startsWith("HTTP/1.1 200 OK\r\nContent-Type: text/plain; version=0.0.4"), page);
        const QByteArray body = page.mid(page.indexOf("\r\n\r\n") + 4);
        for (const QByteArray& line : {
                 QByteArray("talvik_board_up{address=\"127.0.3.2\"} 1"),
                 QByteArray("talvik_board_up{address=\"127.0.3.3\"} 1"),
                 QByteArray("talvik_board_up{address=\"127.0.3.4\"} 0"),
                 QByteArray(
                     "talvik_board_info{address=\"127.0.3.2\",ident=\"1234\",version=\"2.17\","
                     "ip=\"127.0.3.2\",mask=\"255.0.0.0\",router=\"127.0.0.1\",mac=\"00:1E:7F:00:03:02\","
                     "dhcp=\"0\",console=\"static\",dispatcher=\"0.0.0.0\",reserve1=\"0.0.0.0\","
                     "reserve2=\"0.0.0.0\",branch=\"0\"} 1"),
                 QByteArray("talvik_survey_boards{state=\"down\"} 1"),
                 QByteArray("talvik_survey_skipped_total 0"),
             })
            QVERIFY2(body.split('\n').contains(line), line + "\n\n" + body);
        // The hostile version stays inside its quotes, on its line, with no raw control character.
        QVERIFY2(body.contains("version=\"a\\\"b\\\\\\\\c\\\\n\\\\e[1m\""), body);
        QVERIFY(!body.contains('\x1b'));
        static const QRegularExpression sample(
            "^[a-z_]+(\\{([a-z0-9]+=\"([^\"\\\\]|\\\\.)*\",?)+\\})? [0-9.e+-]+$");
        for (const QByteArray& line : body.split('\n'))
            QVERIFY2(line.isEmpty() || line.startsWith("# ") ||
                         sample.match(QString::fromUtf8(line)).hasMatch(),
                     line);
        QVERIFY(!body.contains("talvik_board_last_seen_timestamp_seconds{address=\"127.0.3.4\"}"));
    }

    // Between surveys the port is free: another program binds it, and talvikctl reads beside.
    void releasesThePortBetweenSurveys()
    {
        Fleet fleet({"127.0.3.2"});
        QUdpSocket other;
        const quint16 port = freePort(other);
        Exporter exporter(fleet, {"127.0.3.2"}, port, 60);
        QVERIFY(exporter.pageWith("talvik_surveys_total 1\n")
                    .contains("talvik_board_up{address=\"127.0.3.2\"} 1"));
        QVERIFY(other.bind(QHostAddress::Any, port, QUdpSocket::DontShareAddress));
        other.close();
        QCOMPARE(fleet.ctl({"read", "127.0.3.2", "--quiet"}, port).exit, 0);
    }

    // A survey that falls due while the port is held is skipped and counted, then the next one runs.
    void skipsASurveyWhileThePortIsHeld()
    {
        Fleet fleet({"127.0.3.2"});
        QUdpSocket other;
        const quint16 port = freePort(other);
        QVERIFY(other.bind(QHostAddress::Any, port, QUdpSocket::DontShareAddress));
        Exporter exporter(fleet, {"127.0.3.2"}, port, 1);
        const QByteArray held = exporter.pageWith("talvik_survey_skipped_total 1\n");
        QVERIFY2(held.contains("talvik_surveys_total 0\n") && !held.contains("talvik_board_up"), held);
        other.close();
        QVERIFY(exporter.pageWith("talvik_board_up{address=\"127.0.3.2\"} 1")
                    .contains("talvik_surveys_total 1\n"));
    }

    void answersOnlyWhatItServes_data()
    {
        QTest::addColumn<QByteArray>("request");
        QTest::addColumn<QByteArray>("status");
        QTest::newRow("another path") << QByteArray("GET /x HTTP/1.1\r\n\r\n") << QByteArray("404");
        QTest::newRow("a POST") << QByteArray("POST /metrics HTTP/1.1\r\n\r\n") << QByteArray("405");
        QTest::newRow("no HTTP") << QByteArray("hello\r\n\r\n") << QByteArray("400");
        QTest::newRow("a header past 8 KiB")
            << "GET /metrics HTTP/1.1\r\nX: " + QByteArray(9000, 'x') + "\r\n\r\n"
            << QByteArray("431");
    }
    void answersOnlyWhatItServes()
    {
        QFETCH(QByteArray, request);
        QFETCH(QByteArray, status);
        Fleet fleet({"127.0.3.2"});
        QUdpSocket probe;
        Exporter exporter(fleet, {"127.0.3.2"}, freePort(probe), 60);
        QVERIFY(!exporter.pageWith("talvik_surveys_total").isEmpty());
        const QByteArray answer = exporter.get(request);
        QVERIFY2(answer.startsWith("HTTP/1.1 " + status), answer);
    }
};

QTEST_GUILESS_MAIN(TestExporter)
#include "test_exporter.moc"
