// The board-range reboot on the window, through the recording link: its fixed
// addresses are not loopback, so nothing here reaches a socket.

#include "catalogue.h"
#include "gui/widgets/tag.h"
#include "window_fixture.h"
#include "wire/frames.h"

#include <QtTest>

using namespace talvik;
using namespace talvik::test;

namespace {
struct Range : WindowFixture {
    Range(const QString& first, int count)
    {
        window->CheckBox1->setChecked(true);
        setAddress(window->Panel1, first);
        window->EdR1_0_IP_0->setValue(count);
    }
    // Ticks until the timer stops (or a limit); returns the number of ticks.
    int runToEnd(int stopAfter = -1)
    {
        int ticks = 0;
        while (window->Timer2_Conf->isActive() && ticks < 1000) {
            if (ticks == stopAfter)
                window->Button6->click();
            window->Timer2_Conf->timeout({});
            ++ticks;
        }
        return ticks;
    }
};
} // namespace

class TestRangeReboot : public QObject {
    Q_OBJECT
  private slots:
    void theGroupFollowsItsBox()
    {
        WindowFixture f;
        QVERIFY(f.window->GroupBox3->isHidden());
        f.window->CheckBox1->setChecked(true);
        QVERIFY(f.window->GroupBox3->isVisibleTo(f.window.get()));
    }

    void runs_data()
    {
        QTest::addColumn<QString>("first");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("ticks");
        QTest::newRow("one board") << "192.168.1.5" << 1 << 3;
        QTest::newRow("bound at 254") << "192.168.1.250" << 10 << 15;
        QTest::newRow("last octet 255") << "192.168.1.255" << 10 << 1;
    }
    void runs()
    {
        QFETCH(QString, first);
        QFETCH(int, count);
        QFETCH(int, ticks);
        Range r(first, count);
        auto& w = *r.window;
        w.Button4->click();
        QVERIFY(w.ProgressBar1->isVisibleTo(&w));
        QCOMPARE(w.ProgressBar1->maximum(), count);
        QCOMPARE(r.runToEnd(), ticks);
        QCOMPARE(w.ProgressBar1->value(), count);
        QCOMPARE(tagOf(w.Button6), 0);
        QVERIFY(r.messages.messages.isEmpty());
    }

    void zeroCountStopsWithTheMessage_data()
    {
        QTest::addColumn<QString>("first");
        QTest::addColumn<int>("count");
        QTest::newRow("no boards") << "192.168.1.5" << 0;
        QTest::newRow("no first board") << "0.0.0.0" << 3;
    }
    void zeroCountStopsWithTheMessage()
    {
        QFETCH(QString, first);
        QFETCH(int, count);
        Range r(first, count);
        auto& w = *r.window;
        w.Button4->click();
        QCOMPARE(r.runToEnd(), 1);
        QCOMPARE(r.messages.messages, QStringList{text("IP - Плати що перезавантажуется = 000.000.000.000")});
        QCOMPARE(w.ProgressBar1->value(), 0);
        QVERIFY2(w.ProgressBar1->maximum() > w.ProgressBar1->minimum(), "an endless busy bar");
        QVERIFY(r.link.sent.isEmpty());
    }

    void eachTickSendsWordFramesAndTheBurst()
    {
        Range r("192.168.1.5", 2);
        auto& w = *r.window;
        w.Button4->click();
        QCOMPARE(r.runToEnd(), 6);
        QCOMPARE(w.Edit2->text(), QString("192.168.1.145"));
        QCOMPARE(w.clientHost(), QString("192.168.1.145"));
        QCOMPARE(w.clientPort(), quint16(6769));

        const auto words = r.link.fromClient();
        QCOMPARE(words.size(), 12);
        for (int i = 0; i < words.size(); ++i) {
            QCOMPARE(words[i].data, padDigits(i % 2 ? "vsi" : "msi"));
            QCOMPARE(words[i].port, quint16(8026));
            QCOMPARE(words[i].host, QHostAddress(i < 6 ? "192.168.1.5" : "192.168.1.6"));
        }
        const auto burst = r.link.fromListener();
        QCOMPARE(burst.size(), 600);
        for (const auto& d : burst) {
            QCOMPARE(d.host, QHostAddress("192.168.1.8"));
            QCOMPARE(d.port, quint16(8025));
            QCOMPARE(d.data, rebootFrame());
        }
        // word frames first, then the burst, tick by tick
        QCOMPARE(r.link.sent[2].from, SentDatagram::From::Listener);
        QCOMPARE(r.link.sent[102].from, SentDatagram::From::Client);
    }

    void stopLetsOneMoreTickGoOut()
    {
        Range r("192.168.1.5", 50);
        auto& w = *r.window;
        w.Button4->click();
        QCOMPARE(r.runToEnd(4), 5); // STOP before the fifth tick, which still goes out in full
        QCOMPARE(r.link.fromListener().size(), 500);
        QCOMPARE(w.ProgressBar1->value(), 50);
        QCOMPARE(w.rangeSequencer().phase(), quint8(2));

        r.link.sent.clear();
        w.Button4->click(); // the carried phase shortens the first board of the next run
        w.Timer2_Conf->timeout({});
        QCOMPARE(w.rangeSequencer().offset(), quint8(1));
        QCOMPARE(r.link.fromClient().at(0).host, QHostAddress("192.168.1.5"));
        w.Timer2_Conf->timeout({});
        QCOMPARE(r.link.fromClient().at(2).host, QHostAddress("192.168.1.6"));
    }

    void startDuringARunBeginsAgainAtTheFirstBoard()
    {
        Range r("192.168.1.5", 10);
        auto& w = *r.window;
        w.Button4->click();
        for (int i = 0; i < 4; ++i)
            w.Timer2_Conf->timeout({});
        QCOMPARE(w.rangeSequencer().offset(), quint8(1));
        w.Button4->click();
        QVERIFY(w.Timer2_Conf->isActive());
        QCOMPARE(w.rangeSequencer().offset(), quint8(0));
        QCOMPARE(w.ProgressBar1->value(), 0);
        r.link.sent.clear();
        w.Timer2_Conf->timeout({});
        QCOMPARE(r.link.fromClient().at(0).host, QHostAddress("192.168.1.5"));
    }

    void aFailingBurstStillAdvances()
    {
        Range r("192.168.1.5", 5);
        auto& w = *r.window;
        r.link.failSendNumber = 10;
        w.Button4->click();
        w.Timer2_Conf->timeout({});
        QCOMPARE(r.link.fromListener().size(), 10);
        QCOMPARE(w.rangeSequencer().phase(), quint8(1));
        QVERIFY(w.Timer2_Conf->isActive());
        QVERIFY(r.messages.messages.isEmpty());
    }
};

QTEST_MAIN(TestRangeReboot)
#include "test_range_reboot.moc"
