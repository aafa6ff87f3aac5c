// talvikctl run as a program against simulated boards on loopback: what it sends,
// what it prints, and what it returns.

#include "board_simulator.h"
#include "protocol/board_address.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QUdpSocket>
#include <QtTest>

using namespace talvik;
using namespace talvik::sim;

namespace {
struct Run {
    int exit = -1;
    QByteArray out, err;
    QList<QJsonObject> json() const
    {
        QList<QJsonObject> lines;
        for (const QByteArray& line : out.split('\n'))
            if (!line.isEmpty())
                lines.append(QJsonDocument::fromJson(line).object());
        return lines;
    }
};

// A fleet of simulated boards, all on the same two ephemeral ports.
struct Fleet {
    BoardSimulator sim{options()};
    QList<QByteArray> seen; // every datagram any board took in

    explicit Fleet(const QStringList& definitions)
    {
        for (const QString& text : definitions) {
            QString error;
            const auto boards = parseBoards(text, &error);
            QVERIFY2(boards, qPrintable(error));
            for (const BoardDefinition& def : *boards)
                QVERIFY2(sim.addBoard(def, &error), qPrintable(error));
        }
        QObject::connect(&sim, &BoardSimulator::received,
                         [this](int, const QByteArray& d) { seen.append(d); });
    }
    static SimOptions options()
    {
        SimOptions o;
        o.ports = {0, 0};
        o.rebootMs = 200;
        return o;
    }
    // talvikctl on a port of its own, pointed at the fleet's ports; the event loop runs
    // meanwhile, so the boards answer.
    Run ctl(QStringList args, quint16 localPort = 0)
    {
        const QList<quint16> p = sim.ports(0);
        args << "--local-port" << QString::number(localPort) << "--ports"
             << QString("%1,%2").arg(p[0]).arg(p[1]) << "--word-port" << QString::number(p[0]) << "--timeout"
             << "300";
        QProcess process;
        process.start(QCoreApplication::applicationDirPath() + "/../tools/talvikctl", args);
        Run run;
        if (!process.waitForStarted())
            return run;
        QSignalSpy finished(&process, &QProcess::finished);
        if (!finished.wait(60000))
            process.kill();
        run.exit = process.exitCode();
        run.out = process.readAllStandardOutput();
        run.err = process.readAllStandardError();
        return run;
    }
};

} // namespace

class TestTalvikctl : public QObject {
    Q_OBJECT
  private slots:
    void readsWorkingAndPermanentMemory()
    {
        Fleet fleet({"127.0.3.2,ident=1234,console=1,version=2.17"});
        WriteFields stored = fleet.sim.board(0).working();
        stored.mask = {255, 255, 0, 0};
        fleet.sim.board(0).handle(buildWriteFrame(stored)); // permanent memory differs now
        for (bool permanent : {false, true}) {
            const Run run = fleet.ctl(QStringList{"read", "127.0.3.2", "--json"} +
                                      (permanent ? QStringList{"--permanent"} : QStringList{}));
            QCOMPARE(run.exit, 0);
            const QJsonObject o = run.json().value(0);
            QCOMPARE(o["mask"].toString(), permanent ? QString("255.255.0.0") : QString("255.0.0.0"));
            QCOMPARE(o["memory"].toString(), permanent ? QString("permanent") : QString("working"));
            QCOMPARE(o["ident"].toInt(), 1234);
            QCOMPARE(o["version"].toString(), QString("2.17"));
            QCOMPARE(fleet.seen.last(), buildReadFrame(permanent ? 'd' : 'C'));
        }
    }

    void writeIsVerified_data()
    {
        QTest::addColumn<QString>("board");
        QTest::addColumn<int>("exit");
        QTest::newRow("a board that stores it") << "127.0.3.2" << 0;
        QTest::newRow("a board that ignores writes") << "127.0.3.2,writes=0" << 3;
    }
    void writeIsVerified()
    {
        QFETCH(QString, board);
        QFETCH(int, exit);
        Fleet fleet({board});
        const Run run = fleet.ctl({"write", "127.0.3.2", "--mask", "255.255.255.0", "--console-dynamic",
                                   "--ident", "258", "--dispatcher", "10.0.0.5"});
        QCOMPARE(run.exit, exit);
        WriteFields expected = fleet.sim.board(0).working();
        expected.mask = {255, 255, 255, 0};
        expected.consoleDynamic = true;
        expected.ident = 258;
        expected.dispatcher = {10, 0, 0, 5};
        QVERIFY(fleet.seen.contains(buildWriteFrame(expected))); // the window's frame, byte for byte
        QCOMPARE(run.out.contains("mask"), exit != 0);           // a mismatch names the field
    }

    void reboot_data()
    {
        QTest::addColumn<QString>("board");
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<int>("exit");
        QTest::addColumn<QString>("printed");
        QTest::newRow("acknowledged") << "127.0.3.2" << QStringList{} << 0 << "yes";
        QTest::newRow("and up again") << "127.0.3.2" << QStringList{"--wait"} << 0 << "yes";
        QTest::newRow("no acknowledgement") << "127.0.3.2,ack=0" << QStringList{} << 1 << "no";
    }
    void reboot()
    {
        QFETCH(QString, board);
        QFETCH(QStringList, options);
        QFETCH(int, exit);
        QFETCH(QString, printed);
        Fleet fleet({board});
        const Run run = fleet.ctl(QStringList{"reboot", "127.0.3.2"} + options);
        QCOMPARE(run.exit, exit);
        QVERIFY2(run.out.split('\n').value(1).contains(printed.toUtf8()), run.out.constData());
        const QList<QByteArray> words{padDigits("msi"), padDigits("vsi"), padDigits("msi"), padDigits("vsi")};
        QCOMPARE(fleet.seen.mid(0, 4), words);
        QCOMPARE(fleet.seen.value(4), rebootFrame());
        if (options.contains("--wait"))
            QVERIFY(!run.out.split('\n').value(1).endsWith("-"));
    }

    void surveyOf250BoardsWithSilentOnes()
    {
        Fleet fleet({"127.0.4.1-127.0.4.245,version=2.17"}); // 246 to 250 are silent
        const Run run = fleet.ctl({"survey", "127.0.4.1-250", "--json", "--retries", "1"});
        QCOMPARE(run.exit, 4);
        QSet<QString> answered, silent;
        for (const QJsonObject& o : run.json())
            (o.contains("error") ? silent : answered).insert(o["address"].toString());
        QCOMPARE(answered.size(), 245);
        QCOMPARE(silent,
                 QSet<QString>({"127.0.4.246", "127.0.4.247", "127.0.4.248", "127.0.4.249", "127.0.4.250"}));
        QCOMPARE(run.json().size(), 250); // every board once
        QVERIFY(run.err.contains("245 of 250 boards answered"));
    }

    void applyReproducesTheSurveyedFrames()
    {
        Fleet fleet(
            {"127.0.5.1-127.0.5.3,ident=40", "127.0.5.9,console=1,dhcp=1,ident=9,dispatcher=10.0.0.2"});
        QTemporaryDir dir;
        QCOMPARE(fleet.ctl({"survey", "127.0.5.1-9", "--save", dir.path()}).exit, 4);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), 4);
        fleet.seen.clear();
        const Run run = fleet.ctl({"apply", dir.path()});
        QCOMPARE(run.exit, 0);
        for (int i = 0; i < fleet.sim.boardCount(); ++i)
            QVERIFY(fleet.seen.contains(buildWriteFrame(fleet.sim.board(i).working())));
    }

    void listenDecodesWhatArrives()
    {
        Fleet fleet({"127.0.3.2"});
        QUdpSocket probe;
        probe.bind(QHostAddress::LocalHost, 0);
        const quint16 port = probe.localPort();
        probe.close();
        QProcess process;
        process.start(QCoreApplication::applicationDirPath() + "/../tools/talvikctl",
                      {"listen", "--count", "2", "--json", "--local-port", QString::number(port)});
        QVERIFY(process.waitForStarted());
        const auto held = [&] { // bound by talvikctl: no one else may bind it
            QUdpSocket other;
            return !other.bind(QHostAddress::AnyIPv4, port, QAbstractSocket::DontShareAddress);
        };
        QTRY_VERIFY(held());
        QUdpSocket board;
        board.bind(QHostAddress("127.0.3.7"), 0);
        board.writeDatagram(configReply(fleet.sim.board(0).working(), "3.01"), QHostAddress::LocalHost, port);
        board.writeDatagram(announcement(77), QHostAddress::LocalHost, port);
        QVERIFY(process.waitForFinished(5000));
        const QList<QByteArray> lines = process.readAllStandardOutput().split('\n');
        QCOMPARE(lines.size(), 3); // two and the last line break
        const QJsonObject config = QJsonDocument::fromJson(lines[0]).object();
        const QJsonObject ident = QJsonDocument::fromJson(lines[1]).object();
        QCOMPARE(config["kind"].toString(), QString("configuration"));
        QCOMPARE(config["sender"].toString(), QString("127.0.3.7"));
        QCOMPARE(config["config"].toObject()["version"].toString(), QString("3.01"));
        QCOMPARE(ident["kind"].toString(), QString("identifier"));
        QCOMPARE(ident["ident"].toInt(), 77);
    }

    void aTakenPortIsSaidAndNothingSent()
    {
        Fleet fleet({"127.0.3.2"});
        QUdpSocket holder;
        QVERIFY(holder.bind(QHostAddress::AnyIPv4, 0, QAbstractSocket::DontShareAddress));
        const Run run = fleet.ctl({"read", "127.0.3.2"}, holder.localPort());
        QCOMPARE(run.exit, 5);
        QVERIFY(run.err.contains("is in use"));
        QVERIFY(fleet.seen.isEmpty());
    }

    void badInputIsRefusedBeforeSending_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("named");
        QTest::newRow("address") << QStringList{"read", "127.0.3.256"} << "127.0.3.256";
        QTest::newRow("three octets") << QStringList{"reboot", "127.0.3"} << "127.0.3";
        QTest::newRow("MAC") << QStringList{"write", "127.0.3.2", "--mac", "00:1E:C0"} << "00:1E:C0";
        QTest::newRow("range backwards") << QStringList{"survey", "127.0.3.9-2"} << "127.0.3.9-2";
        QTest::newRow("unknown option") << QStringList{"read", "127.0.3.2", "--colour"} << "colour";
        QTest::newRow("unknown command") << QStringList{"frobnicate"} << "frobnicate";
        QTest::newRow("unreadable backup")
            << QStringList{"apply", "/nonexistent/x.conf"} << "/nonexistent/x.conf";
        QTest::newRow("malformed backup") << QStringList{"apply", "MALFORMED"} << "bad mask";
        QTest::newRow("identifier out of range")
            << QStringList{"write", "127.0.3.2", "--ident", "65536"} << "ident";
    }
    void badInputIsRefusedBeforeSending()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, named);
        Fleet fleet({"127.0.3.2"});
        QTemporaryDir dir;
        const QString malformed = dir.filePath("127.0.3.2.conf");
        QFile file(malformed);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("address=127.0.3.2\nip=127.0.3.2\nmask=255.0.0\n");
        file.close();
        args.replaceInStrings("MALFORMED", malformed);
        const Run run = fleet.ctl(args);
        QCOMPARE(run.exit, 2);
        QCOMPARE(run.err.count('\n'), 1); // one line
        QVERIFY2(run.err.contains(named.toUtf8()), run.err.constData());
        QVERIFY(fleet.seen.isEmpty());
    }
};

QTEST_MAIN(TestTalvikctl)
#include "test_talvikctl.moc"
