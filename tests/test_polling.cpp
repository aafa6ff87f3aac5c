// The four reads after a reboot.

#include "app/texts.h"
#include "protocol/frames.h"
#include "ui/tag.h"
#include "window_fixture.h"

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
        QCOMPARE(f.messages.messages, QStringList{texts::ZeroBoardAddress});
        QCOMPARE(tagOf(w.TimerRead_Conf), 1);
        QVERIFY(f.link.sent.isEmpty());
    }
};

QTEST_MAIN(TestPolling)
#include "test_polling.moc"
