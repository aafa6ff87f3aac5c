// The same change, backups and reboot over the same odd boards, once through talvikctl and
// once through the fleet window's jobs: the same boards get the same frames.

#include "board/backup_file.h"
#include "board_simulator.h"
#include "ctl_fleet.h"
#include "fleet/fleet_jobs.h"
#include "fleet/fleet_model.h"
#include "journal/journal.h"
#include "net/udp_link.h"
#include "wire/board_address.h"

#include <QJsonArray>
#include <QMap>
#include <QtTest>

using namespace talvik;
using namespace talvik::sim;

namespace {
// Each a way a board can be odd; 127.0.4.5 is silent.
const QStringList OddBoards{
    "127.0.4.1,version=2.17",                          // as it should be
    "127.0.4.2,dhcp=1,console=0,ident=0,version=2.17", // DHCP with a static console
    "127.0.4.3,console=0,ident=1002,version=2.17",     // a static console with an identifier
    "127.0.4.4,ip=10.0.0.0,version=2.17",              // an address no board can use with a /24
    "127.0.4.6,reply=01020304",                        // a 4-byte answer
    "127.0.4.7,writes=0,version=2.17",                 // ignores writes
    "127.0.4.8,ack=0,version=2.17",                    // reboots without a word
};
const QStringList Range{"127.0.4.1-8"};

// What each board took in, by its address: the frames of one kind.
using Frames = QMap<QString, QList<QByteArray>>;

struct Recorder {
    Frames frames;
    // A line a board: its address, and each frame it took in, short.
    QStringList lines() const
    {
        QStringList out;
        for (auto it = frames.cbegin(); it != frames.cend(); ++it) {
            QStringList each;
            for (const QByteArray& f : *it)
                each.append(QString::fromLatin1(f.left(24).toHex()));
            out.append(it.key() + ": " + each.join(' '));
        }
        return out;
    }
    Recorder(Fleet& fleet, std::function<bool(const QByteArray&)> wanted)
    {
        for (int i = 0; i < fleet.sim.boardCount(); ++i)
            frames[fleet.sim.board(i).address()];
        QObject::connect(&fleet.sim, &BoardSimulator::received, &fleet.sim,
                         [this, &fleet, wanted](int board, const QByteArray& d) {
                             if (wanted(d))
                                 frames[fleet.sim.board(board).address()].append(d);
                         });
    }
};

bool isWrite(const QByteArray& d)
{
    return isWriteFrame(d);
}

bool isRebootOrWord(const QByteArray& d)
{
    return d == rebootFrame() || d.startsWith("msi") || d.startsWith("vsi");
}

// What each board's line of talvikctl's --json output says: its outcome and reason.
QStringList outcomes(const Run& run)
{
    QStringList out;
    for (const QJsonObject& o : run.json())
        if (o.contains("address"))
            out.append(o["address"].toString() + ": " + o["outcome"].toString() + " " +
                       o["reason"].toString());
    std::sort(out.begin(), out.end());
    return out;
}

// The fleet window's jobs over a socket of their own, pointed at the fleet's ports.
struct FleetSide {
    UdpLink link{0};
    std::unique_ptr<BoardClient> client;
    fleet::FleetModel model;
    std::unique_ptr<fleet::FleetJobs> jobs;
    Journal journal;
    explicit FleetSide(Fleet& fleet) : journal(fleet.dataHome.filePath("fleet-journal"))
    {
        link.openListener();
        const QList<quint16> ports = fleet.sim.ports(0);
        client = std::make_unique<BoardClient>(link, ports, ports[0]);
        jobs = std::make_unique<fleet::FleetJobs>(*client, model);
        jobs->timing = {300, 2};
        jobs->setJournal(&journal);
        jobs->rebootWaitSeconds = 3;
    }
    void wait()
    {
        QSignalSpy done(jobs.get(), &fleet::FleetJobs::finished);
        QVERIFY(done.wait(30000));
    }
    QStringList outcomes() const
    {
        QStringList out;
        for (const BoardResult& r : jobs->lastResults())
            out.append(dottedText(r.board) + ": " + outcomeKey(r.outcome) + " " + reasonKey(r.reason));
        std::sort(out.begin(), out.end());
        return out;
    }
};

// The mask of every board of the range, as the window's "Змінити поля…" asks for it.
QList<WriteTarget> maskChange()
{
    FieldChange change;
    change.mask = Ipv4{255, 255, 255, 0};
    QList<WriteTarget> targets;
    for (quint32 b = 0x7F000401; b <= 0x7F000408; ++b)
        targets.append({BoardAddress(b), WritePlan::ofChange(change)});
    return targets;
}

// A backup file of each kind apply meets.
QStringList backups(const QString& folder)
{
    const auto save = [&](const QString& address, const WriteFields& fields, Memory memory) {
        const BoardConfig c{BoardAddress(*parseDottedDecimal(address)), fields, QStringLiteral("2.17"),
                            memory};
        QFile f(folder + "/" + address + ".conf");
        f.open(QIODevice::WriteOnly);
        f.write(backupText(c));
        return f.fileName();
    };
    WriteFields plain;
    plain.ip = {127, 0, 4, 1};
    plain.mask = {255, 255, 255, 0};
    WriteFields withIdent = plain;
    withIdent.ident = 1002; // a static console's frame carries no identifier
    WriteFields unreachable = plain;
    unreachable.ip = {10, 0, 0, 0};
    return {
        save("127.0.4.1", plain, Memory::Permanent),       save("127.0.4.3", withIdent, Memory::Permanent),
        save("127.0.4.4", unreachable, Memory::Permanent), save("127.0.4.5", plain, Memory::Permanent),
        save("127.0.4.6", plain, Memory::Permanent),       save("127.0.4.7", plain, Memory::Working)};
}
} // namespace

class TestParity : public QObject {
    Q_OBJECT
  private slots:
    void oneChange_data()
    {
        QTest::addColumn<bool>("force");
        QTest::newRow("as the rules say") << false;
        QTest::newRow("forced") << true;
    }
    void oneChange()
    {
        QFETCH(bool, force);
        Fleet viaCtl(OddBoards);
        Recorder ctlFrames(viaCtl, isWrite);
        const Run ctl =
            viaCtl.ctl(QStringList{"write"} + Range + QStringList{"--mask", "255.255.255.0", "--json"} +
                       (force ? QStringList{"--force"} : QStringList{}));

        Fleet viaWindow(OddBoards);
        Recorder windowFrames(viaWindow, isWrite);
        FleetSide window(viaWindow);
        window.jobs->write(maskChange(), fleet::by::Change, force);
        window.wait();
        QCOMPARE(windowFrames.lines(), ctlFrames.lines());
        QCOMPARE(window.outcomes(), outcomes(ctl));
        QCOMPARE(ctlFrames.frames.value("127.0.4.1").size(), 2); // the board as it should be: to both ports
    }

    // The preview the window shows is talvikctl's --dry-run: each board's decision, its
    // refusals, the fields it would change and the frames it would send, port by port.
    void thePreviewIsTheDryRun()
    {
        Fleet viaCtl(OddBoards);
        const Run ctl = viaCtl.ctl(QStringList{"write"} + Range +
                                   QStringList{"--mask", "255.255.255.0", "--dry-run", "--json"});
        QStringList fromCtl;
        for (const QJsonObject& o : ctl.json()) {
            QStringList refusals, changes, frames;
            for (const QJsonValue& r : o["refusals"].toArray())
                refusals.append(r["reason"].toString() + "(" +
                                r["fields"].toVariant().toStringList().join(',') + ")");
            for (const QJsonValue& c : o["changes"].toArray())
                changes.append(c["field"].toString() + ":" + c["now"].toString() + ">" + c["new"].toString());
            for (const QJsonValue& f : o["frames"].toArray())
                frames.append(QString::number(viaCtl.sim.ports(0).indexOf(quint16(f["port"].toInt()))) + ":" +
                              f["frame"].toString());
            fromCtl.append(QStringList{o["address"].toString(), o["outcome"].toString(),
                                       o["reason"].toString(), refusals.join(' '), changes.join(' '),
                                       frames.join(' ')}
                               .join(" | "));
        }

        Fleet viaWindow(OddBoards);
        Recorder windowWrites(viaWindow, isWrite);
        FleetSide window(viaWindow);
        QList<BoardResult> planned;
        window.jobs->plan(maskChange(), false, [&](const QList<BoardResult>& r) { planned = r; });
        QTRY_VERIFY_WITH_TIMEOUT(!planned.isEmpty(), 10000);
        QStringList fromWindow;
        for (const BoardResult& r : planned) {
            QStringList refusals, changes, frames;
            for (const Refusal& x : r.refusals)
                refusals.append(reasonKey(x.kind) + "(" + x.fields.join(',') + ")");
            if (r.before && r.config)
                for (const ChangedField& c : changedFields(
                         *r.before, {r.board, r.config->fields, r.before->version, Memory::Permanent}))
                    changes.append(c.field + ":" + c.now + ">" + c.next);
            for (const PlannedFrame& f : r.frames)
                frames.append(QString::number(viaWindow.sim.ports(0).indexOf(f.port)) + ":" +
                              QString::fromLatin1(f.datagram.toHex()));
            fromWindow.append(QStringList{dottedText(r.board), outcomeKey(r.outcome), reasonKey(r.reason),
                                          refusals.join(' '), changes.join(' '), frames.join(' ')}
                                  .join(" | "));
        }
        std::sort(fromCtl.begin(), fromCtl.end());
        std::sort(fromWindow.begin(), fromWindow.end());
        QCOMPARE(fromWindow, fromCtl);
        QVERIFY(fromCtl.filter(" | planned | ").size() >= 2 && fromCtl.filter(" | refused | ").size() >= 2);
        for (const QList<QByteArray>& frames : windowWrites.frames) // no board took a write frame
            QVERIFY(frames.isEmpty());
    }

    void backupsWrittenBack()
    {
        Fleet viaCtl(OddBoards);
        Recorder ctlFrames(viaCtl, isWrite);
        const Run ctl =
            viaCtl.ctl(QStringList{"apply", "--force", "--json"} + backups(viaCtl.dataHome.path()));

        Fleet viaWindow(OddBoards);
        Recorder windowFrames(viaWindow, isWrite);
        FleetSide window(viaWindow);
        QList<WriteTarget> targets;
        for (const QString& path : backups(viaWindow.dataHome.path())) {
            const BoardConfig backup = readBackupFile(path);
            targets.append({backup.address, WritePlan::ofBackup(backup)});
        }
        window.jobs->write(targets, fleet::by::Apply,
                           true); // the operator said yes to writing them as they are
        window.wait();
        QCOMPARE(windowFrames.lines(), ctlFrames.lines());
        QCOMPARE(window.outcomes(), outcomes(ctl));
        QCOMPARE(ctlFrames.frames.value("127.0.4.1").size(), 2);
    }

    void reboot()
    {
        Fleet viaCtl(OddBoards);
        Recorder ctlFrames(viaCtl, isRebootOrWord);
        const Run ctl = viaCtl.ctl(QStringList{"reboot", "127.0.4.1", "127.0.4.5", "127.0.4.8", "--wait",
                                               "--wait-seconds", "3", "--json"});

        Fleet viaWindow(OddBoards);
        Recorder windowFrames(viaWindow, isRebootOrWord);
        FleetSide window(viaWindow);
        window.jobs->reboot({BoardAddress(0x7F000401), BoardAddress(0x7F000405), BoardAddress(0x7F000408)});
        window.wait();
        QCOMPARE(windowFrames.lines(), ctlFrames.lines());
        QCOMPARE(window.outcomes(), outcomes(ctl));
        QCOMPARE(ctlFrames.frames.value("127.0.4.1").size(), 6); // four words, the reboot frame to two ports
    }
};

QTEST_GUILESS_MAIN(TestParity)
#include "test_parity.moc"
