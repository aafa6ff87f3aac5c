// Floods on real sockets: a million datagrams from a thousand identifiers with
// identifier mode on, a burst of replies while the window thread is busy, sends during
// a flood and large datagrams while the window thread stands still. The window counts
// every datagram the socket delivered, a send waits for a slice of the flood at most,
// and neither the heap nor the queue grows with the number or size of datagrams. How
// long things take is the benchmarks' business (make bench), not these tests'.

#include "board_simulator.h"
#include "window_fixture.h"

#include <QElapsedTimer>
#include <QThread>
#include <QUdpSocket>
#include <QtTest>
#include <atomic>
#include <malloc.h>
#include <thread>
#if defined(__SANITIZE_ADDRESS__)
// From the AddressSanitizer runtime (GCC ships no header for it): mallinfo2 sees none of
// its allocations.
extern "C" size_t __sanitizer_get_current_allocated_bytes();
#endif

using namespace talvik;
using namespace talvik::test;

namespace {
// Bytes allocated and not yet freed: exact, unlike the resident size, which keeps
// freed memory.
qint64 heapInUse()
{
#if defined(__SANITIZE_ADDRESS__)
    return qint64(__sanitizer_get_current_allocated_bytes());
#else
    const struct mallinfo2 m = mallinfo2();
    return qint64(m.uordblks + m.hblkhd);
#endif
}

// Sends `count` datagrams to the window's port from another thread, as fast as it can
// (count < 0: until `done` is set, 20 s at most).
std::thread startSender(quint16 port, int count, const std::function<QByteArray(int)>& datagram,
                        std::atomic<bool>& done)
{
    return std::thread([=, &done] {
        QUdpSocket s;
        s.bind(QHostAddress::LocalHost, 0);
        QElapsedTimer since;
        since.start();
        for (int i = 0; count < 0 ? !done && since.elapsed() < 20000 : i < count; ++i) {
            s.writeDatagram(datagram(i), QHostAddress::LocalHost, port);
            if (i % 256 == 255)
                std::this_thread::yield();
        }
        done = true;
    });
}

// Runs the window thread until the sender is done and nothing arrived for a while.
void drain(const std::atomic<bool>& done, const std::function<qint64()>& handled)
{
    QElapsedTimer quiet;
    quiet.start();
    qint64 seen = -1;
    while (!done || quiet.elapsed() < 300) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        if (handled() != seen) {
            seen = handled();
            quiet.restart();
        }
    }
}

QByteArray announcement(int i)
{
    return sim::announcement(quint16(i % 1000));
}
} // namespace

class TestFlood : public QObject {
    Q_OBJECT
  private slots:
    void aMillionDatagramsFromAThousandIdentifiers()
    {
        WindowFixture f(WindowSetup().real());
        auto& w = *f.window;
        w.Ch_Box_Conf_IP->setChecked(true);
        const auto handled = [&] { return w.LabIn->text().toLongLong(); };

        // A 10 ms timer, as the range reboot's: it keeps firing while the flood is handled.
        QElapsedTimer sinceTick;
        qint64 longestGap = 0;
        QTimer timer;
        timer.setInterval(10);
        connect(&timer, &QTimer::timeout, this, [&] { longestGap = qMax(longestGap, sinceTick.restart()); });

        // The first part settles the window (lists full, log full, queue at its size);
        // from then on what it holds must not grow with the datagrams it handles.
        std::atomic<bool> done{false};
        startSender(f.listeningPort(), 200000, announcement, done).join();
        drain(done, handled);
        const qint64 settled = handled(), heapSettled = heapInUse();

        done = false;
        sinceTick.start();
        timer.start();
        std::thread second = startSender(f.listeningPort(), 800000, announcement, done);
        drain(done, handled);
        second.join();
        timer.stop();

        const qint64 delivered = handled() - settled;
        QVERIFY(delivered > 100000);
        QCOMPARE(f.udp->queued(), 0);
        QCOMPARE(w.CoBox_Iden->count(), 256);
        QCOMPARE(w.identRecords().size(), 256);
        QVERIFY(w.Memo1->blockCount() <= 10000);
        QVERIFY(f.messages.messages.isEmpty() && f.messages.errors.isEmpty());
        const double perDatagram = double(heapInUse() - heapSettled) / double(delivered);
        qInfo("handled %lld + %lld datagrams, %llu dropped by the full queue; heap %+.1f bytes per datagram; "
              "longest gap between 10 ms ticks %lld ms",
              settled, delivered, f.udp->overflowed(), perDatagram, longestGap);
        QVERIFY2(perDatagram < 20,
                 qPrintable(QString("memory grows %1 bytes per datagram").arg(perDatagram)));
    }

    // Two senders at full speed: each read the operator sends is handed to the socket
    // after the reader has taken a slice or two of the flood, not after all of it.
    void aSendDuringAFloodWaitsForASliceAtMost()
    {
        WindowFixture f(WindowSetup().real().boards(9, 9, 9));
        auto& w = *f.window;
        QUdpSocket board;
        QVERIFY(board.bind(QHostAddress("127.0.0.2"), 0));
        setAddress(w.Ed_0, "127.0.0.2");
        w.CurEd_Port->setValue(board.localPort());
        std::atomic<bool> stop{false};
        std::thread a = startSender(f.listeningPort(), -1, announcement, stop);
        std::thread b = startSender(f.listeningPort(), -1, announcement, stop);
        QTRY_VERIFY(f.udp->taken() > 100000); // the flood is on
        quint64 mostTakenMeanwhile = 0;
        for (int read = 0; read < 20; ++read) {
            const quint64 before = f.udp->taken();
            w.Button8->click();
            mostTakenMeanwhile = qMax(mostTakenMeanwhile, f.udp->taken() - before);
            QCoreApplication::processEvents();
        }
        stop = true;
        a.join();
        b.join();
        QTRY_COMPARE(qint64(board.pendingDatagramSize()), qint64(ReadFrameLength)); // the reads went out
        qInfo("at most %llu datagrams taken off the socket while a send waited", mostTakenMeanwhile);
        // A slice or two, and what the reader takes while the window thread waits for a CPU
        // to go on; waiting for the backlog, it would be the whole flood.
        QVERIFY(mostTakenMeanwhile <= 50 * UdpLink::SliceLimit);
    }

    // 8 KB datagrams while the window thread stands still: the queue keeps to its byte
    // budget, drops and counts the rest, and hands on what it kept.
    void theQueueIsBoundedInBytes()
    {
        WindowFixture f(WindowSetup().real());
        constexpr qint64 budget = 4 << 20;
        f.udp->setByteBudget(budget);
        std::atomic<bool> done{false};
        const auto large = [](int i) { return QByteArray(8192, char('a' + i % 26)); };
        std::thread a = startSender(f.listeningPort(), 5000, large, done);
        std::thread b = startSender(f.listeningPort(), 5000, large, done);
        a.join();
        b.join();
        QThread::msleep(300); // the window thread stands still while the reader queues
        QVERIFY(f.udp->queuedBytes() <= budget);
        QVERIFY(f.udp->queued() > 400); // it was full
        QVERIFY(f.udp->overflowed() > 0);
        QVERIFY(f.udp->dropped() >= f.udp->overflowed()); // what a survey is told was lost
        const qint64 kept = f.udp->queued();
        QTRY_COMPARE(f.udp->queued(), 0);
        QVERIFY(f.window->LabIn->text().toLongLong() >= kept);
    }

    // 10,000 configuration replies at full loopback speed while the window thread is
    // busy (the reboot's pauses): none is lost, and the window shows the last one.
    void aBurstOfRepliesWhileTheWindowIsBusy()
    {
        WindowFixture f(WindowSetup().real());
        auto& w = *f.window;
        const auto reply = [](int i) {
            WriteFields c;
            c.ip = {10, 1, quint8(i >> 8), quint8(i)};
            return sim::configReply(c, "2.17");
        };
        std::atomic<bool> done{false};
        std::thread burst = startSender(f.listeningPort(), 10000, reply, done);
        QThread::msleep(400); // the window thread stands still meanwhile
        burst.join();
        drain(done, [&] { return w.LabIn->text().toLongLong(); });
        QCOMPARE(w.LabIn->text(), QString("10000"));
        QCOMPARE(f.udp->overflowed(), quint64(0));
        QCOMPARE(w.ED_7->texts(), QStringList({"010", "001", "039", "015"})); // 9999 = 39 * 256 + 15
    }
};

QTEST_MAIN(TestFlood)
#include "test_flood.moc"
