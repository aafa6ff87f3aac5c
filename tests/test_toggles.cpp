// Address-type boxes and their coupling, the 010.000.000.002 shortcut, "IP --> MAC".

#include "catalogue.h"
#include "window_fixture.h"

#include <QtTest>

using namespace talvik;
using namespace talvik::test;

class TestToggles : public QObject {
    Q_OBJECT

    static void checkDispatcherFields(TForm1_Config_UDP& w, bool on)
    {
        for (QWidget* c : {static_cast<QWidget*>(w.ED_1), static_cast<QWidget*>(w.IND_MEdit),
                           static_cast<QWidget*>(w.Label6), static_cast<QWidget*>(w.Label57)})
            QCOMPARE(c->isVisibleTo(&w), on);
        QCOMPARE(w.ED_1->isEnabled(), on);
        QCOMPARE(w.IND_MEdit->isEnabled(), on);
    }

  private slots:
    void coupling_data()
    {
        QTest::addColumn<bool>("board");   // CheckBox4 before
        QTest::addColumn<bool>("console"); // CheckBox2 before
        QTest::addColumn<QString>("box");  // the one the operator clicks
        QTest::addColumn<bool>("boardAfter");
        QTest::addColumn<bool>("consoleAfter");
        QTest::newRow("dynamic board forces a dynamic console")
            << false << false << "CheckBox4" << true << true;
        QTest::newRow("static console forces a static board")
            << true << true << "CheckBox2" << false << false;
        QTest::newRow("static board leaves the console") << true << true << "CheckBox4" << false << true;
        QTest::newRow("dynamic console leaves the board") << false << false << "CheckBox2" << false << true;
    }
    void coupling()
    {
        QFETCH(bool, board);
        QFETCH(bool, console);
        QFETCH(QString, box);
        QFETCH(bool, boardAfter);
        QFETCH(bool, consoleAfter);
        WindowFixture f;
        auto& w = *f.window;
        w.CheckBox2->setChecked(console);
        w.CheckBox4->setChecked(board);
        w.findChild<QCheckBox*>(box)->click();
        QCOMPARE(w.CheckBox4->isChecked(), boardAfter);
        QCOMPARE(w.CheckBox2->isChecked(), consoleAfter);
        QCOMPARE(w.CheckBox2->text(),
                 consoleAfter ? text("Динамічна IP адреса Пульта") : text("Статична IP адреса Пульта"));
        // a box whose state never changed keeps its initial caption, with the trailing blank
        const bool boardChanged = board || boardAfter;
        QCOMPARE(w.CheckBox4->text(), boardAfter ? text("Динамічна IP адреса Плати ( DHCP )")
                                      : boardChanged ? text("Статична IP адреса Плати")
                                                     : text("Статична IP адреса Плати "));
        checkDispatcherFields(w, consoleAfter);
    }

    void settingTheSameStateRunsNothing()
    {
        WindowFixture f;
        auto& w = *f.window;
        QCOMPARE(w.CheckBox4->text(), text("Статична IP адреса Плати "));
        w.CheckBox4->setChecked(false); // already unticked: the initial caption stays
        QCOMPARE(w.CheckBox4->text(), text("Статична IP адреса Плати "));
    }

    void shortcutRoundTrip()
    {
        WindowFixture f;
        auto& w = *f.window;
        setAddress(w.Ed_0, "192.168.1.5");
        w.Lab_IP2DblClick(nullptr); // nothing remembered yet
        QCOMPARE(w.Ed_0->texts(), QStringList({"192", "168", "001", "005"}));

        QTest::mouseDClick(w.Lab_IP1, Qt::LeftButton);
        QCOMPARE(w.Ed_0->texts(), QStringList({"010", "000", "000", "002"}));
        QCOMPARE(w.Lab_IP2->text(), QString("192.168.001.005"));
        QTest::mouseDClick(w.Lab_IP2, Qt::LeftButton);
        QCOMPARE(w.Ed_0->texts(), QStringList({"192", "168", "001", "005"}));
        QCOMPARE(w.Lab_IP2->text(), QString("192.168.001.005"));
        QVERIFY(f.link.sent.isEmpty());
    }

    void doubleShortcutLosesTheTypedAddress()
    {
        WindowFixture f;
        auto& w = *f.window;
        setAddress(w.Ed_0, "192.168.1.5");
        w.Lab_IP1DblClick(nullptr);
        w.Lab_IP1DblClick(nullptr);
        QCOMPARE(w.Lab_IP2->text(), QString("010.000.000.002"));
        setAddress(w.Ed_0, "127.0.0.1");
        w.Lab_IP2DblClick(nullptr);
        QCOMPARE(w.Ed_0->texts(), QStringList({"010", "000", "000", "002"}));
    }

    void aRememberedZeroFirstOctetIsNeverPutBack()
    {
        WindowFixture f;
        auto& w = *f.window;
        setAddress(w.Ed_0, "0.1.2.3");
        w.Lab_IP1DblClick(nullptr);
        w.Lab_IP2DblClick(nullptr);
        QCOMPARE(w.Ed_0->texts(), QStringList({"010", "000", "000", "002"}));
    }

    void ipToMac_data()
    {
        QTest::addColumn<QString>("ip");
        QTest::addColumn<QStringList>("mac");
        QTest::newRow("192.168.1.5") << "192.168.1.5" << QStringList{"00", "1E", "C0", "A8", "01", "05"};
        QTest::newRow("broadcast") << "255.255.255.255" << QStringList{"00", "1E", "FF", "FF", "FF", "FF"};
        QTest::newRow("shortcut address") << "10.0.0.2" << QStringList{"00", "1E", "0A", "00", "00", "02"};
    }
    void ipToMac()
    {
        QFETCH(QString, ip);
        QFETCH(QStringList, mac);
        WindowFixture f;
        auto& w = *f.window;
        setAddress(w.ED_2, ip);
        w.Button5->click();
        QCOMPARE(w.ED_5->texts(), mac);
    }
};

QTEST_MAIN(TestToggles)
#include "test_toggles.moc"
