// What the operator sees when datagrams arrive on the listening port.

#include "catalogue.h"
#include "window_fixture.h"

#include <QRegularExpression>
#include <QtTest>

#include "golden_replies.h"

using namespace talvik;
using namespace talvik::test;

namespace {
QByteArray reply(int consoleFlag = 2, const QByteArray& version = "2.17#", int dhcp = '1', int length = 80)
{
    return goldenReply(consoleFlag, version, dhcp, length);
}

// Everything the datagrams write into the window, the log without its times.
QStringList shown(const TForm1_Config_UDP& w)
{
    QStringList out{
        w.LabIn->text(),         w.Label_In_IP->text(),
        w.Label_In_Port->text(), w.LabIdent->text(),
        w.Label5->text(),        w.EditRs->text(),
        w.Lab_Ver->text(),       w.CurrencyEdit1->formattedText(),
        w.Str_NL_R->text(),      w.Memo1->toPlainText().remove(QRegularExpression(" - Tim - \\S+"))};
    for (const AddressRow* row : {w.ED_6, w.ED_7, w.ED_8, w.ED_9, w.ED_61, w.ED_62, w.Ed_0})
        out += row->texts();
    out += w.ED_10->texts();
    for (const QCheckBox* box : {w.CheckBox3, w.CheckBox5})
        out << box->text() << QString::number(box->isChecked()) << QString::number(box->isVisibleTo(&w));
    out << QString::number(w.ED_6->isVisibleTo(&w)) << QString::number(w.CoBox_Iden->currentIndex());
    for (int i = 0; i < w.CoBox_Iden->count(); ++i)
        out << w.CoBox_Iden->itemText(i);
    return out;
}
} // namespace

class TestReplies : public QObject {
    Q_OBJECT
  private slots:
    // A batch is shown once, and leaves exactly what its datagrams one by one leave; a
    // batch that comes while one is handled (a nested event loop) waits its turn.
    void aBatchLeavesWhatOneByOneLeaves_data()
    {
        QTest::addColumn<bool>("identMode");
        QTest::addColumn<bool>("nested");
        QTest::newRow("replies of several boards") << false << false;
        QTest::newRow("identifier mode") << true << false;
        QTest::newRow("a batch inside a batch") << true << true;
    }
    void aBatchLeavesWhatOneByOneLeaves()
    {
        QFETCH(bool, identMode);
        QFETCH(bool, nested);
        QList<Datagram> datagrams;
        for (int i = 0; i < 40; ++i) {
            QByteArray d = i % 4 == 0   ? reply(i % 8 ? 0 : 2, QByteArray::number(i) + "#", i % 3 ? '1' : 0)
                           : i % 4 == 1 ? QByteArray("ikl\x01\x02\x03") + char(i)
                           : i % 4 == 2 ? QByteArray("rzt") + QByteArray(22, '0') + "iden" + char(i) + '\0'
                                        : QByteArray("report iden") + char(i % 7) + '\0';
            if (i % 4 == 0)
                d[7] = char(i); // each board its own address
            datagrams.append(Datagram{d, 0x7F000000u + quint32(i % 5 + 2), quint16(8000 + i)});
        }
        WindowFixture oneByOne, batched;
        for (WindowFixture* f : {&oneByOne, &batched})
            f->window->Ch_Box_Conf_IP->setChecked(identMode);
        for (const Datagram& d : datagrams)
            oneByOne.link.deliver(d.data, dottedText(d.sender), d.port);
        if (nested) { // the second half arrives while the first is being handled
            bool once = true;
            connect(batched.window->CoBox_Iden, &QComboBox::currentIndexChanged, this, [&] {
                if (std::exchange(once, false))
                    batched.link.deliverBatch(datagrams.mid(20));
            });
            batched.link.deliverBatch(datagrams.mid(0, 20));
        }
        else {
            batched.link.deliverBatch(datagrams);
        }
        QCoreApplication::processEvents(); // the identifier log is written once the batch is done
        QCOMPARE(shown(*batched.window), shown(*oneByOne.window));
        QCOMPARE(batched.window->LabIn->text(), QString("40"));
    }

    void everyDatagramIsCountedAndItsSenderShown()
    {
        WindowFixture f;
        auto& w = *f.window;
        f.link.deliver(QByteArray(), "127.0.0.9", 50000);
        QCOMPARE(w.LabIn->text(), QString("1"));
        QCOMPARE(w.Label_In_IP->text(), QString("127.0.0.9"));
        QCOMPARE(w.Label_In_Port->text(), QString("50000"));
        QCOMPARE(w.LabIdent->text(), QString("0"));
        QVERIFY(w.CheckBox3->isHidden());
        f.link.deliver(QByteArray(8192, 'z'), "127.0.0.3", 1);
        QCOMPARE(w.LabIn->text(), QString("2"));
        QCOMPARE(w.Label_In_IP->text(), QString("127.0.0.3"));
    }

    void aConfigurationReplyFillsTheReadBackGroup()
    {
        WindowFixture f;
        auto& w = *f.window;
        f.link.deliver(reply());
        QCOMPARE(w.ED_6->texts(), QStringList({"010", "000", "000", "001"}));
        QCOMPARE(w.ED_7->texts(), QStringList({"192", "168", "001", "020"}));
        QCOMPARE(w.ED_8->texts(), QStringList({"255", "255", "255", "000"}));
        QCOMPARE(w.ED_9->texts(), QStringList({"192", "168", "001", "001"}));
        QCOMPARE(w.ED_10->texts(), QStringList({"00", "1E", "AF", "05", "C0", "FF"}));
        QCOMPARE(w.CurrencyEdit1->formattedText(), QString("12345"));
        QCOMPARE(w.ED_61->texts(), QStringList({"001", "002", "003", "004"}));
        QCOMPARE(w.ED_62->texts(), QStringList({"005", "006", "007", "008"}));
        QCOMPARE(w.Str_NL_R->text(), QString("003"));
        QCOMPARE(w.LabIdent->text(), QString("12345"));
        QVERIFY(w.CheckBox3->isChecked());
        QVERIFY(w.CheckBox3->isVisibleTo(&w));
        QCOMPARE(w.CheckBox3->text(), text("Динамічна IP адреса Пульта"));
        for (QWidget* shown : {static_cast<QWidget*>(w.Label11), static_cast<QWidget*>(w.Label58),
                               static_cast<QWidget*>(w.CurrencyEdit1), static_cast<QWidget*>(w.ED_6)})
            QVERIFY(shown->isVisibleTo(&w));
        QCOMPARE(w.Lab_Ver->text(), QString("2.17") + text(" - Версія программи"));
        QVERIFY(w.CheckBox5->isChecked());
        QCOMPARE(w.CheckBox5->text(), text("Динамічна IP адреса Плати ( DHCP )"));
        QVERIFY(w.ED_61->isHidden()); // decoded, never shown

        f.link.deliver(reply(0));
        QVERIFY(!w.CheckBox3->isChecked());
        QCOMPARE(w.CheckBox3->text(), text("Статична IP адреса Пульта"));
        QVERIFY(w.ED_6->isHidden());
        QVERIFY(w.Label58->isHidden());
    }

    void versionAndBoardType_data()
    {
        QTest::addColumn<QByteArray>("datagram");
        QTest::addColumn<QString>("label");
        QTest::addColumn<bool>("dhcp");
        const QString s = text(" - Версія программи");
        QTest::newRow("# at once: no version, static") << reply(0, "#") << "" << false;
        QTest::newRow("thirty characters") << reply(0, QByteArray(30, 'v')) << QString(30, 'v') + s << true;
        QTest::newRow("byte 76 zero") << reply(0, "2.17#", 0) << "2.17" + s << false;
        QTest::newRow("cut by the end") << reply(0, "2.1", '1', 48) << "2.1" + s << false;
        QTest::newRow("no VER after a read") << reply(0, "2.17#").replace(42, 3, "XYZ") << "" << false;
        QTest::newRow("markup stays text")
            << reply(0, "<b>2</b><img src=x>#") << "<b>2</b><img src=x>" + s << true;
        QTest::newRow("windows-1251")
            << reply(0, "\xc2\xe5\xf0\xf1\xb3\xff#") << QString::fromUtf8("Версія") + s << true;
    }
    void versionAndBoardType()
    {
        QFETCH(QByteArray, datagram);
        QFETCH(QString, label);
        QFETCH(bool, dhcp);
        WindowFixture f;
        auto& w = *f.window;
        w.Lab_Ver->setText(QString()); // as a read request leaves it
        f.link.deliver(datagram);
        QCOMPARE(w.Lab_Ver->text(), label);
        QCOMPARE(w.Lab_Ver->textFormat(), Qt::PlainText);
        QCOMPARE(w.CheckBox5->isChecked(), dhcp);
        QCOMPARE(w.CheckBox5->text(),
                 dhcp ? text("Динамічна IP адреса Плати ( DHCP )") : text("Статична IP адреса Плати "));
        QVERIFY(w.CheckBox5->isVisibleTo(&w));
    }

    void aReplyWithoutVersionKeepsTheEarlierOne()
    {
        WindowFixture f;
        auto& w = *f.window;
        f.link.deliver(reply(0, "2.17#", 0));
        f.link.deliver(reply(0, "2.17#", '1').replace(42, 3, "XYZ"));
        QCOMPARE(w.Lab_Ver->text(), "2.17" + text(" - Версія программи"));
        QVERIFY(w.CheckBox5->isChecked()); // byte 76 of the newer reply decides
    }

    void theGateKeepsOtherDatagramsOut_data()
    {
        QTest::addColumn<QByteArray>("datagram");
        QTest::newRow("101 bytes") << reply(2, "2.17#", '1', 101);
        QTest::newRow("Port") << reply(2, "Port#");
        QTest::newRow("vzo") << reply(2, "vzo#");
        QTest::newRow("otv") << reply(2, "otv#");
        QTest::newRow("no iden") << reply(2).replace(25, 4, "iDen");
        QTest::newRow("own write frame") << QByteArray(110, '\0').replace(25, 4, "iden");
        QTest::newRow("rzt longer than 100") << QByteArray("rzt") + QByteArray(100, '0') + "iden";
    }
    void theGateKeepsOtherDatagramsOut()
    {
        QFETCH(QByteArray, datagram);
        WindowFixture f;
        auto& w = *f.window;
        f.link.deliver(datagram, "127.0.0.5", 8024);
        QCOMPARE(w.ED_7->texts(), QStringList({"000", "000", "000", "000"}));
        QCOMPARE(w.ED_10->byte(0)->text(), QString("AF"));
        QCOMPARE(w.EditRs->text(), QString("__"));
        QVERIFY(w.CheckBox3->isHidden());
        QCOMPARE(w.Lab_Ver->text(), text("-------------"));
        QCOMPARE(w.LabIn->text(), QString("1"));
        QCOMPARE(w.Label_In_IP->text(), QString("127.0.0.5"));
    }

    void rebootAcknowledgement()
    {
        WindowFixture f;
        auto& w = *f.window;
        w.EditRs->setText("__");
        QByteArray ack = QByteArray("rzt") + QByteArray(22, '0') + "iden" + bytes({7, 0});
        f.link.deliver(ack);
        QCOMPARE(w.EditRs->text(), QString("Ok"));
        QCOMPARE(w.ED_7->texts(), QStringList({"000", "000", "000", "000"}));
        QVERIFY(w.CheckBox3->isVisibleTo(&w));
        QCOMPARE(w.LabIdent->text(), QString("7"));
    }

    void statusOnlyReplyShowsTypesWithoutFields()
    {
        WindowFixture f;
        auto& w = *f.window;
        f.link.deliver(QByteArray("1234567890") + char(4) + "xxxxxxxxxxxxxxiden");
        QCOMPARE(w.ED_7->texts(), QStringList({"000", "000", "000", "000"}));
        QVERIFY(w.CheckBox3->isVisibleTo(&w));
        QVERIFY(w.CheckBox5->isVisibleTo(&w));
    }

    void shortReplies_data()
    {
        QTest::addColumn<QByteArray>("datagram");
        QTest::addColumn<QStringList>("mask");
        QTest::addColumn<QString>("lastMac");
        QTest::addColumn<QString>("ident");
        const QStringList none{"000", "000", "000", "000"};
        // Below 26 bytes "iden" can only stand in the data, here as the dispatcher address.
        auto shortOne = [](int length) { return QByteArray("iden") + reply(0).mid(4, length - 4); };
        QTest::newRow("0 bytes") << QByteArray() << none << ""
                                 << "0";
        QTest::newRow("3 bytes") << QByteArray("ide") << none << ""
                                 << "0";
        QTest::newRow("10 bytes") << shortOne(10) << QStringList{"255", "255", "000", "000"} << ""
                                  << "0";
        QTest::newRow("22 bytes") << shortOne(22) << QStringList{"255", "255", "255", "000"} << "FF"
                                  << "0";
        QTest::newRow("29 bytes") << reply(0).left(29) << QStringList{"255", "255", "255", "000"} << "FF"
                                  << "0";
        QTest::newRow("31 bytes") << reply(0).left(31) << QStringList{"255", "255", "255", "000"} << "FF"
                                  << "12345";
    }
    void shortReplies()
    {
        QFETCH(QByteArray, datagram);
        QFETCH(QStringList, mask);
        QFETCH(QString, lastMac);
        QFETCH(QString, ident);
        WindowFixture f;
        auto& w = *f.window;
        setAddress(w.Ed_0, "127.0.0.2");
        for (AddressRow* row : {w.ED_8, w.ED_61})
            setAddress(row, "1.2.3.4");
        w.Button8->click(); // empties the read-back group: what the reply lacks stays empty
        f.link.deliver(datagram);
        QCOMPARE(w.ED_8->texts(), mask);
        QCOMPARE(w.ED_10->byte(5)->text(), lastMac);
        QCOMPARE(w.CurrencyEdit1->formattedText(), ident);
        QCOMPARE(w.ED_61->texts(), QStringList({"000", "000", "000", "000"}));
        QVERIFY(!w.CheckBox3->isChecked());
        QVERIFY(!w.CheckBox5->isChecked());
    }

    void idenElsewhereFillsOnlyTheAddressRows()
    {
        WindowFixture f;
        auto& w = *f.window;
        f.link.deliver(reply(2).replace(25, 4, "xxxx").append("iden"));
        QCOMPARE(w.ED_7->texts(), QStringList({"192", "168", "001", "020"}));
        QCOMPARE(w.CurrencyEdit1->formattedText(), QString("0"));
        QVERIFY(!w.CheckBox3->isChecked());
    }

    void identifierFromAddressBytes()
    {
        WindowFixture f;
        f.link.deliver(bytes({105, 100, 101, 1, 0x10, 0x01}));
        QCOMPARE(f.window->LabIdent->text(), QString("272"));
    }

    void diagnosticDump()
    {
        WindowFixture f;
        f.link.deliver(QByteArray("ikl") + bytes({1, 2, 3, 4, 5, 6, 7, 8, 9}));
        QCOMPARE(f.window->Label5->text(), QString("105*107*108*1*2*3*4*5*6*7*8*9#"));
        f.link.deliver(QByteArray("ikl") + bytes({1, 0, 3}));
        QCOMPARE(f.window->Label5->text(), QString("105*107*108*1*2*3*4*5*6*7*8*9#"));
    }

    void theDhcpBoxRunsTheConsoleToggle()
    {
        WindowFixture f;
        auto& w = *f.window;
        w.CheckBox2->setChecked(true);
        w.ED_1->hide();
        f.link.deliver(reply(2, "2.17#", '1'));
        QVERIFY(w.ED_1->isVisibleTo(&w)); // CheckBox2's handling ran again
    }

    void identifierMode()
    {
        WindowFixture f;
        auto& w = *f.window;
        w.Ch_Box_Conf_IP->setChecked(true);
        auto ident = [](int id) { return QByteArray("report iden") + char(id & 0xFF) + char(id >> 8); };
        f.link.deliver(ident(9), "127.0.0.9", 50009);
        f.link.deliver(ident(10), "127.0.0.10", 50010);
        f.link.deliver(ident(1234), "127.0.0.12", 50012);
        QStringList items;
        for (int i = 0; i < w.CoBox_Iden->count(); ++i)
            items << w.CoBox_Iden->itemText(i);
        QCOMPARE(items, QStringList({"10", "1234", "9"}));
        QCOMPARE(w.CoBox_Iden->currentText(), QString("9")); // the first one, selected
        QCOMPARE(w.Ed_0->texts(), QStringList({"127", "000", "000", "009"}));
        QCOMPARE(w.CurEd_Port->formattedText(), QString("50009"));

        f.link.deliver(ident(10), "127.0.0.20", 50020); // not selected: the editors stay
        QCOMPARE(w.identRecords().find(10)->address, QString("127.0.0.20"));
        QCOMPARE(w.Ed_0->texts(), QStringList({"127", "000", "000", "009"}));
        f.link.deliver(ident(9), "127.0.0.19", 50019); // selected: follows the new sender
        QCOMPARE(w.Ed_0->texts(), QStringList({"127", "000", "000", "019"}));
        QCOMPARE(w.CoBox_Iden->count(), 3);

        f.link.deliver(QByteArray("no field"), "127.0.0.30", 1);
        QVERIFY(w.CoBox_Iden->findText("0") >= 0);

        QCoreApplication::processEvents(); // the log is written once the datagrams at hand are handled
        const QStringList lines = w.Memo1->toPlainText().split('\n');
        QCOMPARE(lines.size(), 6);
        QVERIFY2(QRegularExpression(
                     "^Ind - 9 \\* IP - 127\\.0\\.0\\.9 \\* Port - 50009 - Tim - \\d{1,2}:\\d\\d:\\d\\d$")
                     .match(lines[0])
                     .hasMatch(),
                 qPrintable(lines[0]));

        w.Panel5Click(nullptr); // paused
        f.link.deliver(ident(77), "127.0.0.77", 7);
        QCoreApplication::processEvents();
        QCOMPARE(w.CoBox_Iden->findText("77"), -1);
        QCOMPARE(w.Memo1->blockCount(), 6);
        QCOMPARE(w.LabIdent->text(), QString("77"));
    }

    void identifierModeOffKeepsNoList()
    {
        WindowFixture f;
        f.link.deliver(QByteArray("report iden\x05\x00", 13));
        QCOMPARE(f.window->CoBox_Iden->count(), 0);
        QVERIFY(f.window->Memo1->toPlainText().isEmpty());
        QCOMPARE(f.window->LabIdent->text(), QString("5"));
    }

    void atMost256Identifiers()
    {
        WindowFixture f;
        auto& w = *f.window;
        w.Ch_Box_Conf_IP->setChecked(true);
        for (int id = 1; id <= 300; ++id)
            f.link.deliver(QByteArray("iden") + char(id & 0xFF) + char(id >> 8) + "report", "127.0.0.2", 1);
        QCOMPARE(w.CoBox_Iden->count(), 256);
        QCOMPARE(w.identRecords().size(), 256);
        QCOMPARE(w.CoBox_Iden->findText("257"), -1);
        QCOMPARE(w.LabIdent->text(), QString("300"));
        QCoreApplication::processEvents();
        QCOMPARE(w.Memo1->blockCount(), 300);
        f.link.deliver(QByteArray("iden") + char(5) + char(0) + "report", "127.0.0.55", 2); // known: updated
        QCOMPARE(w.identRecords().find(5)->address, QString("127.0.0.55"));
    }

    void theLogKeepsTheNewestLines()
    {
        WindowFixture f;
        auto& w = *f.window;
        w.Ch_Box_Conf_IP->setChecked(true);
        for (int i = 0; i < 10050; ++i)
            f.link.deliver(QByteArray("x"), "127.0.0.2", quint16(i));
        QCoreApplication::processEvents();
        QCOMPARE(w.Memo1->blockCount(), 10000);
        QVERIFY(w.Memo1->toPlainText().endsWith(QString("Port - %1 - Tim - ").arg(10049) +
                                                w.Memo1->toPlainText().section(" - Tim - ", -1)));
        QCOMPARE(w.LabIn->text(), QString("10050"));
    }
};

QTEST_MAIN(TestReplies)
#include "test_replies.moc"
