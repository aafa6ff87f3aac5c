// Two copies of the program on the real port 6767 (under a CTest resource lock):
// the second reports the port and both keep working.

#include "gui/app/texts.h"
#include "net/udp_link.h"
#include "window_fixture.h"

#include <QNetworkDatagram>
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
        QCOMPARE(second.messages.messages, QStringList{texts::PortError});
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
};

QTEST_MAIN(TestSecondCopy)
#include "test_second_copy.moc"
