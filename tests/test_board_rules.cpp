// What may be written to a board, decided without a socket: every front end asks decide().

#include "board/board_rules.h"
#include "wire/board_address.h"

#include <QtTest>

using namespace talvik;

Q_DECLARE_METATYPE(talvik::WritePlan)
Q_DECLARE_METATYPE(QList<talvik::WriteOfJob>)

namespace {
Ipv4 ipv4(const char* dotted)
{
    return octetsOf(*parseDottedDecimal(QLatin1String(dotted)));
}

// A board's permanent memory: "dhcp", "static" or "dynamic" console, and its ident.
BoardConfig memory(const QString& kind, quint16 ident = 0)
{
    BoardConfig c;
    c.address = BoardAddress(0x0A010203); // 10.1.2.3
    c.fields.ip = ipv4("10.1.2.3");
    c.fields.mask = ipv4("255.255.255.0");
    c.fields.boardDhcp = kind == QLatin1String("dhcp") || kind == QLatin1String("dhcp static");
    c.fields.consoleDynamic = kind == QLatin1String("dhcp") || kind == QLatin1String("dynamic");
    c.fields.ident = ident;
    c.memory = Memory::Permanent;
    return c;
}

// "console-only-fields(dispatcher) not-carried(dispatcher)": the kinds and their fields.
QString refusals(const QList<Refusal>& list)
{
    QStringList out;
    for (const Refusal& r : list)
        out.append(reasonKey(r.kind) + (r.fields.isEmpty() ? QString() : '(' + r.fields.join(',') + ')'));
    return out.join(' ');
}
} // namespace

class TestBoardRules : public QObject {
    Q_OBJECT
  private slots:
    // An address and mask that would leave a board out of reach.
    void addressesNoBoardCanUse_data()
    {
        QTest::addColumn<QString>("ip");
        QTest::addColumn<QString>("mask");
        QTest::addColumn<QString>("board"); // where the frame goes
        QTest::addColumn<bool>("dhcp");
        QTest::addColumn<QList<IpProblem>>("problems");
        using P = IpProblem;
        QTest::newRow("a usable one") << "10.1.2.3"
                                      << "255.255.255.0"
                                      << "10.1.2.3" << false << QList<P>{};
        QTest::newRow("zero") << "0.0.0.0"
                              << "255.255.255.0"
                              << "10.1.2.3" << false << QList<P>{P::Zero};
        QTest::newRow("zero on DHCP") << "0.0.0.0"
                                      << "0.0.0.0"
                                      << "10.1.2.3" << true << QList<P>{};
        QTest::newRow("multicast") << "239.1.1.1"
                                   << "255.255.255.0"
                                   << "10.1.2.3" << false << QList<P>{P::Multicast};
        QTest::newRow("loopback for a board elsewhere") << "127.0.0.5"
                                                        << "255.0.0.0"
                                                        << "10.1.2.3" << false << QList<P>{P::Loopback};
        QTest::newRow("loopback for a simulated board") << "127.0.0.5"
                                                        << "255.0.0.0"
                                                        << "127.0.0.5" << false << QList<P>{};
        QTest::newRow("the network of a /16") << "10.1.0.0"
                                              << "255.255.0.0"
                                              << "10.1.2.3" << false << QList<P>{P::NetworkOfMask};
        QTest::newRow("the broadcast of a /28") << "10.1.2.15"
                                                << "255.255.255.240"
                                                << "10.1.2.3" << false << QList<P>{P::BroadcastOfMask};
        QTest::newRow("a gap in the mask") << "10.1.2.3"
                                           << "255.0.255.0"
                                           << "10.1.2.3" << false << QList<P>{P::MaskNotContiguous};
    }
    void addressesNoBoardCanUse()
    {
        QFETCH(QString, ip);
        QFETCH(QString, mask);
        QFETCH(QString, board);
        QFETCH(bool, dhcp);
        QFETCH(QList<IpProblem>, problems);
        WriteFields f;
        f.ip = ipv4(qPrintable(ip));
        f.mask = ipv4(qPrintable(mask));
        f.boardDhcp = dhcp;
        f.consoleDynamic = dhcp;
        QCOMPARE(ipProblems(f, BoardAddress(*parseDottedDecimal(board))), problems);
    }

    // One change on boards of every kind: what is written, and what stands against it.
    void aChangeIsDecided_data()
    {
        QTest::addColumn<QString>("board"); // its memory: dhcp, static, dynamic, "dhcp static"
        QTest::addColumn<quint16>("ident");
        QTest::addColumn<QString>("change");  // field=value, ...
        QTest::addColumn<QString>("written"); // the DHCP flag and the console's kind after it
        QTest::addColumn<QString>("refused");
        QTest::addColumn<bool>("forced"); // written with --force
        QTest::newRow("a mask") << "dynamic" << quint16(0) << "mask=255.255.0.0"
                                << "0 1"
                                << "" << true;
        QTest::newRow("DHCP makes the console dynamic") << "static" << quint16(0) << "dhcp=1"
                                                        << "1 1"
                                                        << "" << true;
        QTest::newRow("a static console makes the board static") << "dhcp" << quint16(0) << "console=0"
                                                                 << "0 0"
                                                                 << "" << true;
        QTest::newRow("no DHCP leaves the console") << "dhcp" << quint16(0) << "dhcp=0"
                                                    << "0 1"
                                                    << "" << true;
        QTest::newRow("an identifier with a static console")
            << "static" << quint16(0) << "ident=7"
            << "0 0"
            << "console-only-fields(ident) not-carried(ident)" << false;
        QTest::newRow("an identifier made to travel") << "static" << quint16(0) << "ident=7,console=1"
                                                      << "0 1"
                                                      << "" << true;
        QTest::newRow("DHCP with a static console in the memory")
            << "dhcp static" << quint16(0) << "mask=255.255.0.0"
            << "1 0"
            << "dhcp-with-static-console(dhcp,console)" << false;
        QTest::newRow("an identifier a static console's frame drops")
            << "static" << quint16(1002) << "mask=255.255.0.0"
            << "0 0"
            << "not-carried(ident)" << true;
        QTest::newRow("an address out of reach") << "dynamic" << quint16(0) << "ip=10.1.0.0,mask=255.255.0.0"
                                                 << "0 1"
                                                 << "unreachable(ip,mask)" << true;
    }
    void aChangeIsDecided()
    {
        QFETCH(QString, board);
        QFETCH(quint16, ident);
        QFETCH(QString, change);
        QFETCH(QString, written);
        QFETCH(QString, refused);
        QFETCH(bool, forced);
        FieldChange c;
        for (const QString& pair : change.split(',')) {
            const QString key = pair.section('=', 0, 0), value = pair.section('=', 1);
            if (key == "mask")
                c.mask = ipv4(qPrintable(value));
            else if (key == "ip")
                c.ip = ipv4(qPrintable(value));
            else if (key == "ident")
                c.ident = quint16(value.toUInt());
            else if (key == "dhcp")
                c.dhcp = value == "1";
            else if (key == "console")
                c.consoleDynamic = value == "1";
        }
        const Decision d = decide(memory(board, ident), WritePlan::ofChange(c));
        QCOMPARE(QString("%1 %2").arg(int(d.fields.boardDhcp)).arg(int(d.fields.consoleDynamic)), written);
        QCOMPARE(refusals(d.refusals), refused);
        QCOMPARE(d.blocking(true).isEmpty(), forced);
    }

    // Backups, a replacement and an undo: what each plan writes and refuses.
    void otherPlans_data()
    {
        QTest::addColumn<WritePlan>("plan");
        QTest::addColumn<QString>("refused");
        QTest::addColumn<QString>("mac"); // its last byte in the frame
        BoardConfig backup = memory("dynamic");
        backup.fields.mac = {0, 0x1E, 0, 0, 0, 0x99};
        BoardConfig working = backup;
        working.memory = Memory::Working;
        QTest::newRow("a backup") << WritePlan::ofBackup(backup) << ""
                                  << "99";
        QTest::newRow("a backup of the working configuration")
            << WritePlan::ofBackup(working) << "not-permanent-memory"
            << "99";
        QTest::newRow("a replacement keeps its own MAC") << WritePlan::ofReplacement(backup, false) << ""
                                                         << "03";
        QTest::newRow("unless it takes the old one") << WritePlan::ofReplacement(backup, true) << ""
                                                     << "99";
        WritePlan answers = WritePlan::ofReplacement(backup, false);
        answers.oldBoardAnswers = true;
        QTest::newRow("the old board still answers") << answers << "old-board-answers"
                                                     << "03";
        BoardConfig now = memory("dynamic"); // what the board holds now
        now.fields.mac = {0, 0x1E, 0, 0, 0, 0x03};
        QTest::newRow("an undo of the last write")
            << WritePlan::ofUndo(backup, buildWriteFrame(now.fields)) << ""
            << "99";
        WriteFields other = now.fields;
        other.mask = ipv4("255.0.0.0");
        QTest::newRow("an undo after another write")
            << WritePlan::ofUndo(backup, buildWriteFrame(other)) << "changed-since(mask)"
            << "99";
        other = now.fields;
        other.branch = 4; // boards need not report it, but a change of it is still someone's
        QTest::newRow("an undo after another write of the branch")
            << WritePlan::ofUndo(backup, buildWriteFrame(other)) << "changed-since(branch)"
            << "99";
        WritePlan since = WritePlan::ofUndo(backup, buildWriteFrame(now.fields));
        since.writtenSince = "20261209T101500-4711-3-a1b2c3";
        QTest::newRow("an undo after another job's write") << since << "written-since"
                                                           << "99";
        WritePlan undone = WritePlan::ofUndo(now, buildWriteFrame(other));
        undone.writtenSince = since.writtenSince;
        QTest::newRow("an undo of a board that holds its memory from before") << undone << ""
                                                                              << "03";
        WritePlan retried = WritePlan::ofBackup(backup);
        retried.writtenSince = since.writtenSince;
        QTest::newRow("a retry after another job's write") << retried << "written-since"
                                                           << "99";
    }
    void otherPlans()
    {
        QFETCH(WritePlan, plan);
        QFETCH(QString, refused);
        QFETCH(QString, mac);
        BoardConfig now = memory("dynamic");
        now.fields.mac = {0, 0x1E, 0, 0, 0, 0x03};
        const Decision d = decide(now, plan);
        QCOMPARE(refusals(d.refusals), refused);
        QCOMPARE(QString::number(d.fields.mac[5], 16).rightJustified(2, '0'), mac);
        QVERIFY(d.blocking(true).isEmpty()); // each of these may be forced
        // but a change of someone else's only by the operator's own force
        QCOMPARE(d.blocking(true, false).isEmpty(), !refused.contains("since"));
    }

    // What an undo of a job's writes to one board puts back, field by field: as before the
    // job first set it, but for what someone else changed between the job's writes.
    void anUndoPutsBackEachField_data()
    {
        QTest::addColumn<QList<WriteOfJob>>("writes");
        QTest::addColumn<QString>("back"); // mask, gateway of what is put back
        WriteFields a = memory("dynamic").fields, b = a, c = a;
        a.gateway = ipv4("10.0.0.1");
        b = a;
        b.mask = ipv4("255.255.0.0"); // the job's change
        c = a;
        c.gateway = ipv4("10.9.9.9"); // another job's
        WriteFields bc = b;
        bc.gateway = c.gateway;
        QTest::newRow("one write") << QList<WriteOfJob>{{a, b}} << "255.255.255.0 10.0.0.1";
        QTest::newRow("a write the board never took, then its retry")
            << QList<WriteOfJob>{{a, b}, {a, b}} << "255.255.255.0 10.0.0.1";
        QTest::newRow("a write taken but not read back, then its retry")
            << QList<WriteOfJob>{{a, b}, {b, b}} << "255.255.255.0 10.0.0.1";
        QTest::newRow("another job's change between the job's writes")
            << QList<WriteOfJob>{{a, b}, {c, bc}} << "255.255.255.0 10.9.9.9";
        QTest::newRow("and a write after it that changed nothing")
            << QList<WriteOfJob>{{a, b}, {c, bc}, {bc, bc}} << "255.255.255.0 10.9.9.9";
    }
    void anUndoPutsBackEachField()
    {
        QFETCH(QList<WriteOfJob>, writes);
        QFETCH(QString, back);
        const WriteFields f = undoneFields(writes);
        QCOMPARE(dottedText(f.mask) + ' ' + dottedText(f.gateway), back);
    }
};

QTEST_GUILESS_MAIN(TestBoardRules)
#include "test_board_rules.moc"
