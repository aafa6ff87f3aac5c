#include "wire/board_address.h"
#include "wire/frames.h"
#include "wire/hex_codec.h"

#include <QtTest>

#include "bytes.h"

using namespace talvik;
using namespace talvik::test;

class TestFrames : public QObject {
    Q_OBJECT

  private slots:
    void readFrames_data()
    {
        QTest::addColumn<int>("tag");
        QTest::addColumn<QByteArray>("expected");
        const QByteArray d = "12345678901234567890123456789012345678901234567890123456789eprd"
                             "4567890123456789012345678901234567890";
        QByteArray c = d;
        c[62] = 'C';
        QTest::newRow("Button2 tag 0: permanent") << 0 << d;
        QTest::newRow("Button8 tag 1: working") << 1 << c;
        QTest::newRow("countdown 3") << 3 << c;
        QTest::newRow("countdown 2") << 2 << c;
    }
    void readFrames()
    {
        QFETCH(int, tag);
        QFETCH(QByteArray, expected);
        const QByteArray frame = buildReadFrame(readMemoryForTag(tag));
        QCOMPARE(frame.size(), 100);
        QCOMPARE(frame, expected);
    }

    void rebootFrameIsThePatternBehindRzt()
    {
        const QByteArray frame = rebootFrame();
        QCOMPARE(frame.size(), 103);
        QCOMPARE(frame.left(13), QByteArray("rzt1234567890"));
        QCOMPARE(frame.right(10), QByteArray("1234567890"));
    }

    void digitPadding_data()
    {
        QTest::addColumn<QByteArray>("word");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("msi")
            << QByteArray("msi")
            << QByteArray("msi01234567891111111111222222222233333333334444444444555555555566666666667"
                          "77777777788888888889999999");
        QTest::newRow("already 100") << QByteArray(100, 'x') << QByteArray(100, 'x');
        QTest::newRow("longer stays") << QByteArray(120, 'y') << QByteArray(120, 'y');
    }
    void digitPadding()
    {
        QFETCH(QByteArray, word);
        QFETCH(QByteArray, expected);
        QCOMPARE(padDigits(word), expected);
    }

    void tailPadding()
    {
        QCOMPARE(padTailFF(QByteArray(80, 'a')), QByteArray(80, 'a') + QByteArray(30, char(0xFF)));
        QCOMPARE(padTailFF(QByteArray(115, 'a')), QByteArray(115, 'a'));
    }

    void hexPairToByte_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("value");
        QTest::newRow("00") << "00" << 0x00;
        QTest::newRow("FF") << "FF" << 0xFF;
        QTest::newRow("lower case is not hex") << "ff" << 0x00;
        QTest::newRow("af") << "af" << 0x00;
        QTest::newRow("single F is the high nibble") << "F" << 0xF0;
        QTest::newRow("empty") << "" << 0x00;
        QTest::newRow("AF") << "AF" << 0xAF;
        QTest::newRow("1E") << "1E" << 0x1E;
        QTest::newRow("G5") << "G5" << 0x05;
        QTest::newRow("third character ignored") << "1E7" << 0x1E;
        QTest::newRow("mixed case") << "aB" << 0x0B;
    }
    void hexPairToByte()
    {
        QFETCH(QString, text);
        QFETCH(int, value);
        QCOMPARE(int(HexPairToByte(text)), value);
    }

    void byteToHexPair_data()
    {
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("0") << 0 << "00";
        QTest::newRow("10 is 0A, never A") << 10 << "0A";
        QTest::newRow("1E") << 0x1E << "1E";
        QTest::newRow("AF") << 0xAF << "AF";
        QTest::newRow("255") << 255 << "FF";
    }
    void byteToHexPair()
    {
        QFETCH(int, value);
        QFETCH(QString, text);
        QCOMPARE(ByteToHexPair(quint8(value)), text);
    }

    void boardAddressIsReadAsDecimal_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<qint64>("address"); // -1: refused
        QTest::newRow("010 is ten, not octal") << "010.000.000.002" << qint64(0x0A000002);
        QTest::newRow("leading zeros") << "192.168.001.005" << qint64(0xC0A80105);
        QTest::newRow("008 is eight") << "127.000.000.008" << qint64(0x7F000008);
        QTest::newRow("short form") << "127.0.0.1" << qint64(0x7F000001);
        QTest::newRow("a name") << "localhost" << qint64(-1);
        QTest::newRow("three parts") << "10.0.2" << qint64(-1);
        QTest::newRow("over 255") << "256.0.0.1" << qint64(-1);
        QTest::newRow("sign") << "+1.0.0.1" << qint64(-1);
        QTest::newRow("blank") << " 1.0.0.1" << qint64(-1);
    }
    void boardAddressIsReadAsDecimal()
    {
        QFETCH(QString, text);
        QFETCH(qint64, address);
        const auto parsed = parseDottedDecimal(text);
        QCOMPARE(parsed ? qint64(*parsed) : qint64(-1), address);
    }

    void zeroAddress()
    {
        QVERIFY(isZeroAddress({"000", "000", "000", "000"}));
        QVERIFY(!isZeroAddress({"000", "000", "000", "001"}));
        QCOMPARE(joinOctets({"192", "168", "001", "005"}), QString("192.168.001.005"));
    }

    void writeFrameConstantRegions()
    {
        WriteFields f;
        f.mac = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
        for (bool dyn : {false, true}) {
            for (bool dhcp : {false, true}) {
                f.consoleDynamic = dyn;
                f.boardDhcp = dhcp;
                const QByteArray frame = buildWriteFrame(f);
                QCOMPARE(frame.size(), 110);
                QCOMPARE(slice(frame, 23, 24), QByteArray("NL"));
                QCOMPARE(slice(frame, 26, 29), QByteArray("iden"));
                QCOMPARE(slice(frame, 41, 45), QByteArray(5, '\0'));
                QCOMPARE(slice(frame, 46, 59), QByteArray("kyt27182818284"));
                QCOMPARE(slice(frame, 60, 75), QByteArray("epwrepwrepwrepwr"));
                QCOMPARE(slice(frame, 76, 76), dhcp ? QByteArray("1") : QByteArray(1, '\0'));
                QCOMPARE(slice(frame, 77, 80), QByteArray("3526"));
                QCOMPARE(slice(frame, 81, 110), QByteArray(30, char(0xFF)));
            }
        }
    }

    void writeFrameFields()
    {
        WriteFields f;
        f.dispatcher = {10, 1, 2, 3};
        f.ip = {192, 168, 1, 20};
        f.mask = {255, 255, 255, 0};
        f.gateway = {192, 168, 1, 1};
        f.mac = {0x00, 0x1E, 0xAF, 0xAF, 0xAF, 0xAF};
        f.branch = 7;
        f.ident = 258;
        f.reserve1 = {1, 2, 3, 4};
        f.reserve2 = {5, 6, 7, 8};

        f.consoleDynamic = false;
        QByteArray frame = buildWriteFrame(f);
        QCOMPARE(slice(frame, 1, 4), QByteArray(4, '\0'));
        QCOMPARE(slice(frame, 5, 8), bytes({0xC0, 0xA8, 0x01, 0x14}));
        QCOMPARE(slice(frame, 9, 12), bytes({0xFF, 0xFF, 0xFF, 0x00}));
        QCOMPARE(slice(frame, 13, 16), bytes({0xC0, 0xA8, 0x01, 0x01}));
        QCOMPARE(slice(frame, 17, 22), bytes({0x00, 0x1E, 0xAF, 0xAF, 0xAF, 0xAF}));
        QCOMPARE(slice(frame, 25, 25), bytes({7}));
        QCOMPARE(slice(frame, 30, 40), QByteArray(11, '\0'));

        f.consoleDynamic = true;
        frame = buildWriteFrame(f);
        QCOMPARE(slice(frame, 1, 4), bytes({10, 1, 2, 3}));
        QCOMPARE(slice(frame, 30, 32), bytes({0x02, 0x01, 0x01}));
        QCOMPARE(slice(frame, 33, 40), bytes({1, 2, 3, 4, 5, 6, 7, 8}));

        f.ident = 65535;
        frame = buildWriteFrame(f);
        QCOMPARE(slice(frame, 30, 31), bytes({0xFF, 0xFF}));
    }

    // Reading the block back gives what was written: the window, the simulator and
    // talvikctl read with the same reader the frames are built with.
    void configFieldsRoundTrip_data()
    {
        QTest::addColumn<WriteFields>("fields");
        QTest::newRow("all zero") << WriteFields{};
        WriteFields full;
        full.dispatcher = full.ip = full.mask = full.gateway = {255, 255, 255, 255};
        full.mac = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
        full.branch = 255;
        full.ident = 65535;
        full.consoleDynamic = true;
        full.reserve1 = full.reserve2 = {255, 255, 255, 255};
        QTest::newRow("all full") << full;
        WriteFields mixed;
        mixed.dispatcher = {10, 0, 0, 5};
        mixed.ip = {192, 168, 1, 20};
        mixed.mask = {255, 255, 255, 0};
        mixed.gateway = {192, 168, 1, 1};
        mixed.mac = {0x00, 0x1E, 0xC0, 0xA8, 0x01, 0x14};
        mixed.branch = 3;
        mixed.ident = 258;
        mixed.consoleDynamic = true;
        mixed.reserve1 = {1, 2, 3, 4};
        mixed.reserve2 = {5, 6, 7, 8};
        QTest::newRow("mixed") << mixed;
    }
    void configFieldsRoundTrip()
    {
        QFETCH(WriteFields, fields);
        const QByteArray block = configFields(fields);
        QCOMPARE(block.size(), 40);
        QVERIFY(readConfigFields(block) == fields);
        fields.boardDhcp = true;
        QVERIFY(readConfiguration(buildWriteFrame(fields)) == fields);
    }
};

QTEST_APPLESS_MAIN(TestFrames)
#include "test_frames.moc"
