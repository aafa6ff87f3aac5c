// The paths that leave loopback, on real sockets, in the network namespace of their own
// that `make test` runs in: simulated boards on 192.168.1.0/24 and 10.0.0.2.

#include "board_simulator.h"
#include "file_limit.h"
#include "net/private_network.h"
#include "window_fixture.h"
#include "wire/frames.h"

#include <QNetworkDatagram>
#include <QUdpSocket>
#include <QtTest>

using namespace talvik;
using namespace talvik::test;

namespace {
// A peer that counts what reaches it.
struct Peer {
    QUdpSocket socket;
    QList<QByteArray> got;
    Peer(const char* address, quint16 port)
    {
        QVERIFY2(socket.bind(QHostAddress(QLatin1String(address)), port), address);
        QObject::connect(&socket, &QUdpSocket::readyRead, [this] {
            while (socket.hasPendingDatagrams())
                got.append(socket.receiveDatagram().data());
        });
    }
};

std::unique_ptr<sim::BoardSimulator> boards(const QString& definition, QList<quint16> ports,
                                            const QHostAddress& broadcast = {})
{
    sim::SimOptions o;
    o.ports = ports;
    o.broadcast = broadcast;
    auto sim = std::make_unique<sim::BoardSimulator>(o);
    if (QString error; !sim->addBoards(definition, &error))
        qFatal("%s", qPrintable(error));
    return sim;
}
} // namespace

class TestNetwork : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase()
    {
        if (!networkIsLoopbackOnly())
            QSKIP("needs a network of its own (make test runs it in one)");
        raiseFileLimit();
    }

    // Each board of a run gets its word frames on 8026; the fixed peer gets the burst
    // of every tick; nothing goes to the address the sending socket is re-pointed at.
    void rangeRebootEndToEnd_data()
    {
        QTest::addColumn<int>("stopAfter"); // ticks; -1: run to the count
        QTest::addColumn<int>("ticks");
        QTest::newRow("three boards") << -1 << 9;
        QTest::newRow("stopped during the second board") << 4 << 5;
    }
    void rangeRebootEndToEnd()
    {
        QFETCH(int, stopAfter);
        QFETCH(int, ticks);
        auto sim = boards("192.168.1.20-22", {8026});
        QList<int> words(3);
        QObject::connect(sim.get(), &sim::BoardSimulator::received, [&](int board, const QByteArray& d) {
            if (d == padDigits("msi") || d == padDigits("vsi"))
                ++words[board];
        });
        Peer burst("192.168.1.8", 8025), repointed("192.168.1.145", 6769);
        WindowFixture f(WindowSetup().real());
        auto& w = *f.window;
        w.CheckBox1->setChecked(true);
        setAddress(w.Panel1, "192.168.1.20");
        w.EdR1_0_IP_0->setValue(3);
        int fired = 0;
        connect(w.Timer2_Conf, &QTimer::timeout, this, [&] {
            if (++fired == stopAfter)
                w.Button6->click(); // STOP: the next tick still goes out in full
        });
        w.Button4->click();
        QTRY_VERIFY_WITH_TIMEOUT(!w.Timer2_Conf->isActive(), 5000);
        QCOMPARE(fired, ticks);
        QTRY_COMPARE(burst.got.size(), 100 * ticks);
        QVERIFY(std::all_of(burst.got.cbegin(), burst.got.cend(),
                            [](const auto& d) { return d == rebootFrame(); }));
        QCOMPARE(words, stopAfter < 0 ? QList<int>({6, 6, 6}) : QList<int>({6, 4, 0}));
        QTest::qWait(50);
        QVERIFY(repointed.got.isEmpty());
        QCOMPARE(w.Edit2->text(), QString("192.168.1.145"));
        QCOMPARE(w.ProgressBar1->value(), w.ProgressBar1->maximum());
        QVERIFY(f.messages.messages.isEmpty());
    }

    // 010.000.000.002 is 10.0.0.2, read as decimal: the board there answers.
    void theShortcutThenARead()
    {
        auto sim = boards("10.0.0.2,ident=10,version=2.17", {0, 0});
        const QList<quint16> ports = sim->ports(0);
        WindowFixture f(WindowSetup().real().boards(ports[1], ports[1], ports[0]));
        auto& w = *f.window;
        w.CurEd_Port->setValue(ports[0]);
        w.Lab_IP1DblClick(w.Lab_IP1);
        QCOMPARE(w.boardAddressString(), QString("010.000.000.002"));
        w.Button8->click();
        QTRY_COMPARE(w.ED_7->texts(), QStringList({"010", "000", "000", "002"}));
        QCOMPARE(w.Label_In_IP->text(), QString("10.0.0.2"));
        QCOMPARE(w.Lab_Ver->text().left(4), QString("2.17"));
    }

    // A read sent to the subnet's broadcast address, answered by 250 boards on both of
    // their ports at once: every reply is counted.
    void aBroadcastReadAnsweredBy250Boards()
    {
        auto sim = boards("192.168.1.2-251,version=2.17", {0, 0}, QHostAddress("192.168.1.255"));
        const QList<quint16> ports = sim->ports(0);
        QUdpSocket nobody; // the third command port: no board listens there
        nobody.bind(QHostAddress::LocalHost, 0);
        WindowFixture f(WindowSetup().real().boards(ports[1], nobody.localPort(), ports[0]));
        nobody.close();
        auto& w = *f.window;
        w.CurEd_Port->setValue(ports[0]);
        setAddress(w.Ed_0, "192.168.1.255");
        w.Button8->click();
        QTRY_COMPARE_WITH_TIMEOUT(w.LabIn->text(), QString::number(250 * 2), 10000);
        QTest::qWait(100);
        QCOMPARE(w.LabIn->text(), QString::number(250 * 2));
        QCOMPARE(f.udp->overflowed(), quint64(0));
        QVERIFY(w.Label_In_IP->text().startsWith("192.168.1."));
    }
};

QTEST_MAIN(TestNetwork)
#include "test_network.moc"
