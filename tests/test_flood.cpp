// A million datagrams from a thousand identifiers with identifier mode on: the
// window keeps working, its lists and log stay bounded, and it counts every
// datagram the socket delivered.

#include "protocol/udp_link.h"
#include "window_fixture.h"

#include <QElapsedTimer>
#include <QFile>
#include <QUdpSocket>
#include <QtTest>
#include <atomic>
#include <thread>

using namespace talvik;
using namespace talvik::test;

namespace {
long residentKb()
{
    QFile f("/proc/self/status");
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : f.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    return 0;
}
} // namespace

class TestFlood : public QObject {
    Q_OBJECT
  private slots:
    void aMillionDatagramsFromAThousandIdentifiers()
    {
        WindowFixture f(WindowSetup().real());
        auto& w = *f.window;
        auto& link = *f.udp;
        auto& messages = f.messages;
        w.Ch_Box_Conf_IP->setChecked(true);
        long delivered = 0;
        connect(&link, &Link::datagramsArrived, this,
                [&](const QList<Datagram>& d) { delivered += d.size(); });
        const long before = residentKb();

        const quint16 port = link.boundPort();
        std::atomic<bool> done{false};
        std::thread sender([&] {
            QUdpSocket s;
            s.bind(QHostAddress::LocalHost, 0);
            for (int i = 0; i < 1000000; ++i) {
                const int ident = i % 1000;
                s.writeDatagram(QByteArray("report iden") + char(ident & 0xFF) + char(ident >> 8),
                                QHostAddress::LocalHost, port);
                if (i % 256 == 255)
                    std::this_thread::yield();
            }
            done = true;
        });
        QElapsedTimer quiet;
        quiet.start();
        long seen = 0;
        while (!done || quiet.elapsed() < 300) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
            if (delivered != seen) {
                seen = delivered;
                quiet.restart();
            }
        }
        sender.join();

        QVERIFY(delivered > 0);
        QCOMPARE(w.LabIn->text().toLong(), delivered);
        QCOMPARE(w.CoBox_Iden->count(), 256);
        QCOMPARE(w.identRecords().size(), 256);
        QVERIFY(w.Memo1->blockCount() <= 10000);
        QVERIFY(messages.messages.isEmpty() && messages.errors.isEmpty());
        const long grownMb = (residentKb() - before) / 1024;
        QVERIFY2(grownMb < 200, qPrintable(QString("resident memory grew by %1 MB").arg(grownMb)));
        qInfo("delivered %ld of 1000000 datagrams, resident memory +%ld MB", delivered, grownMb);
    }
};

QTEST_MAIN(TestFlood)
#include "test_flood.moc"
