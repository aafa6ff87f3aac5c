// The four reads after a reboot.

#include "catalogue.h"
#include "gui/widgets/tag.h"
#include "window_fixture.h"
#include "wire/frames.h"

#include <QUdpSocket>
#include <QtTest>

using namespace talvik;
using namespace talvik::test;

class TestPolling : public QObject {
    Q_OBJECT

    static QString lettersSent(const RecordingLink& link)
    {
        QString letters;
        for (const auto& d : link.fromListener())
            if (d.port == 8026 && d.data.size() == 100)
                letters += QLatin1Char(d.data.at(62));
        return letters;
    }

  private slots:
    // A closed window is closed: the follow-up reads and a running range reboot were
    // still due, but nothing is sent and port 6767 is not opened again.
    void nothingAfterTheClose_data()
    {
        QTest::addColumn<bool>("realSockets");
        QTest::newRow("recording link") << false;
        QTest::newRow("real sockets") << true;
    }
    void nothingAfterTheClose()
    {
        QFETCH(bool, realSockets);
        WindowFixture f(realSockets ? WindowSetup().real().boards(9, 9, 9) : WindowSetup());
        auto& w = *f.window;
        const quint16 port = f.listeningPort();
        setAddress(w.Ed_0, "127.0.0.2");
        w.CurEd_Port->setValue(9);
        w.Button3->click(); // the follow-up reads are armed
        setAddress(w.Panel1, "127.0.0.3");
        w.EdR1_0_IP_0->setValue(5);
        w.Button4->click(); // a range reboot runs
        f.close();
        const qsizetype sent = f.link.sent.size();
        const int opens = f.link.opens;
        QElapsedTimer since;
        since.start();
        while (since.elapsed() < 2000) { // past two poll ticks and sixty range ticks
            QTest::qWait(100);
            QVERIFY(!f.listening());
            if (realSockets) { // nobody holds the port: it can be bound here
                QUdpSocket probe;
                QVERIFY(probe.bind(QHostAddress::AnyIPv4, port, QAbstractSocket::DontShareAddress));
            }
        }
        QCOMPARE(f.link.sent.size(), sent);
        QCOMPARE(f.link.opens, opens);
    }

    void fourReadsCCCd()
    {
        WindowFixture f;
        auto& w = *f.window;
        setAddress(w.Ed_0, "127.0.0.2");
        w.Button3->click();
        f.link.sent.clear();
        for (int tick = 0; tick < 4; ++tick) {
            QVERIFY(w.TimerRead_Conf->isActive());
            w.TimerRead_Conf->timeout({});
        }
        QCOMPARE(lettersSent(f.link), QString("CCCd"));
        QVERIFY(!w.TimerRead_Conf->isActive());
        QCOMPARE(tagOf(w.TimerRead_Conf), -1);
    }

    void aSecondRebootRestartsTheCount()
    {
        WindowFixture f;
        auto& w = *f.window;
        setAddress(w.Ed_0, "127.0.0.2");
        w.Button3->click();
        w.TimerRead_Conf->timeout({});
        w.TimerRead_Conf->timeout({});
        w.Button3->click();
        int ticks = 2;
        while (w.TimerRead_Conf->isActive() && ticks < 20) {
            w.TimerRead_Conf->timeout({});
            ++ticks;
        }
        QCOMPARE(ticks, 6);
        QCOMPARE(lettersSent(f.link), QString("CCCCCd"));
    }

    void ticksKeepTheirSecondRhythm()
    {
        WindowFixture f;
        auto& w = *f.window;
        setAddress(w.Ed_0, "127.0.0.2");
        w.Button3->click();
        QCOMPARE(w.TimerRead_Conf->interval(), 1000);
        QSignalSpy ticks(w.TimerRead_Conf, &QTimer::timeout);
        QVERIFY(ticks.wait(3000));
        const int remaining = w.TimerRead_Conf->remainingTime();
        w.Button3->click(); // re-arming does not restart the interval
        QVERIFY(w.TimerRead_Conf->remainingTime() <= remaining);
    }

    void aTickDuringAnOpenMessageShowsNoSecondOne()
    {
        WindowFixture f;
        auto& w = *f.window;
        w.TimerRead_Conf->start();
        setTag(w.TimerRead_Conf, 3);
        // the first tick's message is open while the next tick falls due
        f.messages.onMessage = [&] {
            f.messages.onMessage = nullptr;
            w.TimerRead_Conf->timeout({});
        };
        w.TimerRead_Conf->timeout({});
        QCOMPARE(f.messages.messages, QStringList{text("IP - Плати що конфігуруеться = 000.000.000.000")});
        QCOMPARE(tagOf(w.TimerRead_Conf), 1);
        QVERIFY(f.link.sent.isEmpty());
    }
};

QTEST_MAIN(TestPolling)
#include "test_polling.moc"
