#include "wire/range_sequencer.h"

#include <QtTest>

using namespace talvik;
using Decision = RangeSequencer::Decision;

class TestRangeSequencer : public QObject {
    Q_OBJECT

    // Ticks until the run stops; returns how many ticks it took.
    static int runUntilStop(RangeSequencer& s, int first, int count, int stopAfterTicks = -1)
    {
        for (int tick = 1; tick < 10000; ++tick) {
            s.advance();
            const bool running = stopAfterTicks < 0 || tick < stopAfterTicks;
            if (s.decide(first, count, running) != Decision::Continue)
                return tick;
        }
        return -1;
    }

  private slots:
    void runLengths_data()
    {
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("ticks");
        QTest::newRow("one board") << 5 << 1 << 3;
        QTest::newRow("ten boards") << 5 << 10 << 30;
        QTest::newRow("bound at 254 after offset 5") << 250 << 10 << 15;
        QTest::newRow("last octet 255 ends at once") << 255 << 10 << 1;
        QTest::newRow("last octet 254 takes one board") << 254 << 10 << 3;
    }
    void runLengths()
    {
        QFETCH(int, first);
        QFETCH(int, count);
        QFETCH(int, ticks);
        RangeSequencer s;
        s.start();
        QCOMPARE(runUntilStop(s, first, count), ticks);
        QCOMPARE(int(s.phase()), ticks == 1 ? 1 : 0);
    }

    void stopLetsTheCurrentTickFinish()
    {
        RangeSequencer s;
        s.start();
        QCOMPARE(runUntilStop(s, 5, 100, 4), 4);
        QCOMPARE(int(s.offset()), 1);
        QCOMPARE(int(s.phase()), 1);
    }

    void phaseCarriesOverIntoTheNextRun()
    {
        RangeSequencer s;
        s.start();
        runUntilStop(s, 5, 100, 4); // stopped one tick into the second board
        s.start();
        QCOMPARE(int(s.offset()), 0);
        s.advance();
        s.advance(); // the first board of the new run lasts two ticks only
        QCOMPARE(int(s.offset()), 1);
    }

    void decisionsInOrder()
    {
        RangeSequencer s;
        QCOMPARE(s.decide(5, 0, true), Decision::StopAtCount);
        QCOMPARE(s.decide(255, 0, true), Decision::StopAtCount);
        QCOMPARE(s.decide(255, 3, true), Decision::StopAtBound);
        QCOMPARE(s.decide(5, 3, false), Decision::StopByOperator);
        QCOMPARE(s.decide(5, 3, true), Decision::Continue);
    }

    void tickAddressFollowsTheOffset()
    {
        RangeSequencer s;
        s.start();
        const QStringList first{"192", "168", "001", "005"};
        QCOMPARE(s.tickAddress(first, 5), QString("192.168.001.005"));
        for (int i = 0; i < 3; ++i)
            s.advance();
        QCOMPARE(s.tickAddress(first, 5), QString("192.168.001.006"));
        QCOMPARE(s.tickAddress(first, 5).size(), 15);
    }

    void offsetIsEightBit()
    {
        RangeSequencer s;
        s.start();
        for (int i = 0; i < 3 * 256; ++i)
            s.advance();
        QCOMPARE(int(s.offset()), 0);
    }
};

QTEST_APPLESS_MAIN(TestRangeSequencer)
#include "test_range_sequencer.moc"
