// Two copies of the program on the real port 6767 (under a CTest resource lock):
// the second reports the port and both keep working.

#include "board_simulator.h"
#include "catalogue.h"
#include "net/udp_link.h"
#include "window_fixture.h"

#include <QNetworkDatagram>
#include <QProcess>
#include <QRandomGenerator>
#include <QTcpServer>
#include <QUdpSocket>
#include <QtTest>

using namespace talvik;
using namespace talvik::test;

namespace {
// A copy of the program on port 6767, pointed at a board on every command port.
struct Copy : WindowFixture {
    explicit Copy(quint16 boardPort)
        : WindowFixture(WindowSetup().real(6767).boards(boardPort, boardPort, boardPort))
    {
        setAddress(window->Ed_0, "127.0.0.1");
        window->CurEd_Port->setValue(boardPort);
    }
};
} // namespace

class TestSecondCopy : public QObject {
    Q_OBJECT
  private slots:
    void theSecondCopyReportsThePortAndBothWork()
    {
        QUdpSocket board;
        QVERIFY(board.bind(QHostAddress::LocalHost, 0));
        Copy first(board.localPort());
        QVERIFY2(first.listening(), "port 6767 is taken on this machine");
        QVERIFY(first.messages.messages.isEmpty());

        Copy second(board.localPort());
        QTRY_COMPARE_WITH_TIMEOUT(second.messages.messages, QStringList{text("Port 6767 ERROR")}, 5000);
        QVERIFY(!second.listening());

        // the first copy still gets every reply
        board.writeDatagram(QByteArray("reply"), QHostAddress::LocalHost, 6767);
        QTRY_COMPARE(first.window->LabIn->text(), QString("1"));
        QCOMPARE(second.window->LabIn->text(), QString("0"));
        first.window->Button8->click();
        QTRY_VERIFY(board.hasPendingDatagrams());
        QCOMPARE(board.receiveDatagram().senderPort(), 6767);
        while (board.hasPendingDatagrams())
            board.receiveDatagram();

        // the second copy stays live and, once the port is free, listens and sends
        second.window->Button8->click();
        QVERIFY(!second.listening());
        QVERIFY(second.window->isEnabled());
        first.window->close();
        second.window->Button8->click();
        QVERIFY(second.listening());
        QTRY_VERIFY(board.hasPendingDatagrams());
        board.writeDatagram(QByteArray("reply"), QHostAddress::LocalHost, 6767);
        QTRY_COMPARE(second.window->LabIn->text(), QString("1"));
    }

    // The exporter holds port 6767 only while a survey runs (here half a second of every
    // second: a /24 with 20 boards); the configurator started at any moment beside it waits
    // for the port instead of saying it is taken. TALVIK_STARTS sets how many starts (10).
    void startsBesideAnExporterSurveying()
    {
        sim::SimOptions o;
        o.ports = {0, 0};
        sim::BoardSimulator boards(o);
        QString error;
        QVERIFY2(boards.addBoards("127.0.7.1-20,version=2.17", &error), qPrintable(error));
        const QList<quint16> ports = boards.ports(0);
        QTcpServer free; // a port for its page
        QVERIFY(free.listen(QHostAddress::LocalHost));
        const QString page = QString("127.0.0.1:%1").arg(free.serverPort());
        free.close();
        QProcess exporter;
        exporter.start(QCoreApplication::applicationDirPath() + "/../tools/talvikctl",
                       {"exporter", "127.0.7.1-254", "--interval", "1", "--listen", page, "--ports",
                        QString("%1,%2").arg(ports[0]).arg(ports[1]), "--timeout", "150"});
        QVERIFY(exporter.waitForStarted());
        QTest::qWait(200);
        QCOMPARE(exporter.state(), QProcess::Running);
        const int starts =
            qEnvironmentVariableIsSet("TALVIK_STARTS") ? qEnvironmentVariableIntValue("TALVIK_STARTS") : 10;
        int waited = 0;
        for (int i = 0; i < starts; ++i) {
            QTest::qWait(QRandomGenerator::global()->bounded(1000)); // a moment of the exporter's second
            WindowFixture f(WindowSetup().real(6767).boards(ports[1], ports[1], ports[0]));
            waited += f.listening() ? 0 : 1;
            QTRY_VERIFY_WITH_TIMEOUT(f.listening(), 3000);
            QCOMPARE(f.messages.messages, QStringList());
            f.close();
        }
        qInfo("%d of %d starts found the port held and waited for it", waited, starts);
        QCOMPARE(exporter.state(), QProcess::Running);
        exporter.terminate();
        exporter.waitForFinished(5000);
    }
};

QTEST_MAIN(TestSecondCopy)
#include "test_second_copy.moc"
