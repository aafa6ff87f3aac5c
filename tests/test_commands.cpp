// Read, write and reboot as the wire sees them: exact bytes, ports and order.

#include "board_simulator.h"
#include "catalogue.h"
#include "gui/widgets/rows.h"
#include "gui/widgets/tag.h"
#include "window_fixture.h"
#include "wire/frames.h"

#include <QtTest>

#include "bytes.h"

using namespace talvik;
using namespace talvik::test;

namespace {
QByteArray readFrame(char letter)
{
    return buildReadFrame(letter == 'd' ? Memory::Permanent : Memory::Working);
}

} // namespace

class TestCommands : public QObject {
    Q_OBJECT
  private slots:
    void readGoesToThreePortsFromTheListener_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("configuredPort");
        QTest::addColumn<QList<quint16>>("ports");
        QTest::addColumn<char>("letter");
        QTest::newRow("permanent") << "Button2" << 8026 << QList<quint16>{8026, 8024, 6767} << 'd';
        QTest::newRow("working") << "Button8" << 8026 << QList<quint16>{8026, 8024, 6767} << 'C';
        QTest::newRow("port 0 skipped") << "Button2" << 0 << QList<quint16>{8024, 6767} << 'd';
        QTest::newRow("port 8024 twice") << "Button8" << 8024 << QList<quint16>{8024, 8024, 6767} << 'C';
    }
    void readGoesToThreePortsFromTheListener()
    {
        QFETCH(QString, button);
        QFETCH(int, configuredPort);
        QFETCH(QList<quint16>, ports);
        QFETCH(char, letter);
        WindowFixture f;
        setAddress(f.window->Ed_0, "192.168.1.5");
        f.window->CurEd_Port->setValue(configuredPort);
        f.window->findChild<QPushButton*>(button)->click();
        QCOMPARE(f.link.ports(), ports);
        for (const auto& d : f.link.sent) {
            QCOMPARE(d.from, SentDatagram::From::Listener);
            QCOMPARE(d.host, QHostAddress("192.168.1.5"));
            QCOMPARE(d.data, readFrame(letter));
        }
        QVERIFY(f.messages.messages.isEmpty());
    }

    void leadingZerosAreDecimal()
    {
        WindowFixture f;
        setAddress(f.window->Ed_0, "10.0.0.8");
        QCOMPARE(f.window->boardAddressString(), QString("010.000.000.008"));
        f.window->Button8->click();
        QCOMPARE(f.link.sent.value(0).host, QHostAddress("10.0.0.8"));
    }

    void zeroAddressIsRefused_data()
    {
        QTest::addColumn<QString>("button");
        QTest::newRow("read") << "Button2";
        QTest::newRow("write") << "Button1";
        QTest::newRow("reboot") << "Button3";
    }
    void zeroAddressIsRefused()
    {
        QFETCH(QString, button);
        WindowFixture f;
        f.window->ED_7->octet(0)->setValue(42);
        f.window->EditRs->setText("Ok");
        f.window->findChild<QPushButton*>(button)->click();
        QCOMPARE(f.messages.messages, QStringList{text("IP - Плати що конфігуруеться = 000.000.000.000")});
        QVERIFY(f.link.sent.isEmpty());
        QCOMPARE(f.window->ED_7->octet(0)->formattedText(), QString("042"));
        QCOMPARE(f.window->EditRs->text(), QString("Ok"));
        QVERIFY(!f.window->TimerRead_Conf->isActive());
        QVERIFY(f.window->isEnabled());
    }

    void zeroAddressReadStillHidesTheTypeBoxes()
    {
        WindowFixture f;
        f.window->CheckBox3->show();
        f.window->Lab_Ver->setText("2.17 - Версія программи");
        f.window->Button2->click();
        QVERIFY(f.window->CheckBox3->isHidden());
        QVERIFY(f.window->CheckBox5->isHidden());
        QCOMPARE(f.window->Lab_Ver->text(), QString());
    }

    void oneThousandthOctetPasses()
    {
        WindowFixture f;
        setAddress(f.window->Ed_0, "0.0.0.1");
        f.window->Button2->click();
        QCOMPARE(f.link.sent.size(), 3);
        QCOMPARE(f.link.sent[0].host, QHostAddress("0.0.0.1"));
    }

    void identifierModeSendsNoCommandFrame()
    {
        WindowFixture f;
        setAddress(f.window->Ed_0, "127.0.0.2");
        f.window->Ch_Box_Conf_IP->setChecked(true);
        setAddress(f.window->Ed_0, "127.0.0.2");
        f.window->ED_8->octet(1)->setValue(9);
        f.window->Button8->click();
        QVERIFY(f.link.sent.isEmpty());
        QCOMPARE(f.window->ED_8->octet(1)->formattedText(), QString("000"));
    }

    void firstFailureEndsTheCommandSilently()
    {
        WindowFixture f;
        setAddress(f.window->Ed_0, "127.0.0.2");
        f.link.failSendNumber = 0;
        f.window->Button2->click();
        QVERIFY(f.link.sent.isEmpty());
        QVERIFY(f.messages.messages.isEmpty());
        QVERIFY(f.messages.errors.isEmpty());
    }

    void sendingReopensAClosedListener()
    {
        WindowFixture f(WindowSetup().taken());
        QVERIFY(!f.link.isListening());
        f.link.refuseListener = false; // the other program let it go
        setAddress(f.window->Ed_0, "127.0.0.2");
        f.window->Button2->click();
        QVERIFY(f.link.isListening());
        QCOMPARE(f.link.sent.size(), 3);
    }

    // Staged until the answer: emptied when nothing comes within a frame, or when a
    // datagram that is no answer is shown first.
    void everyReadBackControlIsEmptiedBeforeARead_data()
    {
        QTest::addColumn<QByteArray>("next");
        QTest::newRow("no answer") << QByteArray();
        QTest::newRow("a datagram that is no answer") << QByteArray("hello");
    }
    void everyReadBackControlIsEmptiedBeforeARead()
    {
        QFETCH(QByteArray, next);
        WindowFixture f;
        auto& w = *f.window;
        for (AddressRow* row : {w.ED_6, w.ED_61, w.ED_62, w.ED_7, w.ED_8, w.ED_9})
            setAddress(row, "1.2.3.4");
        w.CurrencyEdit1->setValue(77);
        w.CheckBox3->show();
        w.Lab_Ver->setText("2.17");
        setAddress(w.Ed_0, "127.0.0.2");
        w.Button8->click();
        if (next.isEmpty())
            QTRY_VERIFY(w.CheckBox3->isHidden());
        else
            f.link.deliver(next);
        QVERIFY(w.CheckBox3->isHidden());
        QCOMPARE(w.Lab_Ver->text(), QString());
        for (AddressRow* row : {w.ED_6, w.ED_61, w.ED_62, w.ED_7, w.ED_8, w.ED_9})
            QCOMPARE(row->texts(), QStringList({"000", "000", "000", "000"}));
        for (int i = 0; i < 6; ++i)
            QCOMPARE(w.ED_10->byte(i)->text(), QString());
        QCOMPARE(w.CurrencyEdit1->formattedText(), QString("0"));
        QCOMPARE(w.Str_NL_R->text(), QString("000"));
    }

    void writeSendsTheFrameThenReadsPermanentMemory()
    {
        WindowFixture f;
        auto& w = *f.window;
        setAddress(w.Ed_0, "127.0.0.2");
        setAddress(w.ED_2, "192.168.1.20");
        setAddress(w.ED_3, "255.255.255.0");
        setAddress(w.ED_4, "192.168.1.1");
        setAddress(w.ED_1, "10.1.2.3");
        const QStringList mac{"00", "1E", "af", "F", "", "C0"};
        for (int i = 0; i < 6; ++i)
            w.ED_5->byte(i)->setText(mac[i]);
        w.IND_MEdit->setValue(258);
        w.CheckBox2->setChecked(true);

        w.Button1->click();
        QCOMPARE(f.link.ports(), (QList<quint16>{8026, 8024, 6767, 8026, 8024, 6767}));
        const QByteArray frame = f.link.sent[0].data;
        QCOMPARE(frame.size(), 110);
        QCOMPARE(f.link.sent[1].data, frame);
        QCOMPARE(slice(frame, 1, 4), bytes({10, 1, 2, 3}));
        QCOMPARE(slice(frame, 5, 8), bytes({0xC0, 0xA8, 0x01, 0x14}));
        QCOMPARE(slice(frame, 9, 12), bytes({0xFF, 0xFF, 0xFF, 0x00}));
        QCOMPARE(slice(frame, 17, 22), bytes({0x00, 0x1E, 0x00, 0xF0, 0x00, 0xC0}));
        QCOMPARE(slice(frame, 23, 29), QByteArray("NL") + char(0) + "iden");
        QCOMPARE(slice(frame, 30, 32), bytes({0x02, 0x01, 0x01}));
        QCOMPARE(slice(frame, 33, 40), QByteArray(8, '\0'));
        QCOMPARE(slice(frame, 76, 76), QByteArray(1, '\0'));
        QCOMPARE(f.link.sent[3].data, readFrame('d'));
        QVERIFY(w.isEnabled());

        f.link.sent.clear();
        w.CheckBox4->setChecked(true);
        w.Button1->click();
        QCOMPARE(slice(f.link.sent[0].data, 76, 76), QByteArray("1"));

        f.link.sent.clear();
        w.CheckBox2->setChecked(false); // unticks CheckBox4 too
        w.Button1->click();
        QCOMPARE(slice(f.link.sent[0].data, 1, 4), QByteArray(4, '\0'));
        QCOMPARE(slice(f.link.sent[0].data, 30, 40), QByteArray(11, '\0'));
        QCOMPARE(slice(f.link.sent[0].data, 76, 76), QByteArray(1, '\0'));
    }

    // "Записати" is journaled with the permanent memory this window read before, and its
    // read-back as the result; no extra frame goes out for it.
    void writeIsJournaledWithTheMemoryReadBefore()
    {
        WindowFixture f;
        auto& w = *f.window;
        setAddress(w.Ed_0, "127.0.0.2");
        WriteFields before;
        before.ip = {127, 0, 0, 2};
        before.mask = {255, 0, 0, 0};
        before.ident = 7;
        before.consoleDynamic = true;
        w.Button2->click(); // the permanent memory
        f.link.deliver(sim::configReply(before, "2.17"));
        setAddress(w.ED_2, "192.168.1.20");
        f.link.sent.clear();
        w.Button1->click();
        QCOMPARE(f.link.sent.size(), 6); // the write and its read-back, to three ports each
        const QByteArray frame = f.link.sent[0].data;
        f.link.deliver(sim::configReply(readConfiguration(frame), "2.17"));
        const QList<JournalEntry> entries = w.journal().entries();
        QCOMPARE(entries.size(), 1);
        QCOMPARE(entries[0].by, QString("configurator"));
        QCOMPARE(entries[0].frame, frame);
        QVERIFY(entries[0].before);
        QCOMPARE(entries[0].before->fields, before);
        QCOMPARE(entries[0].resultText, QString("written, verified"));
        QCOMPARE(entries[0].result->outcome, Outcome::Done);
    }

    void aJournalThatCannotBeWrittenDoesNotStopTheWrite()
    {
        WindowFixture f;
        QFile inTheWay(f.dir.filePath("journal")); // a file where the journal's folder would be
        QVERIFY(inTheWay.open(QIODevice::WriteOnly));
        setAddress(f.window->Ed_0, "127.0.0.2");
        f.window->Button1->click();
        QVERIFY(isWriteFrame(f.link.sent.value(0).data));
        QVERIFY(f.window->journal().entries().isEmpty());
    }

    void writeReenablesTheWindowWhenSendingFails()
    {
        WindowFixture f;
        setAddress(f.window->Ed_0, "127.0.0.2");
        f.link.failSendNumber = 0;
        f.window->Button1->click();
        QVERIFY(f.window->isEnabled());
        QCOMPARE(f.link.sent.size(), 3); // the read that follows still goes out
        QCOMPARE(f.link.sent[0].data, readFrame('d'));
    }

    void writeInIdentifierModeSendsNothingButClears()
    {
        WindowFixture f;
        f.window->Ch_Box_Conf_IP->setChecked(true);
        setAddress(f.window->Ed_0, "127.0.0.2");
        f.window->ED_9->octet(2)->setValue(5);
        f.window->Button1->click();
        QVERIFY(f.link.sent.isEmpty());
        QCOMPARE(f.window->ED_9->octet(2)->value(), 0);
        QVERIFY(f.window->isEnabled());
    }

    void rebootSendsWordFramesThenTheRebootFrame()
    {
        WindowFixture f;
        auto& w = *f.window;
        setAddress(w.Ed_0, "0.0.0.1");
        w.EditRs->setText("Ok");
        w.ED_7->octet(0)->setValue(3);
        w.Button3->click();

        QCOMPARE(f.link.sent.size(), 7);
        const QList<QByteArray> words{"msi", "vsi", "msi", "vsi"};
        for (int i = 0; i < 4; ++i) {
            const auto& d = f.link.sent[i];
            QCOMPARE(d.from, SentDatagram::From::Client);
            QCOMPARE(d.port, quint16(8026));
            QCOMPARE(d.host, QHostAddress("0.0.0.1"));
            QCOMPARE(d.data, padDigits(words[i]));
            QCOMPARE(d.data.size(), 100);
        }
        for (int i = 4; i < 7; ++i) {
            QCOMPARE(f.link.sent[i].from, SentDatagram::From::Listener);
            QCOMPARE(f.link.sent[i].data, rebootFrame());
        }
        QCOMPARE(f.link.ports().mid(4), (QList<quint16>{8026, 8024, 6767}));
        QCOMPARE(w.EditRs->text(), QString("__"));
        QCOMPARE(w.ED_7->octet(0)->value(), 0);
        QVERIFY(w.TimerRead_Conf->isActive());
        QCOMPARE(tagOf(w.TimerRead_Conf), 3);
    }

    void rebootInIdentifierModeSendsOnlyWordFrames()
    {
        WindowFixture f;
        f.window->Ch_Box_Conf_IP->setChecked(true);
        setAddress(f.window->Ed_0, "127.0.0.2");
        f.window->Button3->click();
        QCOMPARE(f.link.fromClient().size(), 4);
        QVERIFY(f.link.fromListener().isEmpty());
        QCOMPARE(f.window->EditRs->text(), QString("__"));
        QVERIFY(f.window->TimerRead_Conf->isActive());
    }

    void wordFramesNeedAFifteenCharacterHost_data()
    {
        QTest::addColumn<QString>("host");
        QTest::addColumn<int>("port");
        QTest::addColumn<int>("sent");
        QTest::newRow("full") << "192.168.001.010" << 8026 << 1;
        QTest::newRow("12 characters") << "192.168.1.10" << 8026 << 0;
        QTest::newRow("14 characters") << "192.168.01.010" << 8026 << 0;
        QTest::newRow("16 characters") << "192.168.001.010 " << 8026 << 0;
        QTest::newRow("zero address") << "000.000.000.000" << 8026 << 0;
        QTest::newRow("port 0") << "192.168.001.010" << 0 << 0;
        QTest::newRow("empty") << "" << 8026 << 0;
    }
    void wordFramesNeedAFifteenCharacterHost()
    {
        QFETCH(QString, host);
        QFETCH(int, port);
        QFETCH(int, sent);
        WindowFixture f;
        f.window->SendWordFrame("vsi", host, quint16(port));
        QCOMPARE(f.link.sent.size(), sent);
        if (sent)
            QCOMPARE(f.link.sent[0].data.size(), 100);
    }
};

QTEST_MAIN(TestCommands)
#include "test_commands.moc"
