// The board simulator: its answers byte by byte, its memories, and its sockets on loopback.

#include "board_simulator.h"
#include "net/private_network.h"
#include "wire/datagram.h"
#include "wire/frames.h"

#include <QNetworkDatagram>
#include <QSignalSpy>
#include <QUdpSocket>
#include <QtTest>

#include "bytes.h"

using namespace talvik;
using namespace talvik::sim;
using talvik::test::slice;

namespace {
BoardDefinition definition(const QString& text)
{
    QString error;
    const auto def = parseBoardDefinition(text, &error);
    if (!def)
        qFatal("%s", qPrintable(error));
    return *def;
}

WriteFields newConfig()
{
    WriteFields w;
    w.ip = {127, 0, 0, 2};
    w.mask = {255, 255, 0, 0};
    w.gateway = {127, 0, 0, 9};
    w.mac = {0x00, 0x1E, 0xC0, 0xA8, 0x01, 0x05};
    w.dispatcher = {127, 0, 0, 1};
    w.ident = 4321;
    w.consoleDynamic = true;
    w.boardDhcp = true;
    return w;
}
} // namespace

class TestBoardSim : public QObject {
    Q_OBJECT
  private slots:
    void configReplyLayout()
    {
        SimBoard board("127.0.0.2",
                       definition("127.0.0.2,ident=12345,version=2.17,dhcp=1,console=1,"
                                  "dispatcher=127.0.0.1,mac=00:1E:AF:05:C0:FF,branch=3")
                           .config,
                       "2.17");
        const QByteArray r = board.handle(buildReadFrame(Memory::Working)).reply;
        QVERIFY(r.size() <= 100);
        QCOMPARE(slice(r, 1, 4), QByteArray("\x7f\x00\x00\x01", 4));
        QCOMPARE(slice(r, 5, 8), QByteArray("\x7f\x00\x00\x02", 4));
        QCOMPARE(slice(r, 9, 12), QByteArray("\xff\x00\x00\x00", 4));
        QCOMPARE(slice(r, 13, 16), QByteArray("\x7f\x00\x00\x01", 4));
        QCOMPARE(slice(r, 17, 22), QByteArray("\x00\x1e\xaf\x05\xc0\xff", 6));
        QCOMPARE(slice(r, 23, 25), QByteArray("NL\x03"));
        QCOMPARE(slice(r, 26, 29), QByteArray("iden"));
        QCOMPARE(slice(r, 30, 32), QByteArray("\x39\x30\x01"));
        QCOMPARE(slice(r, 43, 45), QByteArray("VER"));
        QCOMPARE(slice(r, 46, 50), QByteArray("2.17#"));
        QCOMPARE(slice(r, 76, 76), QByteArray("1"));
        QCOMPARE(classify(r), ReplyKind::Configuration);
        QCOMPARE(versionText(r).value_or(QString()), QString("2.17"));
    }

    void thirtyCharacterVersionHasNoHash()
    {
        const QByteArray version(30, 'v');
        const QByteArray r = configReply(WriteFields{}, version);
        QCOMPARE(slice(r, 46, 75), version);
        QCOMPARE(slice(r, 76, 76), QByteArray(1, '\0'));
    }

    void writeGoesToPermanentMemoryUntilAReboot()
    {
        SimBoard board("127.0.0.2", definition("127.0.0.2,ident=7").config, "2.17");
        WriteFields written = newConfig();
        QVERIFY(board.handle(buildWriteFrame(written)).reply.isEmpty());

        const QByteArray permanent = board.handle(buildReadFrame(Memory::Permanent)).reply;
        const QByteArray working = board.handle(buildReadFrame(Memory::Working)).reply;
        QCOMPARE(permanent.left(40), configFields(written));
        QCOMPARE(identBlock(working)->ident, 7);

        const Answer ack = board.handle(rebootFrame());
        QVERIFY(ack.startReboot);
        QVERIFY(ack.reply.startsWith("rzt"));
        QCOMPARE(classify(ack.reply), ReplyKind::RebootAck);
        QCOMPARE(talvik::identifierField(ack.reply).value_or(-1), 7);
        QVERIFY(board.handle(buildReadFrame(Memory::Working)).reply.isEmpty()); // silent while rebooting

        board.finishReboot();
        QCOMPARE(board.handle(buildReadFrame(Memory::Working)).reply.left(40), configFields(written));
    }

    void wordFramesAreIgnored()
    {
        SimBoard board("127.0.0.2", WriteFields{}, "1");
        QVERIFY(board.handle(padDigits("msi")).reply.isEmpty());
        QVERIFY(board.handle(padDigits("vsi")).reply.isEmpty());
        QVERIFY(!board.rebooting());
    }

    void definitions_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("plain") << "127.0.0.2" << true;
        QTest::newRow("keys") << "127.0.0.3,ident=1234,version=2.17,dhcp=0" << true;
        // any address only where nothing can leave the machine (a network of loopback alone)
        const bool ownNetwork = networkIsLoopbackOnly();
        QTest::newRow("private address") << "192.168.1.20" << ownNetwork;
        QTest::newRow("public address") << "8.8.8.8" << ownNetwork;
        QTest::newRow("version with Port") << "127.0.0.2,version=Port1" << false;
        QTest::newRow("version with #") << "127.0.0.2,version=1#2" << false;
        QTest::newRow("version too long") << "127.0.0.2,version=" + QString(31, 'x') << false;
        QTest::newRow("ident too large") << "127.0.0.2,ident=65536" << false;
        QTest::newRow("unknown key") << "127.0.0.2,colour=red" << false;
        QTest::newRow("fleet") << "127.0.1.1-127.0.1.5,writes=0,ack=0" << true;
        QTest::newRow("fleet by last octet") << "127.0.1.1-5" << true;
        QTest::newRow("fleet backwards") << "127.0.1.5-127.0.1.1" << false;
        QTest::newRow("fleet leaving loopback") << "127.255.255.250-128.0.0.2" << ownNetwork;
    }
    void definitions()
    {
        QFETCH(QString, text);
        QFETCH(bool, accepted);
        QString error;
        QCOMPARE(bool(parseBoards(text, &error)), accepted);
        QCOMPARE(error.isEmpty(), accepted);
    }

    void eachBoardOfAFleetIsItsOwn()
    {
        QString error;
        const auto numbered = parseBoards("127.0.1.1-3", &error);
        const auto from40 = parseBoards("127.0.1.1-3,ident=40", &error);
        QCOMPARE(numbered->size(), 3);
        QCOMPARE(numbered->at(2).address, QString("127.0.1.3"));
        QCOMPARE(numbered->at(2).config.ip, (Ipv4{127, 0, 1, 3}));
        QCOMPARE(numbered->at(2).config.mac[5], quint8(3));
        QCOMPARE(numbered->at(2).config.ident, quint16(3));
        QCOMPARE(from40->at(2).config.ident, quint16(42));
    }

    void answersOnEveryPortItWasSentTo_data()
    {
        QTest::addColumn<bool>("shared");
        QTest::addColumn<bool>("firstPortOnly");
        QTest::addColumn<int>("replies");
        QTest::newRow("every port") << false << false << 2;
        QTest::newRow("first port only") << false << true << 1;
        QTest::newRow("one socket a port for the fleet") << true << false << 2;
        QTest::newRow("the same, first port only") << true << true << 1;
    }
    // Each board answers from its own address, to the frames sent to it alone.
    void answersOnEveryPortItWasSentTo()
    {
        QFETCH(bool, shared);
        QFETCH(bool, firstPortOnly);
        QFETCH(int, replies);
        SimOptions o;
        o.ports = {0, 0};
        o.firstPortOnly = firstPortOnly;
        o.sharedSockets = shared;
        BoardSimulator sim(o);
        QString error;
        QVERIFY2(sim.addBoards("127.0.0.2-4,ident=97", &error), qPrintable(error));
        QCOMPARE(sim.ports(2), sim.ports(0));
        QSignalSpy log(&sim, &BoardSimulator::logLine);
        QUdpSocket pc;
        QVERIFY(pc.bind(QHostAddress::LocalHost, 0));
        for (quint16 port : sim.ports(0))
            pc.writeDatagram(buildReadFrame(Memory::Working), QHostAddress("127.0.0.3"), port);
        pc.writeDatagram(buildReadFrame(Memory::Working), QHostAddress("127.0.0.5"), sim.ports(0).first());
        // both frames are logged in, and every reply out, before the count settles
        QTRY_COMPARE(log.count(), 2 + replies);
        QList<quint16> from;
        while (pc.hasPendingDatagrams()) {
            const QNetworkDatagram d = pc.receiveDatagram();
            QCOMPARE(d.senderAddress(), QHostAddress("127.0.0.3"));
            QCOMPARE(identBlock(d.data())->ident, 98);
            from << quint16(d.senderPort());
        }
        QCOMPARE(from.size(), replies);
        QCOMPARE(from.first(), sim.ports(0).first());
    }

    void rebootThenTheNewWorkingConfiguration()
    {
        SimOptions o;
        o.ports = {0};
        o.rebootMs = 50;
        BoardSimulator sim(o);
        QString error;
        QVERIFY(sim.addBoard(definition("127.0.0.2,ident=5"), &error));
        const quint16 port = sim.ports(0).first();
        QUdpSocket pc;
        QVERIFY(pc.bind(QHostAddress::LocalHost, 0));
        auto ask = [&](const QByteArray& frame) {
            pc.writeDatagram(frame, QHostAddress("127.0.0.2"), port);
            if (!QTest::qWaitFor([&] { return pc.hasPendingDatagrams(); }, 2000))
                return QByteArray();
            return pc.receiveDatagram().data();
        };
        pc.writeDatagram(buildWriteFrame(newConfig()), QHostAddress("127.0.0.2"), port);
        QCOMPARE(ask(buildReadFrame(Memory::Permanent)).left(40), configFields(newConfig()));
        QCOMPARE(identBlock(ask(buildReadFrame(Memory::Working)))->ident, 5);
        QVERIFY(ask(rebootFrame()).startsWith("rzt"));
        QTRY_VERIFY(!sim.board(0).rebooting());
        QCOMPARE(ask(buildReadFrame(Memory::Working)).left(40), configFields(newConfig()));
    }

    void lostRepliesAndAnnouncements()
    {
        QUdpSocket pc;
        QVERIFY(pc.bind(QHostAddress::LocalHost, 0));
        SimOptions o;
        o.ports = {0};
        o.dropRate = 1.0;
        o.announceHost = QHostAddress::LocalHost;
        o.announcePort = pc.localPort();
        o.announceMs = 20;
        BoardSimulator sim(o);
        QString error;
        QVERIFY(sim.addBoard(definition("127.0.0.2,ident=258"), &error));
        QSignalSpy log(&sim, &BoardSimulator::logLine);
        pc.writeDatagram(buildReadFrame(Memory::Working), QHostAddress("127.0.0.2"), sim.ports(0).first());
        QTRY_VERIFY(log.count() >= 2); // the read lost on its way in, an announcement dropped
        QVERIFY(log.at(0).at(0).toString().startsWith("127.0.0.2 lost on its way in: read"));
        QVERIFY(log.at(1).at(0).toString().startsWith("dropped identifier announcement"));
        QVERIFY(!pc.hasPendingDatagrams());
    }

    void announcementsCarryTheIdentifier()
    {
        QUdpSocket pc;
        QVERIFY(pc.bind(QHostAddress::LocalHost, 0));
        SimOptions o;
        o.ports = {0};
        o.announceHost = QHostAddress::LocalHost;
        o.announcePort = pc.localPort();
        o.announceMs = 20;
        BoardSimulator sim(o);
        QString error;
        QVERIFY(sim.addBoard(definition("127.0.0.4,ident=258"), &error));
        QTRY_VERIFY(pc.hasPendingDatagrams());
        const QByteArray a = pc.receiveDatagram().data();
        QCOMPARE(talvik::identifierField(a).value_or(-1), 258);
        QCOMPARE(classify(a), ReplyKind::Other);
    }

    void announcementsStayOnThisMachine()
    {
        SimOptions o;
        o.ports = {0};
        o.announceHost = QHostAddress("192.168.1.1");
        o.announcePort = 6767;
        BoardSimulator sim(o);
        QString error;
        QCOMPARE(sim.addBoard(definition("127.0.0.2"), &error), networkIsLoopbackOnly());
        QCOMPARE(error.contains("loopback"), !networkIsLoopbackOnly());
    }
};

QTEST_MAIN(TestBoardSim)
#include "test_board_sim.moc"
