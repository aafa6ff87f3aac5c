// talvikctl run as a program against simulated boards on loopback: what it sends,
// what it prints, and what it returns.

#include "board_simulator.h"
#include "ctl_fleet.h"
#include "file_limit.h"
#include "net/private_network.h"
#include "wire/board_address.h"
#include "wire/frame_layout.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTimer>
#include <QUdpSocket>
#include <QtTest>
#include <csignal>
#include <sys/stat.h>

using namespace talvik;
using namespace talvik::sim;

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
            QCOMPARE(fleet.seen.last(), buildReadFrame(permanent ? Memory::Permanent : Memory::Working));
        }
    }

    void writeIsVerified_data()
    {
        QTest::addColumn<QString>("board");
        QTest::addColumn<int>("replyDelayMs");
        QTest::addColumn<int>("exit");
        QTest::newRow("a board that stores it") << "127.0.3.2" << 0 << 0;
        QTest::newRow("a board that ignores writes") << "127.0.3.2,writes=0" << 0 << 3;
        // Its answers to the read asked again come after the write: not taken for the read-back.
        QTest::newRow("a board slower than the time-out") << "127.0.3.2" << 400 << 0;
        QTest::newRow("a board twice as slow") << "127.0.3.2" << 650 << 0;
    }
    void writeIsVerified()
    {
        QFETCH(QString, board);
        QFETCH(int, replyDelayMs);
        QFETCH(int, exit);
        SimOptions options = Fleet::options();
        options.replyDelayMs = replyDelayMs;
        Fleet fleet({board}, options);
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
        Fleet fleet({"127.0.5.1-127.0.5.3,ident=40,console=1",
                     "127.0.5.9,console=1,dhcp=1,ident=9,dispatcher=10.0.0.2"});
        WriteFields written = fleet.sim.board(0).working(); // written, not rebooted into yet
        written.mask = {255, 255, 0, 0};
        fleet.sim.board(0).handle(buildWriteFrame(written));
        QTemporaryDir dir;
        QCOMPARE(fleet.ctl({"survey", "127.0.5.1-9", "--save", dir.path()}).exit, 4);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), 4);
        fleet.seen.clear();
        const Run run = fleet.ctl({"apply", dir.path()});
        QCOMPARE(run.exit, 0);
        for (int i = 0; i < fleet.sim.boardCount(); ++i) // the memory each board boots with
            QVERIFY(fleet.seen.contains(buildWriteFrame(fleet.sim.board(i).permanent())));
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

    // The port held a moment by another program (the exporter's survey): waited for.
    void aPortHeldForAMomentIsWaitedFor()
    {
        Fleet fleet({"127.0.3.2,version=2.17"});
        QUdpSocket probe;
        QVERIFY(probe.bind(QHostAddress::AnyIPv4, 0));
        const quint16 port = probe.localPort();
        probe.close();
        QProcess holder; // talvikctl listen, until a datagram comes 300 ms from now
        holder.start(program(), {"listen", "--local-port", QString::number(port), "--count", "1"});
        QTRY_VERIFY(!QUdpSocket().bind(QHostAddress::AnyIPv4, port, QAbstractSocket::DontShareAddress));
        QTimer::singleShot(300, [port] { QUdpSocket().writeDatagram("go", QHostAddress::LocalHost, port); });
        const Run run = fleet.ctl({"read", "127.0.3.2"}, port);
        QCOMPARE(run.exit, 0);
        QTRY_COMPARE(holder.state(), QProcess::NotRunning);
    }

    void badInputIsRefusedBeforeSending_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("named");
        QTest::addColumn<QByteArray>("backup"); // written to BACKUP.conf, or to the file named in args
        const QByteArray valid = "address=127.0.3.2\nmemory=permanent\nip=127.0.3.2\nmask=255.0.0.0\n"
                                 "router=127.0.0.1\nmac=00:1E:7F:00:03:02\ndhcp=0\nconsole=static\n"
                                 "dispatcher=0.0.0.0\nident=0\nreserve1=0.0.0.0\nreserve2=0.0.0.0\n";
        const auto with = [&](const char* from, const char* to) {
            return QByteArray(valid).replace(from, to);
        };
        QTest::newRow("address") << QStringList{"read", "127.0.3.256"} << "127.0.3.256" << QByteArray();
        QTest::newRow("three octets") << QStringList{"reboot", "127.0.3"} << "127.0.3" << QByteArray();
        QTest::newRow("MAC") << QStringList{"write", "127.0.3.2", "--mac", "00:1E:C0"} << "00:1E:C0"
                             << QByteArray();
        QTest::newRow("range backwards")
            << QStringList{"survey", "127.0.3.9-2"} << "127.0.3.9-2" << QByteArray();
        QTest::newRow("unknown option")
            << QStringList{"read", "127.0.3.2", "--colour"} << "colour" << QByteArray();
        QTest::newRow("unknown command") << QStringList{"frobnicate"} << "frobnicate" << QByteArray();
        QTest::newRow("-v is no version") << QStringList{"-v"} << "-V" << QByteArray();
        QTest::newRow("unreadable backup")
            << QStringList{"apply", "/nonexistent/x.conf"} << "/nonexistent/x.conf" << QByteArray();
        QTest::newRow("malformed backup")
            << QStringList{"apply", "BACKUP"} << "bad mask" << with("mask=255.0.0.0", "mask=255.0.0");
        QTest::newRow("identifier out of range")
            << QStringList{"write", "127.0.3.2", "--ident", "65536"} << "ident" << QByteArray();
        // Never a network's own address, its broadcast, zero or multicast; the network is the
        // adapter's that reaches the address (loopback's is a /8), a /24 where none does.
        QTest::newRow("zero") << QStringList{"read", "0.0.0.0"} << "0.0.0.0" << QByteArray();
        QTest::newRow("broadcast") << QStringList{"reboot", "255.255.255.255"} << "broadcast" << QByteArray();
        QTest::newRow("loopback's broadcast")
            << QStringList{"reboot", "127.255.255.255"} << "127.0.0.0/8" << QByteArray();
        QTest::newRow("loopback's network")
            << QStringList{"survey", "127.0.0.0"} << "127.0.0.0/8" << QByteArray();
        QTest::newRow("multicast") << QStringList{"write", "224.0.0.1", "--mask", "255.0.0.0"} << "multicast"
                                   << QByteArray();
        QTest::newRow("a range to .255 of no adapter's network")
            << QStringList{"survey", "10.77.3.1-255"} << "10.77.3.0/24" << QByteArray();
        QTest::newRow("a broadcast survey to no broadcast address")
            << QStringList{"survey", "--broadcast", "127.0.3.2"} << "no broadcast address" << QByteArray();
        QTest::newRow("a backup named for .255") << QStringList{"apply", "BACKUP"} << ".255"
                                                 << with("address=127.0.3.2", "address=127.255.255.255");
        // What the window never writes, and options that contradict each other.
        QTest::newRow("a backup of DHCP with a static console")
            << QStringList{"apply", "BACKUP"} << "dhcp=1 with console=static" << with("dhcp=0", "dhcp=1");
        QTest::newRow("a key given twice")
            << QStringList{"apply", "BACKUP"} << "ip= given twice" << with("mask=", "ip=127.0.3.9\nmask=");
        QTest::newRow("a file named for another board")
            << QStringList{"apply", "BACKUP"} << "named for 127.0.3.9" << QByteArray("127.0.3.9.conf");
        QTest::newRow("a backup of the working configuration")
            << QStringList{"apply", "BACKUP"} << "working configuration" << with("permanent", "working");
        QTest::newRow("--ident with a static console")
            << QStringList{"write", "127.0.3.2", "--from", "BACKUP", "--ident", "5"} << "dynamic console"
            << valid;
        // What would leave a board out of reach, or lose a value unsaid.
        QTest::newRow("two backups for one board")
            << QStringList{"apply", "BACKUP", "SECOND"} << "both backups of 127.0.3.2" << valid;
        QTest::newRow("a backup with ip 255.255.255.255")
            << QStringList{"apply", "BACKUP"} << "broadcast address"
            << with("ip=127.0.3.2", "ip=255.255.255.255");
        QTest::newRow("--ip 0.0.0.0")
            << QStringList{"write", "127.0.3.2", "--from", "BACKUP", "--ip", "0.0.0.0"} << "0.0.0.0" << valid;
        QTest::newRow("a mask with a gap")
            << QStringList{"write", "127.0.3.2", "--from", "BACKUP", "--mask", "255.0.255.0"} << "gap"
            << valid;
        QTest::newRow("the network address of its mask")
            << QStringList{"write", "127.0.3.2", "--from", "BACKUP", "--ip", "127.0.0.0"} << "network address"
            << valid;
        QTest::newRow("an identifier a static console cannot carry")
            << QStringList{"apply", "BACKUP"} << "ident=1002 cannot be written"
            << with("ident=0", "ident=1002");
        // A message quotes little of a file, and nothing raw.
        QTest::newRow("a long line with ESC")
            << QStringList{"apply", "BACKUP"} << ".conf:13: not key=value: \\e[1mxxx"
            << valid + "\x1b[1m" + QByteArray(5000, 'x') + '\n';
        QTest::newRow("a hosts file's line")
            << QStringList{"survey", "--hosts", "BACKUP"} << ".conf:3: '127.0.3.\\e' is not"
            << QByteArray("127.0.3.2\n# a comment\n127.0.3.\x1b\n");
        QTest::newRow("--from with two boards")
            << QStringList{"write", "127.0.3.2-3", "--from", "x.conf", "--mask", "255.0.0.0"}
            << "--from writes one board" << QByteArray();
        QTest::newRow("--json with --csv")
            << QStringList{"survey", "127.0.3.2", "--json", "--csv"} << "--csv" << QByteArray();
    }
    void badInputIsRefusedBeforeSending()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, named);
        QFETCH(QByteArray, backup);
        Fleet fleet({"127.0.3.2"});
        QTemporaryDir dir;
        const bool renamed = backup.endsWith(".conf"); // a valid backup under another board's name
        const QString path = dir.filePath(renamed ? QString(backup) : QString("127.0.3.2.conf"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(renamed ? QByteArray("address=127.0.3.2\nmemory=permanent\nip=127.0.3.2\nmask=255.0.0.0\n"
                                        "router=127.0.0.1\nmac=00:1E:7F:00:03:02\ndhcp=0\nconsole=static\n"
                                        "dispatcher=0.0.0.0\nident=0\nreserve1=0.0.0.0\nreserve2=0.0.0.0\n")
                           : backup);
        file.close();
        QFile::copy(path, dir.filePath("second.conf"));
        args.replaceInStrings("BACKUP", path).replaceInStrings("SECOND", dir.filePath("second.conf"));
        const Run run = fleet.ctl(args);
        QCOMPARE(run.exit, 2);
        QCOMPARE(run.err.count('\n'), 1); // one short line, nothing raw
        QVERIFY2(run.err.contains(named.toUtf8()), run.err.constData());
        QVERIFY(run.err.size() < 400 && !run.err.contains('\x1b'));
        QVERIFY(fleet.seen.isEmpty());
    }

    // Boards that answer short, without a version or with text that is no text: nothing is
    // built on a reply that lacks what it needs, and nothing of it reaches the terminal raw.
    void boardsThatMisbehave_data()
    {
        QTest::addColumn<QByteArray>("reply"); // what the board answers every read with
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("exit");
        QTest::addColumn<QString>("printed"); // on stdout, or on stderr when the exit is not 0
        WriteFields f;
        f.ip = {127, 0, 3, 2};
        f.mask = {255, 0, 0, 0};
        f.boardDhcp = true;
        f.consoleDynamic = true;
        const QByteArray full = sim::configReply(f, "2.17");
        QByteArray noVersion = full;
        noVersion.replace(pos::VersionTag - 1, 3, QByteArray(3, '\0')); // DHCP flag '1', no "VER"
        const QStringList write{"write", "127.0.3.2", "--mask", "255.255.255.0"};
        QTest::newRow("a read answered with 'iden'")
            << QByteArray("iden") << QStringList{"read", "127.0.3.2"} << 1 << "incomplete reply (4 bytes)";
        QTest::newRow("a write on an 'iden' base")
            << QByteArray("iden") << write << 1 << "no base for a write";
        QTest::newRow("a write on a 29-byte base")
            << full.left(29) << write << 1 << "incomplete reply (29 bytes)";
        QTest::newRow("a write on a base without a version") << noVersion << write << 1 << "no version";
        QTest::newRow("DHCP without a version reads static, as in the window")
            << noVersion << QStringList{"read", "127.0.3.2", "--json"} << 0 << "\"dhcp\":false";
        QByteArray injected = full;
        injected.replace(pos::Version - 1, 20, QByteArray("1.0\r\nINJECTED,row\x1b[2J#"));
        QTest::newRow("control characters in a table")
            << injected << QStringList{"survey", "127.0.3.2"} << 0 << "1.0\\r\\nINJECTED,row\\e[2J";
        // In CSV: no raw control character, and no cell a spreadsheet would run as a formula.
        const auto version = [&](const QByteArray& text) {
            return QByteArray(full).replace(pos::Version - 1, text.size() + 1, text + '#');
        };
        const QStringList csv{"survey", "127.0.3.2", "--csv"};
        QTest::newRow("a lone CR in CSV") << version("1.0\rX\x1b[") << csv << 0 << ",1.0\\rX\\e[,";
        QTest::newRow("a formula in CSV")
            << version("=HYPERLINK(\"x\",1)") << csv << 0 << ",\"'=HYPERLINK(\"\"x\"\",1)\",";
        QTest::newRow("+ in CSV") << version("+1-2") << csv << 0 << ",'+1-2,";
        QTest::newRow("- in CSV") << version("-2+3") << csv << 0 << ",'-2+3,";
        QTest::newRow("@ in CSV") << version("@SUM(1)") << csv << 0 << ",'@SUM(1),";
        QTest::newRow("TAB in CSV") << version("\t=1") << csv << 0 << ",\\t=1,";
        QTest::newRow("BEL and ESC in a backup")
            << version("2.1\a\x1b[1m") << QStringList{"survey", "127.0.3.2", "--save", "DIR"} << 0
            << "# program version 2.1\\x07\\e[1m\n";
        QTest::newRow("a silent board in a table")
            << full << QStringList{"survey", "127.0.3.2-3"} << 4 << "127.0.3.3        no reply";
        QTest::newRow("a silent board in CSV") << full << QStringList{"survey", "127.0.3.2-3", "--csv"} << 4
                                               << "127.0.3.3" + QString(13, ',') + "no reply";
    }
    void boardsThatMisbehave()
    {
        QFETCH(QByteArray, reply);
        QFETCH(QStringList, args);
        QFETCH(int, exit);
        QFETCH(QString, printed);
        Fleet fleet({"127.0.3.2,reply=" + hex(reply)});
        QTemporaryDir dir;
        const Run run = fleet.ctl(args.replaceInStrings("DIR", dir.path()));
        QCOMPARE(run.exit, exit);
        QFile backup(dir.filePath("127.0.3.2.conf"));
        const QByteArray written = backup.open(QIODevice::ReadOnly) ? backup.readAll() : QByteArray();
        QVERIFY2((run.out + run.err + written).contains(printed.toUtf8()), (run.out + run.err).constData());
        for (const QByteArray& text : {run.out, run.err, written})
            for (char c : text)
                QVERIFY2(uchar(c) >= 0x20 || c == '\n', text.constData()); // nothing raw leaves
        if (exit == 1)
            QCOMPARE(run.out, QByteArray()); // nothing printed of a reply that fell short
        for (const QByteArray& d : fleet.seen)
            QVERIFY(sim::frameKind(d) != sim::FrameKind::Write); // no write was built on it
    }

    void hostsFiles_data()
    {
        QTest::addColumn<QByteArray>("hosts");
        QTest::addColumn<bool>("standardInput");
        QTest::newRow("no comments") << QByteArray("127.0.3.2\n127.0.3.3\n") << false;
        QTest::newRow("a comment on one line") << QByteArray("127.0.3.2 # lift 1\n127.0.3.3") << false;
        QTest::newRow("CRLF and comment lines")
            << QByteArray("# the lifts\r\n127.0.3.2\r\n\r\n127.0.3.3\r\n") << false;
        QTest::newRow("standard input") << QByteArray("127.0.3.2\n127.0.3.3\n") << true;
    }
    void hostsFiles()
    {
        QFETCH(QByteArray, hosts);
        QFETCH(bool, standardInput);
        Fleet fleet({"127.0.3.2-3"});
        QTemporaryDir dir;
        QFile file(dir.filePath("hosts"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(hosts);
        file.close();
        const Run run = fleet.ctl({"survey", "--hosts", standardInput ? "-" : file.fileName(), "--json"}, 0,
                                  standardInput ? hosts : QByteArray());
        QCOMPARE(run.exit, 0);
        QSet<QString> answered;
        for (const QJsonObject& o : run.json())
            answered.insert(o["address"].toString());
        QCOMPARE(answered, QSet<QString>({"127.0.3.2", "127.0.3.3"}));
    }

    // Rows and backups as each board is done: Ctrl-C leaves whole lines, a backup per
    // board printed, and exit 130.
    void anInterruptedSurveyKeepsWhatIsDone()
    {
        Fleet fleet({"127.0.6.1-30"});
        QTemporaryDir dir;
        QProcess process;
        process.start(program(), fleet.withPorts({"survey", "127.0.6.1-254", "--save", dir.path(), "--json",
                                                  "--retries", "10"})); // a while for the silent ones
        QVERIFY(process.waitForStarted());
        QByteArray out;
        QTRY_VERIFY_WITH_TIMEOUT((out += process.readAllStandardOutput()).count('\n') >= 30, 20000);
        ::kill(pid_t(process.processId()), SIGINT);
        QVERIFY(process.waitForFinished(5000));
        out += process.readAllStandardOutput();
        QCOMPARE(process.exitCode(), 130);
        QVERIFY(out.endsWith('\n'));
        int answered = 0;
        const QList<QByteArray> lines = out.trimmed().split('\n');
        for (const QByteArray& line : lines) {
            const QJsonObject o = QJsonDocument::fromJson(line).object();
            QVERIFY2(!o.isEmpty(), line.constData());
            answered += o.contains("error") ? 0 : 1;
        }
        QCOMPARE(answered, 30);
        QCOMPARE(QDir(dir.path()).entryList({"*.conf"}, QDir::Files).size(), 30);
        QVERIFY(process.readAllStandardError().contains(QByteArray::number(lines.size()) +
                                                        " of 254 boards done"));
        QVERIFY(lines.size() < 254);
    }

    // Ctrl-C during a write lets the boards under way finish: each board a write frame left
    // for is read back; a second Ctrl-C ends at once and names the boards left unverified.
    void anInterruptedWriteVerifiesWhatItSent_data()
    {
        QTest::addColumn<int>("interrupts");
        QTest::newRow("once") << 1;
        QTest::newRow("twice") << 2;
    }
    void anInterruptedWriteVerifiesWhatItSent()
    {
        QFETCH(int, interrupts);
        SimOptions slow = Fleet::options();
        slow.replyDelayMs = 400;
        Fleet fleet({"127.0.7.1-30,version=2.17,console=1"}, slow);
        QSet<int> written, readBack;
        QProcess process;
        connect(&fleet.sim, &BoardSimulator::received, this, [&](int board, const QByteArray& d) {
            if (isWriteFrame(d) && !written.contains(board) && written.size() == 3) // the third wave starts
                for (int i = 0; i < interrupts; ++i)
                    QTimer::singleShot(200 * i, this, [&] { ::kill(pid_t(process.processId()), SIGINT); });
            if (isWriteFrame(d))
                written.insert(board);
            else if (d == buildReadFrame(Memory::Permanent) && written.contains(board))
                readBack.insert(board);
        });
        process.start(program(),
                      fleet.withPorts({"write", "127.0.7.1-30", "--mask", "255.255.0.0", "--json"}));
        QVERIFY(process.waitForStarted());
        QSignalSpy finished(&process, &QProcess::finished);
        QVERIFY(finished.wait(30000));
        const QString err = QString::fromUtf8(process.readAllStandardError());
        QCOMPARE(process.exitCode(), 130);
        QVERIFY2(written.size() > 3 && written.size() < 30, qPrintable(err));
        Run run;
        run.out = process.readAllStandardOutput();
        QStringList unverified;
        for (const QJsonObject& o : run.json())
            if (o["outcome"] == "cancelled" && !o["result"].toString().startsWith("cancelled"))
                unverified.append(o["address"].toString());
        if (interrupts == 1) {
            QCOMPARE(readBack, written); // every board sent to was read back
            QVERIFY(unverified.isEmpty());
            QVERIFY2(err.contains(QString("%1 cancelled").arg(30 - written.size())), qPrintable(err));
        }
        else {
            QVERIFY(!unverified.isEmpty());
            QVERIFY2(err.contains("ended at once: the write to " + unverified.join(", ") +
                                  " was sent and not read back"),
                     qPrintable(err));
        }
    }

    // --skip-unchanged: a board that holds the values already is written nothing, and a run
    // again changes nothing.
    void aBoardThatHoldsTheValuesIsLeftAlone()
    {
        Fleet fleet({"127.0.3.10-12,version=2.17,console=1"});
        QCOMPARE(fleet.ctl({"write", "127.0.3.10", "--mask", "255.255.0.0"}).exit, 0);
        fleet.seen.clear();
        const QStringList write{"write",       "127.0.3.10-12",    "--mask",
                                "255.255.0.0", "--skip-unchanged", "--json"};
        const Run run = fleet.ctl(write);
        QCOMPARE(run.exit, 0);
        QStringList outcomes;
        for (const QJsonObject& o : run.json())
            if (o.contains("address"))
                outcomes.append(o["outcome"].toString());
        QCOMPARE(outcomes, (QStringList{"unchanged", "done", "done"}));
        QCOMPARE(std::count_if(fleet.seen.begin(), fleet.seen.end(), isWriteFrame), 4); // 2 boards, 2 ports
        fleet.seen.clear();
        QCOMPARE(
            fleet.ctl(write).json().last()["summary"].toObject()["counts"].toObject()["unchanged"].toInt(),
            3);
        QCOMPARE(std::count_if(fleet.seen.begin(), fleet.seen.end(), isWriteFrame), 0);
    }

    // A roll-out of 60 boards, 3 of which hold something else after it, undone as one: every
    // board it wrote goes back, the 3 (which never took it) are read and not written, and one
    // board a later job wrote is named and left as it is, unless forced.
    void aJobIsUndoneAsOne_data()
    {
        QTest::addColumn<bool>("force");
        QTest::newRow("guarded") << false;
        QTest::newRow("forced") << true;
    }
    void aJobIsUndoneAsOne()
    {
        QFETCH(bool, force);
        Fleet fleet({"127.0.8.1-57,version=2.17,console=1", "127.0.8.58-60,version=2.17,console=1,writes=0"});
        QList<WriteFields> before;
        for (int i = 0; i < 60; ++i)
            before.append(fleet.sim.board(i).permanent());
        QCOMPARE(fleet.ctl({"write", "127.0.8.1-60", "--mask", "255.255.0.0", "--max-failures", "0"}).exit,
                 4);
        QCOMPARE(fleet.ctl({"write", "127.0.8.10", "--dispatcher", "10.2.2.2"}).exit, 0);
        const QString job = fleet.ctl({"history", "--jobs", "--json"}).json().value(1)["job"].toString();
        QList<int> writes(60);
        connect(&fleet.sim, &BoardSimulator::received, this,
                [&](int board, const QByteArray& d) { writes[board] += isWriteFrame(d); });
        const Run undo =
            fleet.ctl(QStringList{"undo", "--job", job} + (force ? QStringList{"--force"} : QStringList{}));
        QCOMPARE(undo.exit, force ? 0 : 4);
        for (int i = 0; i < 60; ++i) {
            const bool untouched = i >= 57 || (i == 9 && !force);
            QCOMPARE(writes[i] > 0, !untouched);
            if (!untouched)
                QCOMPARE(fleet.sim.board(i).permanent(), before[i]);
        }
        QCOMPARE(fleet.sim.board(9).permanent().dispatcher == before[9].dispatcher, force);
        QVERIFY2(force || undo.err.contains("127.0.8.10: job "),
                 undo.err.constData()); // named, with the later job
        for (const QByteArray& line :
             undo.out.split('\n')) // sent a write they never took: read, found as they were
            if (line.startsWith("127.0.8.58") || line.startsWith("127.0.8.59") ||
                line.startsWith("127.0.8.60"))
                QVERIFY2(line.contains("unchanged"), line.constData());
        QVERIFY(undo.err.contains("3 unchanged"));
        const QJsonObject undoJob = fleet.ctl({"history", "--jobs", "--json"}).json().value(0);
        QCOMPARE(undoJob["undoes"].toString(), job);
        QCOMPARE(undoJob["counts"]["refused"].toInt(), force ? 0 : 1);
    }

    // A write of 200 boards killed (SIGKILL) after its 30th verified board: retry --job finishes
    // it from the journal alone. No verified board is written again, and every board holds it.
    void aKilledJobIsFinished()
    {
        Fleet fleet({"127.0.9.1-200,version=2.17,console=1"});
        QList<int> writes(200);
        connect(&fleet.sim, &BoardSimulator::received, this,
                [&](int board, const QByteArray& d) { writes[board] += isWriteFrame(d); });
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("XDG_DATA_HOME", fleet.dataHome.path());
        process.setProcessEnvironment(environment);
        process.start(program(), fleet.withPorts({"write", "127.0.9.1-200", "--mask", "255.255.0.0"}));
        QVERIFY(process.waitForStarted());
        const auto verified = [&] {
            QFile journal(fleet.journalFile());
            return journal.open(QIODevice::ReadOnly) ? int(journal.readAll().count("\"outcome\":\"done\""))
                                                     : 0;
        };
        QTRY_VERIFY_WITH_TIMEOUT(verified() >= 30, 20000);
        ::kill(pid_t(process.processId()), SIGKILL);
        QVERIFY(process.waitForFinished(5000));
        QFile journal(fleet.journalFile());
        QVERIFY(journal.open(QIODevice::ReadOnly));
        QSet<QString> done; // the boards the killed job verified
        for (const QByteArray& line : journal.readAll().split('\n'))
            if (line.contains("\"kind\":\"result\"") && line.contains("\"outcome\":\"done\""))
                done.insert(QJsonDocument::fromJson(line).object()["board"].toString());
        QVERIFY(done.size() >= 30 && done.size() < 200);
        QVERIFY(!fleet.ctl({"history", "--jobs", "--json"}).json().value(0)["ended"].toBool());
        const QList<int> beforeRetry = writes;

        const Run retry = fleet.ctl({"retry", "--job", "last"});
        QVERIFY2(retry.exit == 0, retry.err.constData());
        QVERIFY(
            retry.err.contains(QString("%1 boards of the job succeeded already").arg(done.size()).toUtf8()));
        for (int i = 0; i < 200; ++i) {
            const QString board = QString("127.0.9.%1").arg(i + 1);
            QCOMPARE(fleet.sim.board(i).permanent().mask, (Ipv4{255, 255, 0, 0}));
            if (done.contains(board)) // written once: its frame to each of the two ports
                QCOMPARE(writes[i], 2);
            else
                QVERIFY(writes[i] > beforeRetry[i]);
        }
        QVERIFY2(retry.err.contains(QString("%1 boards: ").arg(200 - done.size()).toUtf8()) &&
                     !retry.err.contains("failed"),
                 retry.err.constData());
    }

    // Files that are no backup or hosts file, however large or endless: refused at once.
    void filesWithBounds_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QStringList>("args");
        QTest::newRow("a 1 GiB sparse backup") << "sparse" << QStringList{"apply", "FILE"};
        QTest::newRow("a backup that is /dev/zero") << "zero" << QStringList{"apply", "FILE"};
        QTest::newRow("a backup that is a FIFO")
            << "fifo" << QStringList{"write", "127.0.3.2", "--from", "FILE", "--mask", "255.0.0.0"};
        QTest::newRow("hosts from /dev/zero") << "zero" << QStringList{"survey", "--hosts", "FILE"};
        QTest::newRow("a folder as hosts") << "folder" << QStringList{"survey", "--hosts", "FILE"};
        QTest::newRow("17 MiB of hosts") << "17 MiB" << QStringList{"survey", "--hosts", "FILE"};
    }
    void filesWithBounds()
    {
        QFETCH(QString, kind);
        QFETCH(QStringList, args);
        Fleet fleet({"127.0.3.2"});
        QTemporaryDir dir;
        const QString path = dir.filePath("127.0.3.2.conf");
        QFile file(path);
        if (kind == "sparse" || kind == "17 MiB")
            QVERIFY(file.open(QIODevice::WriteOnly) && file.resize(kind == "sparse" ? 1 << 30 : 17 << 20));
        else if (kind == "zero")
            QVERIFY(QFile::link("/dev/zero", path));
        else if (kind == "fifo")
            QCOMPARE(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        else
            QVERIFY(QDir(dir.path()).mkdir("127.0.3.2.conf"));
        file.close();
        const Run run = fleet.ctl(args.replaceInStrings("FILE", path));
        QCOMPARE(run.exit, 2);
        QCOMPARE(run.err.count('\n'), 1);
        QVERIFY2(run.err.contains(path.toUtf8()) && run.err.size() < 400, run.err.constData());
        QVERIFY(fleet.seen.isEmpty());
    }

    // A static console's write frame carries no identifier: a restore says so, and goes
    // ahead only when told to.
    void aRestoreSaysWhatItCouldNotWrite()
    {
        Fleet fleet({"127.0.3.2,ident=1002"});
        QTemporaryDir dir;
        QCOMPARE(fleet.ctl({"survey", "127.0.3.2", "--save", dir.path()}).exit, 0);
        fleet.seen.clear();
        const Run refused = fleet.ctl({"apply", dir.path()});
        QCOMPARE(refused.exit, 2);
        QVERIFY2(refused.err.contains("ident=1002 cannot be written"), refused.err.constData());
        QVERIFY(fleet.seen.isEmpty());
        const Run forced = fleet.ctl({"apply", dir.path(), "--force", "--json"});
        QCOMPARE(forced.exit, 0);
        QCOMPARE(forced.json().value(0)["job"].toString(), QString("apply")); // what a retry runs again
        const QJsonObject o = forced.json().value(1);
        QCOMPARE(o["result"].toString(),
                 QString("written, verified; not written: ident; takes effect at the next reboot"));
        QCOMPARE(o["not_written"].toArray(), QJsonArray{"ident"});
        QVERIFY(forced.err.contains("127.0.3.2: not written: ident"));
        QCOMPARE(fleet.sim.board(0).permanent().ident, 0);
    }

    void aBackupThatCannotBeWrittenFails()
    {
        Fleet fleet({"127.0.3.2-3"});
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir("127.0.3.2.conf")); // a folder where its backup goes
        const Run run = fleet.ctl({"survey", "127.0.3.2-3", "--save", dir.path()});
        QCOMPARE(run.exit, 6);
        QVERIFY(run.out.contains("no backup: cannot write"));
        QVERIFY(QFile::exists(dir.filePath("127.0.3.3.conf")));
    }

    // The conventions a technician expects of a command-line tool.
    void conventions_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("printed"); // "" : nothing at all on stdout
        QTest::addColumn<bool>("sends");
        QTest::newRow("help COMMAND")
            << QStringList{"help", "reboot"} << "Usage: talvikctl [options] reboot" << false;
        QTest::newRow("a command's help lists its options only")
            << QStringList{"read", "--help"} << "--permanent" << false;
        QTest::newRow("-V") << QStringList{"-V"} << "talvikctl 1." << false;
        QTest::newRow("options before the command")
            << QStringList{"--json", "read", "127.0.3.2"} << "{\"address\"" << true;
        QTest::newRow("--quiet") << QStringList{"read", "127.0.3.2", "--quiet"} << "" << true;
        QTest::newRow("--dry-run") << QStringList{"reboot", "127.0.3.2", "--dry-run"}
                                   << QString::fromLatin1(rebootFrame().toHex()) << false;
    }
    void conventions()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, printed);
        QFETCH(bool, sends);
        Fleet fleet({"127.0.3.2"});
        QProcess process;
        process.start(program(),
                      args.first() == "-V" || args.first() == "help" ? args : fleet.withPorts(args));
        QSignalSpy finished(&process, &QProcess::finished);
        QVERIFY(finished.wait(10000));
        const QByteArray out = process.readAllStandardOutput();
        QCOMPARE(process.exitCode(), 0);
        if (printed.isEmpty())
            QCOMPARE(out, QByteArray());
        else
            QVERIFY2(out.contains(printed.toUtf8()), out.constData());
        QVERIFY(!out.contains("--help-all") && !out.contains("/tools/talvikctl"));
        if (args.contains("read") && args.contains("--help"))
            QVERIFY(!out.contains("--word-port") && !out.contains("--csv"));
        QCOMPARE(!fleet.seen.isEmpty(), sends);
    }

    // One read to the broadcast address of the tests' own network: every board on it answers.
    void aBroadcastSurveyListsEveryBoard()
    {
        if (!networkIsLoopbackOnly())
            QSKIP("needs a network of its own (make test runs it in one)");
        raiseFileLimit();
        SimOptions o = Fleet::options();
        o.broadcast = QHostAddress("192.168.1.255");
        Fleet fleet({"192.168.1.2-251"}, o);
        const Run run = fleet.ctl({"survey", "--broadcast", "192.168.1.255", "--json", "--retries", "1"});
        QCOMPARE(run.exit, 0);
        QSet<QString> answered;
        for (const QJsonObject& o : run.json())
            answered.insert(o["address"].toString());
        QCOMPARE(answered.size(), 250);
        QVERIFY(answered.contains("192.168.1.2") && answered.contains("192.168.1.251"));
    }

    // Qt allows broadcast on every UDP socket; talvikctl takes it back on each, except for
    // the one command that sends to a broadcast address. Seen in the system calls.
    void noSocketMayBroadcast_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<bool>("broadcast");
        QTest::newRow("survey") << QStringList{"survey", "127.0.3.2"} << false;
        QTest::newRow("reboot") << QStringList{"reboot", "127.0.3.2"} << false;
        QTest::newRow("write") << QStringList{"write", "127.0.3.2", "--mask", "255.0.0.0"} << false;
        QTest::newRow("survey --broadcast")
            << QStringList{"survey", "--broadcast", "127.255.255.255"} << true;
    }
    void noSocketMayBroadcast()
    {
        QFETCH(QStringList, args);
        QFETCH(bool, broadcast);
        if (QStandardPaths::findExecutable("strace").isEmpty())
            QSKIP("needs strace");
        Fleet fleet({"127.0.3.2"});
        QTemporaryDir dir;
        const QString trace = dir.filePath("trace");
        QProcess process;
        process.start("strace", QStringList{"-f", "-e", "trace=setsockopt,sendmsg,sendmmsg,sendto", "-o",
                                            trace, program()} +
                                    fleet.withPorts(args));
        QSignalSpy finished(&process, &QProcess::finished);
        QVERIFY(finished.wait(20000));
        QFile file(trace);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QHash<QByteArray, bool> allowed; // by socket
        int sends = 0;
        const QRegularExpression option(R"re(setsockopt\((\d+), SOL_SOCKET, SO_BROADCAST, \[(\d)\])re");
        const QRegularExpression send(R"re(send(?:m?msg|to)\((\d+),)re");
        const QRegularExpression to(R"re(inet_addr\("([\d.]+)"\))re");
        for (const QString& line : QString::fromLatin1(file.readAll()).split('\n')) {
            if (const auto m = option.match(line); m.hasMatch())
                allowed[m.captured(1).toLatin1()] = m.captured(2) == "1";
            if (const auto m = send.match(line); m.hasMatch())
                for (const auto& address : to.globalMatch(line)) { // sendmmsg: every one of the batch
                    ++sends;
                    QCOMPARE(allowed.value(m.captured(1).toLatin1(), true), broadcast);
                    QCOMPARE(address.captured(1).endsWith(".255"), broadcast);
                }
        }
        QVERIFY(sends > 0);
    }

    // One change on two boards: only the dispatcher of each changes, each on its own memory;
    // the journal lists it with the memory before, and undo puts the very fields back.
    void aChangeOnManyBoardsIsJournaledAndUndone()
    {
        Fleet fleet({"127.0.1.1-127.0.1.6,version=2.17,console=1"});
        const WriteFields three = fleet.sim.board(2).permanent(), six = fleet.sim.board(5).permanent();
        QCOMPARE(fleet.ctl({"write", "127.0.1.3", "127.0.1.6", "--dispatcher", "10.2.2.2", "--dry-run"}).exit,
                 0);
        QVERIFY(!std::any_of(fleet.seen.begin(), fleet.seen.end(), isWriteFrame));
        QCOMPARE(fleet.ctl({"write", "127.0.1.3", "127.0.1.6", "--dispatcher", "10.2.2.2"}).exit, 0);
        for (const auto& [index, before] : {std::pair{2, three}, std::pair{5, six}}) {
            WriteFields expected = before;
            expected.dispatcher = {10, 2, 2, 2};
            QCOMPARE(fleet.sim.board(index).permanent(), expected);
        }
        const QList<QJsonObject> history = fleet.ctl({"history", "127.0.1.3", "--json"}).json();
        QCOMPARE(history.size(), 1);
        QCOMPARE(history[0]["before"].toObject()["dispatcher"].toString(), QString("0.0.0.0"));
        QCOMPARE(history[0]["sent"].toObject()["dispatcher"].toString(), QString("10.2.2.2"));
        QCOMPARE(history[0]["result"].toString(), QString("written, verified"));
        QCOMPARE(fleet.ctl({"undo", "127.0.1.3"}).exit, 0);
        QCOMPARE(fleet.sim.board(2).permanent(), three);
        QCOMPARE(fleet.ctl({"history", "--json"}).json().size(), 3); // the undo is journaled too
    }

    // The journal's line is on the disk before the frame leaves; a journal that cannot be
    // written (a file where its folder should be) sends nothing.
    void theJournalComesFirst()
    {
        Fleet fleet({"127.0.1.3,version=2.17"});
        bool journaledFirst = false;
        QObject::connect(&fleet.sim, &BoardSimulator::received, [&](int, const QByteArray& d) {
            QFile journal(fleet.journalFile());
            if (isWriteFrame(d) && journal.open(QIODevice::ReadOnly))
                journaledFirst = journal.readAll().contains(d.toHex());
        });
        QCOMPARE(fleet.ctl({"write", "127.0.1.3", "--mask", "255.255.0.0"}).exit, 0);
        QVERIFY(journaledFirst);

        Fleet blocked({"127.0.1.3,version=2.17"});
        QVERIFY(QDir(blocked.dataHome.path()).mkpath("TalvikCom"));
        QFile inTheWay(blocked.dataHome.filePath("TalvikCom/journal"));
        QVERIFY(inTheWay.open(QIODevice::WriteOnly));
        const Run run = blocked.ctl({"write", "127.0.1.3", "--mask", "255.255.0.0"});
        QCOMPARE(run.exit, 7);
        QVERIFY2(run.err.contains("journal") || run.out.contains("journal"), run.out + run.err);
        QVERIFY(!std::any_of(blocked.seen.begin(), blocked.seen.end(), isWriteFrame));
    }

    void aReplacementKeepsItsOwnMac_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QString>("mac");
        QTest::newRow("its own MAC") << QStringList{} << "00:1E:7F:00:01:08";
        QTest::newRow("--take-mac") << QStringList{"--take-mac"} << "00:1E:7F:00:01:20";
    }
    void aReplacementKeepsItsOwnMac()
    {
        QFETCH(QStringList, options);
        QFETCH(QString, mac);
        Fleet fleet({"127.0.1.8,version=2.17,console=1"});
        QTemporaryDir dir;
        const QString backup = dir.filePath("127.0.1.20.conf");
        QFile file(backup);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(
            "address=127.0.1.20\nmemory=permanent\nip=127.0.1.20\nmask=255.255.255.0\nrouter=127.0.1.1\n"
            "mac=00:1E:7F:00:01:20\ndhcp=0\nconsole=dynamic\ndispatcher=10.0.0.5\nident=1020\n"
            "reserve1=0.0.0.0\nreserve2=0.0.0.0\nbranch=0\n");
        file.close();
        const Run run = fleet.ctl(QStringList{"apply", backup, "--to", "127.0.1.8", "--json"} + options);
        QCOMPARE(run.exit, 0);
        const QList<QJsonObject> read = fleet.ctl({"read", "127.0.1.8", "--permanent", "--json"}).json();
        QCOMPARE(read.value(0)["mac"].toString(), mac);
        QCOMPARE(read.value(0)["ip"].toString(), QString("127.0.1.20"));
        QCOMPARE(read.value(0)["ident"].toInt(), 1020);
    }

    void aReplacementWaitsForTheOldBoardToGo()
    {
        Fleet fleet({"127.0.1.8,version=2.17", "127.0.1.9,version=2.17"});
        QTemporaryDir dir;
        QCOMPARE(fleet.ctl({"survey", "127.0.1.9", "--save", dir.path()}).exit, 0);
        const Run run = fleet.ctl({"apply", dir.filePath("127.0.1.9.conf"), "--to", "127.0.1.8"});
        QCOMPARE(run.exit, 2);
        QVERIFY2(run.err.contains("still answers at 127.0.1.9"), run.err);
        QVERIFY(!std::any_of(fleet.seen.begin(), fleet.seen.end(), isWriteFrame));
    }

    // Writes go in waves (1, 2, 4, 8 boards at once); between waves the failure limit is
    // checked, and the boards not reached are reported as not tried.
    void aRolloutStopsAtItsFailureLimit_data()
    {
        QTest::addColumn<int>("boards");
        QTest::addColumn<QList<int>>("ignoring"); // boards (from 1) that ignore writes
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QString>("outcomes"); // of boards 1, 2, ...: d done, m mismatch, n not tried
        QTest::addColumn<int>("exit");
        QTest::newRow("the 5th to 7th of 10, the default limit")
            << 10 << QList<int>{5, 6, 7} << QStringList{} << "ddddmmmnnn" << 4;
        QTest::newRow("no limit") << 10 << QList<int>{5, 6, 7} << QStringList{"--max-failures", "0"}
                                  << "ddddmmmddd" << 4;
        QTest::newRow("one failure is the limit")
            << 10 << QList<int>{2} << QStringList{"--max-failures", "1"} << "dmdnnnnnnn" << 4;
        QTest::newRow("the first three of 10: the canary and its wave")
            << 10 << QList<int>{1, 2, 3} << QStringList{} << "mmmnnnnnnn" << 3;
        QTest::newRow("fewer than a third of those tried: it goes on")
            << 20 << QList<int>{8, 9, 10, 11} << QStringList{} << "dddddddmmmmddddddddd" << 4;
        QTest::newRow("every board fails") << 3 << QList<int>{1, 2, 3} << QStringList{} << "mmm" << 3;
    }
    void aRolloutStopsAtItsFailureLimit()
    {
        QFETCH(int, boards);
        QFETCH(QList<int>, ignoring);
        QFETCH(QStringList, options);
        QFETCH(QString, outcomes);
        QFETCH(int, exit);
        QStringList definitions;
        for (int i = 1; i <= boards; ++i)
            definitions.append(
                QString("127.0.5.%1,version=2.17%2").arg(i).arg(ignoring.contains(i) ? ",writes=0" : ""));
        Fleet fleet(definitions);
        const QString range = QString("127.0.5.1-%1").arg(boards);
        const Run run = fleet.ctl(QStringList{"write", range, "--mask", "255.255.255.0", "--json"} + options);
        QCOMPARE(run.exit, exit);
        QString got(boards, '?');
        for (const QJsonObject& o : run.json())
            if (o.contains("address"))
                got[o["address"].toString().section('.', 3).toInt() - 1] = o["outcome"].toString().at(0);
        QCOMPARE(got, outcomes);
        const int written = int(std::count_if(fleet.seen.begin(), fleet.seen.end(), isWriteFrame)) / 2;
        QCOMPARE(written, int(outcomes.count('d') + outcomes.count('m'))); // none to a board not tried
        if (outcomes.contains('n'))
            QVERIFY2(run.err.contains("not tried"), run.err.constData());
        // The summary: each kind of end counted.
        const int taking = int(outcomes.count('d'));
        QVERIFY2(taking == 0 ||
                     run.err.contains(QString("%1 written and verified, taking effect at the next reboot")
                                          .arg(taking)
                                          .toUtf8()),
                 run.err.constData());
    }

    // "retry" runs the operation of a run's --json output again on its boards that did not
    // succeed, and never writes a board that was written successfully.
    void aRetryTakesOnlyTheFailures()
    {
        QStringList definitions;
        for (int i = 1; i <= 10; ++i)
            definitions.append(
                QString("127.0.5.%1,version=2.17%2").arg(i).arg(i >= 5 && i <= 7 ? ",writes=0" : ""));
        Fleet fleet(definitions);
        const Run first = fleet.ctl({"write", "127.0.5.1-10", "--mask", "255.255.255.0", "--json"});
        QCOMPARE(first.exit, 4);
        QTemporaryDir dir;
        QFile output(dir.filePath("run.jsonl"));
        QVERIFY(output.open(QIODevice::WriteOnly));
        output.write(first.out);
        output.close();
        for (int i = 4; i <= 6; ++i) // boards 5 to 7 take writes again
            fleet.sim.board(i).setBehaviour(true, true);
        QMap<QString, int> writes; // frames by board
        connect(&fleet.sim, &BoardSimulator::received, this, [&](int board, const QByteArray& d) {
            if (isWriteFrame(d))
                ++writes[fleet.sim.board(board).address()];
        });
        const Run retry = fleet.ctl({"retry", output.fileName(), "--json"});
        QCOMPARE(retry.exit, 0);
        QCOMPARE(QStringList(writes.keys()), QStringList({"127.0.5.10", "127.0.5.5", "127.0.5.6", "127.0.5.7",
                                                          "127.0.5.8", "127.0.5.9"}));
        for (int i = 4; i < 10; ++i)
            QCOMPARE(fleet.sim.board(i).permanent().mask, (Ipv4{255, 255, 255, 0}));
        // The retry's own output says what ran: a second retry finds nothing left.
        QVERIFY(output.open(QIODevice::WriteOnly | QIODevice::Truncate));
        output.write(retry.out);
        output.close();
        writes.clear();
        const Run again = fleet.ctl({"retry", output.fileName()});
        QCOMPARE(again.exit, 0);
        QVERIFY(again.err.contains("nothing to retry"));
        QVERIFY(writes.isEmpty());
    }

    // A site is its ranges: a survey of it gives the same rows as one of its ranges, each
    // row with its site, and an unknown site is a usage error naming the known ones.
    void aSiteIsItsRanges()
    {
        Fleet fleet({"127.0.5.1-20,version=2.17"});
        QTemporaryDir dir;
        const QStringList file{"--sites-file", dir.filePath("sites.txt")};
        QCOMPARE(fleet.ctl(QStringList{"sites", "add", "Північ", "127.0.5.1-20"} + file).exit, 0);
        const Run bySite = fleet.ctl(QStringList{"survey", "--site", "Північ", "--csv"} + file);
        const Run byRange = fleet.ctl(QStringList{"survey", "127.0.5.1-20", "--csv"} + file);
        QCOMPARE(bySite.exit, 0);
        QCOMPARE(bySite.out, byRange.out);
        const QList<QByteArray> rows = bySite.out.trimmed().split('\n');
        QCOMPARE(rows.size(), 21);
        for (const QByteArray& row : rows.mid(1))
            QVERIFY2(row.endsWith(",Північ"), row.constData());
        const Run unknown = fleet.ctl(QStringList{"survey", "--site", "Південь"} + file);
        QCOMPARE(unknown.exit, 2);
        QVERIFY2(unknown.err.contains("Південь") && unknown.err.contains("Північ"), unknown.err.constData());
        const Run listed = fleet.ctl(QStringList{"sites", "--json"} + file);
        QCOMPARE(listed.json().value(0)["boards"].toInt(), 20);
        // Renamed and given other addresses; an unknown site is a usage error.
        QCOMPARE(fleet.ctl(QStringList{"sites", "rename", "Північ", "Північ, 2"} + file).exit, 0);
        QCOMPARE(fleet.ctl(QStringList{"sites", "set", "Північ, 2", "127.0.5.1-10"} + file).exit, 0);
        const Run changed = fleet.ctl(QStringList{"sites", "--json"} + file);
        QCOMPARE(changed.json().value(0)["name"].toString(), QString("Північ, 2"));
        QCOMPARE(changed.json().value(0)["boards"].toInt(), 10);
        QCOMPARE(fleet.ctl(QStringList{"sites", "rename", "Північ", "Схід"} + file).exit, 2);
    }

    // A site's name is text from a file: escaped in a table, guarded in CSV, exact in JSON.
    void aHostileSiteNameIsEscaped_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<QByteArray>("shown");
        QTest::newRow("table") << "" << QByteArray("=cmd\\e[2J\\n");
        QTest::newRow("CSV") << "--csv" << QByteArray(",'=cmd\\e[2J\\n\n");
        QTest::newRow("JSON") << "--json" << QByteArray("\"site\":\"=cmd\\u001b[2J\\n\"");
    }
    void aHostileSiteNameIsEscaped()
    {
        QFETCH(QString, format);
        QFETCH(QByteArray, shown);
        Fleet fleet({"127.0.5.1,version=2.17"});
        QTemporaryDir dir;
        const QStringList file{"--sites-file", dir.filePath("sites.txt")};
        QCOMPARE(fleet.ctl(QStringList{"sites", "add", "=cmd\x1b[2J\n", "127.0.5.1"} + file).exit, 0);
        QStringList args = QStringList{"survey", "127.0.5.1"} + file;
        if (!format.isEmpty())
            args << format;
        const Run run = fleet.ctl(args);
        QVERIFY2(run.out.contains(shown), run.out.constData());
        QVERIFY(!run.out.contains('\x1b'));
    }

    // 20 boards of a site, 3 with another gateway: diff names those 3 and the field.
    void aSiteAgainstItsReference()
    {
        Fleet fleet({"127.0.5.1-17,version=2.17", "127.0.5.18-20,version=2.17,gateway=127.0.0.9"});
        QTemporaryDir dir;
        const QStringList file{"--sites-file", dir.filePath("sites.txt")};
        QCOMPARE(fleet.ctl(QStringList{"sites", "add", "Північ", "127.0.5.1-20"} + file).exit, 0);
        const Run run =
            fleet.ctl(QStringList{"diff", "--reference", "127.0.5.1", "--site", "Північ", "--json"} + file);
        QCOMPARE(run.exit, 1);
        QStringList named;
        for (const QJsonObject& o : run.json()) {
            named << o["address"].toString();
            QCOMPARE(o["differences"].toArray().size(), 1);
            QCOMPARE(o["differences"].toArray()[0].toObject()["field"].toString(), QString("router"));
        }
        QCOMPARE(named, QStringList({"127.0.5.18", "127.0.5.19", "127.0.5.20"}));
        QCOMPARE(fleet.ctl(QStringList{"diff", "--reference", "127.0.5.1", "127.0.5.2-17"} + file).exit, 0);
    }
};

QTEST_MAIN(TestTalvikctl)
#include "test_talvikctl.moc"
