// The real sockets, on loopback only: what a board at 127.0.0.1 receives, the
// exclusive listening port, and what the window receives.

#include "catalogue.h"
#include "net/socket_load.h"
#include "net/udp_link.h"
#include "window_fixture.h"
#include "wire/frames.h"

#include <QNetworkDatagram>
#include <QUdpSocket>
#include <QtTest>

using namespace talvik;
using namespace talvik::test;

namespace {
std::unique_ptr<QUdpSocket> boardSocket()
{
    auto s = std::make_unique<QUdpSocket>();
    s->bind(QHostAddress::LocalHost, 0);
    return s;
}

// The window on real sockets, its second and third command ports (and the word frames) at a board's.
struct RealWindow : WindowFixture {
    RealWindow(quint16 listenPort, quint16 second, quint16 third)
        : WindowFixture(WindowSetup().real(listenPort).boards(second, third, third))
    {
    }
};
} // namespace

class TestUdpLink : public QObject {
    Q_OBJECT
  private slots:
    void aReadReachesTheBoardFromTheListeningPort()
    {
        auto a = boardSocket(), b = boardSocket(), c = boardSocket();
        RealWindow w(0, b->localPort(), c->localPort());
        QVERIFY(w.listening());
        setAddress(w.window->Ed_0, "127.0.0.1");
        w.window->CurEd_Port->setValue(a->localPort());
        w.window->Button8->click();
        for (QUdpSocket* s : {a.get(), b.get(), c.get()}) {
            QTRY_VERIFY(s->hasPendingDatagrams());
            const QNetworkDatagram d = s->receiveDatagram();
            QCOMPARE(d.data(), buildReadFrame(Memory::Working));
            QCOMPARE(d.senderPort(), int(w.listeningPort()));
        }
    }

    void wordFramesLeaveFromAnotherPort()
    {
        auto a = boardSocket();
        RealWindow w(0, a->localPort(), a->localPort());
        w.window->SendWordFrame("msi", "127.000.000.001", a->localPort());
        QTRY_VERIFY(a->hasPendingDatagrams());
        const QNetworkDatagram d = a->receiveDatagram();
        QCOMPARE(d.data(), padDigits("msi"));
        QVERIFY(d.senderPort() != int(w.listeningPort()));
    }

    // Many frames in one hand-over: each to both ports, in order; a board whose frame cannot
    // go (larger than a datagram can be) gets none, and the boards after it still get theirs.
    void manyFramesGoTogether()
    {
        UdpLink link(0);
        QVERIFY(link.openListener());
        QUdpSocket five, six;
        QVERIFY(five.bind(QHostAddress("127.0.0.5"), 0) && six.bind(QHostAddress("127.0.0.6"), 0));
        QList<Link::Outgoing> frames;
        for (int i = 0; i < 300; ++i) // more than one system call's worth
            frames.append({QHostAddress(i % 2 ? "127.0.0.6" : "127.0.0.5"),
                           i == 1 ? QByteArray(70000, 'x') : QByteArray::number(i)});
        // All handed over: the one too large failed for good, none waits for room.
        QCOMPARE(link.sendManyFromListener(frames, {five.localPort(), six.localPort()}), 300);
        for (auto [socket, first, count] : {std::tuple{&five, 0, 150}, std::tuple{&six, 3, 149}}) {
            QList<QByteArray> got;
            QVERIFY(QTest::qWaitFor(
                [&] {
                    while (socket->hasPendingDatagrams())
                        got << socket->receiveDatagram().data();
                    return got.size() >= count;
                },
                5000));
            QCOMPARE(got.size(), count);
            for (int k = 0; k < count; ++k)
                QCOMPARE(got[k], QByteArray::number(first + 2 * k));
        }
    }

    void theListeningPortIsExclusive()
    {
        UdpLink first(0);
        QVERIFY(first.openListener());
        UdpLink second(first.boundPort());
        QVERIFY(!second.openListener());
    }

    void aTakenPortIsReportedAndASendReopensIt()
    {
        auto holder = std::make_unique<QUdpSocket>();
        QVERIFY(holder->bind(QHostAddress::AnyIPv4, 0, QAbstractSocket::DontShareAddress));
        const quint16 port = holder->localPort();
        auto board = boardSocket();
        RealWindow w(port, board->localPort(), board->localPort());
        QTRY_COMPARE_WITH_TIMEOUT(w.messages.messages, QStringList{text("Port 6767 ERROR")}, 5000);
        QVERIFY(!w.listening());

        setAddress(w.window->Ed_0, "127.0.0.1");
        w.window->CurEd_Port->setValue(board->localPort());
        w.window->Button2->click(); // port still taken: nothing leaves
        QVERIFY(!w.listening());

        holder.reset();
        w.window->Button2->click();
        QVERIFY(w.listening());
        QTRY_VERIFY(board->hasPendingDatagrams());
        const QNetworkDatagram d = board->receiveDatagram();
        QCOMPARE(d.senderPort(), int(port));

        board->writeDatagram(QByteArray("hello"), QHostAddress::LocalHost, port); // replies come in again
        QTRY_COMPARE(w.window->LabIn->text(), QString("1"));
    }

    // What a full socket buffer dropped, as the system counts it (read on Linux only).
    void theSystemsDropsAreCounted()
    {
#ifndef Q_OS_LINUX
        QSKIP("the system's drop counter is read on Linux");
#endif
        QUdpSocket full; // never read: its buffer fills
        QVERIFY(full.bind(QHostAddress::LocalHost, 0));
        full.setSocketOption(QAbstractSocket::ReceiveBufferSizeSocketOption, 2048);
        QUdpSocket sender;
        for (int i = 0; i < 200; ++i)
            sender.writeDatagram(QByteArray(100, 'x'), QHostAddress::LocalHost, full.localPort());
        const SocketLoad load = socketLoad(full.socketDescriptor());
        QVERIFY(load.drops > 0);
        QVERIFY(load.queued > 0 && load.queued <= load.size);
    }

    // A burst makes the window thread yield to the reader; once it is over, the backlog
    // goes to the window at full speed, not a batch every BehindMs for as long as it lasts.
    void theBurstsYieldEndsWithTheBurst()
    {
        UdpLink link(0);
        link.setLoopbackOnly(true);
        QVERIFY(link.openListener());
        qint64 got = 0;
        connect(&link, &Link::datagramsArrived, this, [&](const QList<Datagram>& d) { got += d.size(); });
        // Sent by the reader to itself, so that nothing is read meanwhile: its buffer fills.
        const QList<Link::Outgoing> burst(3000,
                                          Link::Outgoing{QHostAddress::LocalHost, QByteArray(100, 'x')});
        QVERIFY(link.sendManyFromListener(burst, {link.boundPort()}) > 0);
        QTRY_VERIFY(link.taken() > 0);
        QTRY_COMPARE(got, qint64(link.taken()));
        QTRY_VERIFY(!link.readerBehind());
    }

    void datagramsArriveWholeUpTo8192Bytes()
    {
        UdpLink link(0);
        link.setLoopbackOnly(true);
        QVERIFY(link.openListener());
        QList<QByteArray> got;
        QList<quint16> ports;
        connect(&link, &Link::datagramsArrived, this, [&](const QList<Datagram>& datagrams) {
            for (const Datagram& d : datagrams) {
                got << d.data;
                ports << d.port;
                QCOMPARE(d.sender, 0x7F000001u); // 127.0.0.1
            }
        });
        auto sender = boardSocket();
        QByteArray withZeros("\0\xff\0iden", 7);
        sender->writeDatagram(QByteArray(), QHostAddress::LocalHost, link.boundPort());
        sender->writeDatagram(withZeros, QHostAddress::LocalHost, link.boundPort());
        sender->writeDatagram(QByteArray(8193, 'x'), QHostAddress::LocalHost, link.boundPort());
        sender->writeDatagram(QByteArray(8192, 'y'), QHostAddress::LocalHost, link.boundPort());
        QTRY_COMPARE(got.size(), 3);
        QCOMPARE(got[0], QByteArray());
        QCOMPARE(got[1], withZeros);
        QCOMPARE(got[2], QByteArray(8192, 'y'));
        QCOMPARE(ports[0], sender->localPort());
    }
};

QTEST_MAIN(TestUdpLink)
#include "test_udp_link.moc"
