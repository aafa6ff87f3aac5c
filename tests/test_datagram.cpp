#include "wire/datagram.h"

#include <QtTest>

#include "golden_replies.h"

using namespace talvik;
using namespace talvik::test;

namespace {
QByteArray configReply(const QByteArray& version = "2.17#", char dhcp = '1', int length = 80)
{
    return goldenReply(2, version, dhcp, length);
}
} // namespace

class TestDatagram : public QObject {
    Q_OBJECT
  private slots:
    void readsPastTheEndSeeZero()
    {
        const QByteArray d("abc");
        QCOMPARE(int(byteAt(d, 3)), int('c'));
        QCOMPARE(int(byteAt(d, 4)), 0);
        QCOMPARE(int(byteAt(d, 0)), 0);
        QCOMPARE(int(byteAt(QByteArray(), 1)), 0);
        QCOMPARE(int(byteAt(d, 1 << 30)), 0);
    }

    void dump_data()
    {
        QTest::addColumn<QByteArray>("datagram");
        QTest::addColumn<QString>("dump"); // empty: none
        QTest::newRow("nine bytes") << QByteArray("ikl") + bytes({1, 2, 3, 4, 5, 6, 7, 8, 9})
                                    << "105*107*108*1*2*3*4*5*6*7*8*9#";
        QTest::newRow("short reads zeros")
            << QByteArray("ikl") + bytes({0, 7}) << "105*107*108*0*7*0*0*0*0*0*0*0#";
        QTest::newRow("byte 5 zero") << QByteArray("ikl") + bytes({1, 0, 3}) << "";
        QTest::newRow("ikl and one byte") << QByteArray("ikl") + bytes({1}) << "";
        QTest::newRow("not at the start") << QByteArray("xikl12345") << "";
    }
    void dump()
    {
        QFETCH(QByteArray, datagram);
        QFETCH(QString, dump);
        QCOMPARE(diagnosticDump(datagram).value_or(QString()), dump);
    }

    void identifierField_data()
    {
        QTest::addColumn<QByteArray>("datagram");
        QTest::addColumn<int>("ident"); // -1: none
        QTest::newRow("iden then 12345") << QByteArray("xxiden") + bytes({0x39, 0x30}) << 12345;
        QTest::newRow("first of two") << QByteArray("iden") + bytes({1, 0}) + "iden" + bytes({2, 0}) << 1;
        QTest::newRow("cut after ide") << QByteArray("abide") << 0;
        QTest::newRow("cut after one byte") << QByteArray("iden") + bytes({7}) << 7;
        QTest::newRow("none") << QByteArray("nothing here") << -1;
        QTest::newRow("from the address bytes") << bytes({105, 100, 101, 1, 0x10, 0x01}) << 0x0110;
    }
    void identifierField()
    {
        QFETCH(QByteArray, datagram);
        QFETCH(int, ident);
        QCOMPARE(talvik::identifierField(datagram).value_or(-1), ident);
    }

    void kinds_data()
    {
        QTest::addColumn<QByteArray>("datagram");
        QTest::addColumn<int>("kind");
        const QByteArray reply = configReply();
        QTest::newRow("configuration") << reply << int(ReplyKind::Configuration);
        QTest::newRow("100 bytes pass") << configReply("2.17#", '1', 100) << int(ReplyKind::Configuration);
        QTest::newRow("101 bytes do not") << configReply("2.17#", '1', 101) << int(ReplyKind::Other);
        QTest::newRow("rzt ack") << QByteArray("rzt") + QByteArray(20, '1') + "iden"
                                 << int(ReplyKind::RebootAck);
        QTest::newRow("rzt without iden") << QByteArray("rzt12345") << int(ReplyKind::Other);
        QTest::newRow("byte 11 is 4")
            << QByteArray("1234567890") + char(4) + "iden" << int(ReplyKind::StatusOnly);
        QTest::newRow("Port anywhere") << QByteArray(reply).replace(60, 4, "Port") << int(ReplyKind::Other);
        QTest::newRow("vzo") << QByteArray(reply).replace(60, 3, "vzo") << int(ReplyKind::Other);
        QTest::newRow("otv") << QByteArray(reply).replace(60, 3, "otv") << int(ReplyKind::Other);
        QTest::newRow("no iden") << QByteArray(reply).replace(25, 4, "idem") << int(ReplyKind::Other);
        QTest::newRow("empty") << QByteArray() << int(ReplyKind::Other);
        QTest::newRow("own write frame is 110")
            << QByteArray(110, 'x').replace(25, 4, "iden") << int(ReplyKind::Other);
    }
    void kinds()
    {
        QFETCH(QByteArray, datagram);
        QFETCH(int, kind);
        QCOMPARE(int(classify(datagram)), kind);
    }

    void identBlockOnlyAt26()
    {
        const auto block = identBlock(configReply());
        QVERIFY(block);
        QCOMPARE(block->ident, 12345);
        QVERIFY(block->consoleDynamic);
        QCOMPARE(block->reserve1, (Ipv4{1, 2, 3, 4}));
        QCOMPARE(block->reserve2, (Ipv4{5, 6, 7, 8}));

        QVERIFY(!identBlock(QByteArray(30, 'x') + "iden"));
        const auto cut = identBlock(QByteArray(25, 'x') + "iden"); // 29 bytes
        QVERIFY(cut);
        QCOMPARE(cut->ident, 0);
        QVERIFY(!cut->consoleDynamic);
        QCOMPARE(cut->reserve1, (Ipv4{0, 0, 0, 0}));
    }

    void version_data()
    {
        QTest::addColumn<QByteArray>("datagram");
        QTest::addColumn<QString>("version"); // "none": no VER
        QTest::newRow("ended by #") << configReply("2.17#") << "2.17";
        QTest::newRow("# at once") << configReply("#") << "";
        QTest::newRow("thirty without #") << configReply(QByteArray(30, 'v'), '\0') << QString(30, 'v');
        QTest::newRow("ended by the datagram") << configReply("2.1", '1', 48) << "2.1";
        QTest::newRow("windows-1251")
            << configReply("\xc2\xe5\xf0\xf1\xb3\xff#") << QString::fromUtf8("Версія");
        QTest::newRow("no VER") << QByteArray(configReply()).replace(42, 3, "XYZ") << "none";
    }
    void version()
    {
        QFETCH(QByteArray, datagram);
        QFETCH(QString, version);
        QCOMPARE(versionText(datagram).value_or(QStringLiteral("none")), version);
    }

    void hugeDatagramsStayInBounds()
    {
        QByteArray big(8192, 'i');
        big.replace(8188, 4, "iden");
        QCOMPARE(classify(big), ReplyKind::Other);
        QVERIFY(talvik::identifierField(big));
        QVERIFY(!diagnosticDump(big));
    }
};

QTEST_APPLESS_MAIN(TestDatagram)
#include "test_datagram.moc"
