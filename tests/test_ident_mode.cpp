// Identifier mode with boards on several loopback addresses announcing themselves.

#include "board_simulator.h"
#include "net/udp_link.h"
#include "window_fixture.h"

#include <QUdpSocket>
#include <QtTest>

using namespace talvik;
using namespace talvik::test;

namespace {
// The window on real sockets, and boards on loopback addresses that announce themselves.
struct Boards : WindowFixture {
    std::vector<std::unique_ptr<QUdpSocket>> senders;

    Boards() : WindowFixture(WindowSetup().real()) {}
    // A board at `address` says who it is.
    quint16 announce(const QString& address, int ident)
    {
        auto s = std::make_unique<QUdpSocket>();
        s->bind(QHostAddress(address), 0);
        s->writeDatagram(sim::announcement(quint16(ident)), QHostAddress::LocalHost, listeningPort());
        const quint16 port = s->localPort();
        senders.push_back(std::move(s));
        return port;
    }
    QStringList items() const
    {
        QStringList out;
        for (int i = 0; i < window->CoBox_Iden->count(); ++i)
            out << window->CoBox_Iden->itemText(i);
        return out;
    }
};
} // namespace

class TestIdentMode : public QObject {
    Q_OBJECT
  private slots:
    void onAndOffWithNothingReceived()
    {
        WindowFixture f;
        auto& w = *f.window;
        setAddress(w.Ed_0, "192.168.1.5");
        w.Ch_Box_Conf_IP->setChecked(true);
        QCOMPARE(w.Ed_0->texts(), QStringList({"000", "000", "000", "000"}));
        QCOMPARE(w.CurEd_Port->formattedText(), QString("0"));
        for (QWidget* shown : {static_cast<QWidget*>(w.CoBox_Iden), static_cast<QWidget*>(w.Lab_Iden),
                               static_cast<QWidget*>(w.Pan_Port), static_cast<QWidget*>(w.Lab_Port),
                               static_cast<QWidget*>(w.Memo1)})
            QVERIFY(shown->isVisibleTo(&w));
        QVERIFY(w.Lab_IP1->isHidden());
        QVERIFY(w.Lab_IP2->isHidden());

        w.Ch_Box_Conf_IP->setChecked(false);
        QCOMPARE(w.Ed_0->texts(), QStringList({"192", "168", "001", "005"}));
        QCOMPARE(w.CurEd_Port->formattedText(), QString("8026"));
        QCOMPARE(w.CoBox_Iden->count(), 0);
        QVERIFY(w.Memo1->toPlainText().isEmpty());
        QVERIFY(w.CoBox_Iden->isHidden());
        QVERIFY(w.Lab_IP1->isVisibleTo(&w));
    }

    void boardsAreListedAndPicked()
    {
        Boards b;
        auto& w = *b.window;
        w.Ch_Box_Conf_IP->setChecked(true);
        const quint16 p2 = b.announce("127.0.0.2", 300);
        b.announce("127.0.0.3", 1234);
        const quint16 p4 = b.announce("127.0.0.4", 77);
        QTRY_COMPARE(w.CoBox_Iden->count(), 3);
        QCOMPARE(b.items(), QStringList({"1234", "300", "77"}));
        QCOMPARE(w.CoBox_Iden->currentText(), QString("300")); // the first arrival
        QCOMPARE(w.Ed_0->texts(), QStringList({"127", "000", "000", "002"}));
        QCOMPARE(w.CurEd_Port->value(), int(p2));

        // the operator picks 77 with the keyboard
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        w.CoBox_Iden->setFocus();
        QTest::keyClick(w.CoBox_Iden, Qt::Key_Down);
        QCOMPARE(w.CoBox_Iden->currentText(), QString("77"));
        QCOMPARE(w.Ed_0->texts(), QStringList({"127", "000", "000", "004"}));
        QCOMPARE(w.CurEd_Port->value(), int(p4));

        // 77 again from a new sender: its record follows, and so do the editors
        const quint16 p5 = b.announce("127.0.0.5", 77);
        QTRY_COMPARE(w.Ed_0->texts(), QStringList({"127", "000", "000", "005"}));
        QCOMPARE(w.CurEd_Port->value(), int(p5));
        QCOMPARE(w.CoBox_Iden->count(), 3);
        QTRY_COMPARE(w.Memo1->blockCount(), 4);
    }

    // A new identifier sorted above the selected one moves the selection from code:
    // that is no pick, so the address the operator typed since stays.
    void theListsOwnSelectionRaisesNoPick()
    {
        WindowFixture f;
        auto& w = *f.window;
        w.Ch_Box_Conf_IP->setChecked(true);
        f.link.deliver(QByteArray("report iden\x2c\x01", 13), "127.0.0.2", 9); // 300, selected
        QCOMPARE(w.CoBox_Iden->currentText(), QString("300"));
        setAddress(w.Ed_0, "127.0.0.77");
        f.link.deliver(QByteArray("report iden\xd2\x04", 13), "127.0.0.3", 9); // 1234 goes above it
        QCOMPARE(w.CoBox_Iden->currentIndex(), 1);
        QCOMPARE(w.Ed_0->texts(), QStringList({"127", "000", "000", "077"}));
        QCOMPARE(w.CurEd_Port->value(), 9);
    }

    void pauseStopsLoggingAndListing()
    {
        Boards b;
        auto& w = *b.window;
        w.Ch_Box_Conf_IP->setChecked(true);
        QTest::mouseClick(w.Panel5, Qt::LeftButton);
        QCOMPARE(w.Panel5->text(), QString("Stop"));
        b.announce("127.0.0.2", 5);
        QTRY_COMPARE(w.LabIdent->text(), QString("5"));
        QCOMPARE(w.CoBox_Iden->count(), 0);
        QVERIFY(w.Memo1->toPlainText().isEmpty());

        QTest::mouseClick(w.Panel5, Qt::LeftButton);
        QCOMPARE(w.Panel5->text(), QString("Pusk"));
        b.announce("127.0.0.3", 6);
        QTRY_COMPARE(w.CoBox_Iden->count(), 1);
    }

    void doubleClickUnlocksThePort()
    {
        WindowFixture f;
        auto& w = *f.window;
        w.Ch_Box_Conf_IP->setChecked(true);
        QVERIFY(w.CurEd_Port->isReadOnly());
        QTest::mouseDClick(w.CurEd_Port, Qt::LeftButton);
        QVERIFY(!w.CurEd_Port->isReadOnly());
        QTest::mouseDClick(w.CurEd_Port, Qt::LeftButton);
        QVERIFY(w.CurEd_Port->isReadOnly());
        w.CurEd_PortDblClick(nullptr);
        w.Ch_Box_Conf_IP->setChecked(false);
        QVERIFY(w.CurEd_Port->isReadOnly());
    }

    void noCommandFrameWhileOn()
    {
        WindowFixture f;
        auto& w = *f.window;
        w.Ch_Box_Conf_IP->setChecked(true);
        f.link.deliver(QByteArray("report iden\x01\x00", 13), "127.0.0.2", 9);
        w.Button2->click();
        w.Button8->click();
        w.Button1->click();
        QVERIFY(f.link.sent.isEmpty());
    }
};

QTEST_MAIN(TestIdentMode)
#include "test_ident_mode.moc"
