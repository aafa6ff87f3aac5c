// The configurator and a simulated board talking over loopback: read, write,
// reboot and the follow-up reads, as an operator would do them.

#include "board_simulator.h"
#include "catalogue.h"
#include "net/udp_link.h"
#include "window_fixture.h"

#include <QUdpSocket>
#include <QtTest>

using namespace talvik;
using namespace talvik::test;

namespace {
// The window on real sockets and one simulated board on 127.0.0.2 answering on both its ports.
struct Bench {
    sim::BoardSimulator sim;
    std::unique_ptr<WindowFixture> f;
    TForm1_Config_UDP* window = nullptr;

    explicit Bench(int rebootMs) : sim(simOptions(rebootMs))
    {
        QString error;
        auto def =
            sim::parseBoardDefinition("127.0.0.2,ident=1234,version=2.17,dhcp=0,mask=255.255.255.0", &error);
        if (!def || !sim.addBoard(*def, &error))
            qFatal("%s", qPrintable(error));
        const QList<quint16> ports = sim.ports(0);
        f = std::make_unique<WindowFixture>(WindowSetup().real().boards(ports[1], ports[1], ports[0]));
        window = f->window.get();
        setAddress(window->Ed_0, "127.0.0.2");
        window->CurEd_Port->setValue(ports[0]);
    }

    static sim::SimOptions simOptions(int rebootMs)
    {
        sim::SimOptions o;
        o.ports = {0, 0};
        o.rebootMs = rebootMs;
        return o;
    }
};
} // namespace

class TestEndToEnd : public QObject {
    Q_OBJECT
  private slots:
    void readsTheWorkingConfiguration()
    {
        Bench b(100);
        auto& w = *b.window;
        w.Button8->click();
        QTRY_COMPARE(w.ED_7->texts(), QStringList({"127", "000", "000", "002"}));
        QCOMPARE(w.ED_8->texts(), QStringList({"255", "255", "255", "000"}));
        QCOMPARE(w.ED_10->texts(), QStringList({"00", "1E", "7F", "00", "00", "02"}));
        QTRY_COMPARE(w.Lab_Ver->text(), "2.17" + text(" - Версія программи"));
        QCOMPARE(w.CurrencyEdit1->formattedText(), QString("1234"));
        QVERIFY(!w.CheckBox5->isChecked());
        QCOMPARE(w.Label_In_IP->text(), QString("127.0.0.2"));
        QVERIFY(b.f->messages.messages.isEmpty());
    }

    void writeThenPermanentMemoryThenRebootAndFollowUpReads()
    {
        Bench b(200);
        auto& w = *b.window;
        setAddress(w.ED_2, "127.0.0.2");
        setAddress(w.ED_3, "255.255.0.0");
        setAddress(w.ED_4, "127.0.0.254");
        w.Button5->click();            // MAC from the IP
        w.CheckBox4->setChecked(true); // DHCP board, and so a dynamic console
        setAddress(w.ED_1, "127.0.0.1");
        w.IND_MEdit->setValue(4321);

        w.Button1->click();
        QTRY_COMPARE(w.ED_8->texts(), QStringList({"255", "255", "000", "000"})); // permanent memory, at once
        QCOMPARE(w.ED_9->texts(), QStringList({"127", "000", "000", "254"}));
        QTRY_COMPARE(w.CurrencyEdit1->formattedText(), QString("4321"));
        QVERIFY(w.CheckBox5->isChecked());
        QVERIFY(w.CheckBox3->isChecked());
        QVERIFY(w.ED_6->isVisibleTo(&w));

        w.Button8->click(); // the working configuration is still the old one
        QTRY_COMPARE(w.ED_8->texts(), QStringList({"255", "255", "255", "000"}));

        w.Button3->click();
        QTRY_COMPARE(w.EditRs->text(), QString("Ok"));
        QVERIFY(w.TimerRead_Conf->isActive());
        // the follow-up reads bring the new working configuration once the board is up
        QTRY_COMPARE_WITH_TIMEOUT(w.ED_8->texts(), QStringList({"255", "255", "000", "000"}), 8000);
        QTRY_VERIFY_WITH_TIMEOUT(!w.TimerRead_Conf->isActive(), 8000);
        QTRY_COMPARE(w.CurrencyEdit1->formattedText(), QString("4321"));
        QVERIFY(b.f->messages.messages.isEmpty());
    }
};

QTEST_MAIN(TestEndToEnd)
#include "test_end_to_end.moc"
