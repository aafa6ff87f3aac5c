// The way back, by talvikctl against simulated boards: an undo puts back only what its job
// changed and only where the board still holds it, a board written but never read back is
// undone too, undos and retries are finished like any job, one Ctrl-C sends nothing new,
// jobs say who ran them, and the journal keeps every program's lines.

#include "board_simulator.h"
#include "ctl_fleet.h"
#include "file_limit.h"
#include "journal/journal.h"
#include "wire/board_address.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QStandardPaths>
#include <QSysInfo>
#include <QTimer>
#include <QtTest>
#include <csignal>

using namespace talvik;
using namespace talvik::sim;

namespace {
Ipv4 ip(const char* text)
{
    return octetsOf(*parseDottedDecimal(text));
}

int writesIn(const QList<QByteArray>& seen)
{
    return int(std::count_if(seen.begin(), seen.end(), isWriteFrame));
}

QString journalFolder(const Fleet& fleet)
{
    return fleet.dataHome.filePath("TalvikCom/journal");
}
} // namespace

// A JSON value as a script writes it: ", " and ": " between items, the keys of an object in
// reverse order ("kind" last), every character past ASCII as \uXXXX and every "/" as "\/".
QByteArray spaced(const QJsonValue& v)
{
    if (v.isObject()) {
        const QJsonObject o = v.toObject();
        QStringList keys = o.keys();
        std::reverse(keys.begin(), keys.end());
        QByteArrayList items;
        for (const QString& k : keys)
            items.append(spaced(k) + ": " + spaced(o.value(k)));
        return "{" + items.join(", ") + "}";
    }
    if (v.isArray()) {
        QByteArrayList items;
        for (const QJsonValue& item : v.toArray())
            items.append(spaced(item));
        return "[" + items.join(", ") + "]";
    }
    if (!v.isString())
        return QJsonDocument(QJsonArray{v}).toJson(QJsonDocument::Compact).mid(1).chopped(1);
    QByteArray out = "\"";
    for (const QChar c : v.toString()) {
        if (c == u'/')
            out += "\\/";
        else if (c == u'"' || c == u'\\')
            out += QByteArray("\\") + char(c.unicode());
        else if (c.unicode() < 0x20 || c.unicode() > 0x7E)
            out += QString::asprintf("\\u%04x", c.unicode()).toLatin1();
        else
            out += char(c.unicode());
    }
    return out + "\"";
}

class TestWayBack : public QObject {
    Q_OBJECT
  private:
    // talvikctl started and left running; `until` is polled, then `signals` are sent to it.
    Run interrupted(Fleet& fleet, const QStringList& args, const std::function<bool()>& until,
                    const QList<int>& signalsToSend)
    {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("XDG_DATA_HOME", fleet.dataHome.path());
        process.setProcessEnvironment(environment);
        process.start(program(), fleet.withPorts(args));
        if (!process.waitForStarted())
            return {};
        if (!QTest::qWaitFor(until, 20000))
            return {};
        for (int s : signalsToSend) {
            ::kill(pid_t(process.processId()), s);
            QTest::qWait(20);
        }
        QSignalSpy finished(&process, &QProcess::finished);
        if (process.state() != QProcess::NotRunning)
            finished.wait(20000);
        Run run;
        run.exit = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        run.out = process.readAllStandardOutput();
        run.err = process.readAllStandardError();
        return run;
    }

    bool journalHas(const Fleet& fleet, const QByteArray& text)
    {
        QFile journal(fleet.journalFile());
        return journal.open(QIODevice::ReadOnly) && journal.readAll().contains(text);
    }

  private slots:
    // Job A fails on a board that ignores writes; job B then sets its router; the retry of A
    // writes A's mask. Undoing A puts the mask back and leaves B's router.
    void anUndoKeepsALaterJobsChange()
    {
        Fleet fleet({"127.0.6.1,version=2.17,console=1,writes=0"});
        const WriteFields before = fleet.sim.board(0).permanent();
        QCOMPARE(fleet.ctl({"write", "127.0.6.1", "--mask", "255.255.0.0"}).exit, 3); // holds something else
        const QString a = fleet.ctl({"history", "--jobs", "--json"}).json().value(0)["job"].toString();
        fleet.sim.board(0).setBehaviour(true, true);
        QCOMPARE(fleet.ctl({"write", "127.0.6.1", "--router", "10.9.9.9"}).exit, 0);
        QCOMPARE(fleet.ctl({"retry", "--job", a}).exit, 0);
        QCOMPARE(fleet.sim.board(0).permanent().mask, ip("255.255.0.0"));
        QCOMPARE(fleet.ctl({"undo", "--job", a}).exit, 0);
        QCOMPARE(fleet.sim.board(0).permanent().mask, before.mask);
        QCOMPARE(fleet.sim.board(0).permanent().gateway, ip("10.9.9.9"));
    }

    // A write sent and never read back (the program killed, or ended at once by a second
    // Ctrl-C) is undone by its job like a verified one.
    void anUnverifiedWriteIsUndone_data()
    {
        QTest::addColumn<QList<int>>("signalsToSend");
        QTest::newRow("kill -9") << QList<int>{SIGKILL};
        QTest::newRow("Ctrl-C twice") << QList<int>{SIGINT, SIGINT};
    }
    void anUnverifiedWriteIsUndone()
    {
        QFETCH(QList<int>, signalsToSend);
        Fleet fleet({"127.0.6.1,version=2.17,console=1,delay=250"});
        const WriteFields before = fleet.sim.board(0).permanent();
        interrupted(
            fleet, {"write", "127.0.6.1", "--mask", "255.255.0.0"}, [&] { return writesIn(fleet.seen) > 0; },
            signalsToSend);
        QCOMPARE(fleet.sim.board(0).permanent().mask, ip("255.255.0.0")); // it took the write
        fleet.sim.setReplyDelay(0, 0);
        const Run undo = fleet.ctl({"undo", "--job", "last"});
        QCOMPARE(undo.exit, 0);
        QCOMPARE(fleet.sim.board(0).permanent(), before);
    }

    // The undo of one board, failed while the board was silent, is finished from the journal
    // or from its --json output, like any job.
    void aFailedUndoOfABoardIsFinished_data()
    {
        QTest::addColumn<bool>("fromFile");
        QTest::newRow("retry --job last") << false;
        QTest::newRow("retry FILE") << true;
    }
    void aFailedUndoOfABoardIsFinished()
    {
        QFETCH(bool, fromFile);
        Fleet fleet({"127.0.6.1,version=2.17,console=1"});
        const WriteFields before = fleet.sim.board(0).permanent();
        QCOMPARE(fleet.ctl({"write", "127.0.6.1", "--mask", "255.255.0.0"}).exit, 0);
        fleet.sim.setSilent(0, true);
        const Run undo = fleet.ctl({"undo", "127.0.6.1", "--json"});
        QCOMPARE(undo.exit, 1); // no answer
        fleet.sim.setSilent(0, false);
        QTemporaryDir dir;
        QFile output(dir.filePath("undo.json"));
        QVERIFY(output.open(QIODevice::WriteOnly) && output.write(undo.out) == undo.out.size());
        output.close();
        const Run retry = fleet.ctl(fromFile ? QStringList{"retry", output.fileName()}
                                             : QStringList{"retry", "--job", "last"});
        QVERIFY2(retry.exit == 0, retry.err.constData());
        QCOMPARE(fleet.sim.board(0).permanent(), before);
    }

    // The --json output of an undo or a retry of a job names the job as the journal knows it,
    // never "last", and a retry of that output finishes it.
    void anUndoOfAJobIsFinishedFromItsOutput()
    {
        Fleet fleet({"127.0.6.1-3,version=2.17,console=1"});
        QList<WriteFields> before;
        for (int i = 0; i < 3; ++i)
            before.append(fleet.sim.board(i).permanent());
        QCOMPARE(fleet.ctl({"write", "127.0.6.1-3", "--mask", "255.255.0.0"}).exit, 0);
        const QString job = fleet.ctl({"history", "--jobs", "--json"}).json().value(0)["job"].toString();
        fleet.sim.setSilent(1, true);
        const Run undo = fleet.ctl({"undo", "--job", "last", "--json", "--max-failures", "0"});
        QCOMPARE(undo.exit, 4);
        const QJsonObject head = undo.json().value(0);
        QVERIFY2(head["options"].toArray().contains("--job=" + job), undo.out.constData());
        QVERIFY(!head["journal_job"].toString().isEmpty());
        fleet.sim.setSilent(1, false);
        QTemporaryDir dir;
        QFile output(dir.filePath("undo.json"));
        QVERIFY(output.open(QIODevice::WriteOnly) && output.write(undo.out) == undo.out.size());
        output.close();
        fleet.seen.clear();
        const Run retry = fleet.ctl({"retry", output.fileName(), "--json"});
        QVERIFY2(retry.exit == 0, retry.err.constData());
        QCOMPARE(writesIn(fleet.seen), 2); // the silent board alone, on its two ports
        for (int i = 0; i < 3; ++i)
            QCOMPARE(fleet.sim.board(i).permanent(), before[i]);
        QCOMPARE(retry.json().value(0)["job"].toString(), QString("retry"));
    }

    // The undo of a board takes back its last write with a memory before: refused when a
    // later write (the configurator's, which knew no memory before) wrote it since, unless forced.
    void anUndoOfABoardKeepsALaterWrite()
    {
        Fleet fleet({"127.0.6.1,version=2.17,console=1"});
        const WriteFields before = fleet.sim.board(0).permanent();
        QCOMPARE(fleet.ctl({"write", "127.0.6.1", "--mask", "255.255.0.0"}).exit, 0);
        // The configurator writes the same configuration again, its memory before unknown.
        const QByteArray frame = buildWriteFrame(fleet.sim.board(0).permanent());
        QString job, why;
        QVERIFY(
            !Journal(journalFolder(fleet))
                 .recordSingleWrite("configurator", BoardAddress(0x7F000601), std::nullopt, frame, &job, &why)
                 .isEmpty());
        fleet.sim.board(0).handle(frame);
        const Run guarded = fleet.ctl({"undo", "127.0.6.1"});
        QCOMPARE(guarded.exit, 2); // refused: nothing was sent
        QVERIFY2(guarded.err.contains("job " + job.toUtf8() + " wrote it since"), guarded.err.constData());
        QCOMPARE(fleet.sim.board(0).permanent().mask, ip("255.255.0.0"));
        QCOMPARE(fleet.ctl({"undo", "127.0.6.1", "--force"}).exit, 0);
        QCOMPARE(fleet.sim.board(0).permanent(), before);
    }

    // Ctrl-C while the boards' memory is read for a write: no write frame leaves, and every
    // board is said to be cancelled before anything was written.
    void oneCtrlCSendsNothingNew()
    {
        Fleet fleet({"127.0.6.1-8,version=2.17,console=1,delay=200"});
        const Run run = interrupted(
            fleet, {"write", "127.0.6.1-8", "--mask", "255.255.0.0", "--max-failures", "0", "--json"},
            [&] { return !fleet.seen.isEmpty(); }, {SIGINT});
        QCOMPARE(run.exit, 130);
        QTest::qWait(400); // what a late frame would take to arrive
        QCOMPARE(writesIn(fleet.seen), 0);
        int cancelled = 0;
        for (const QJsonObject& o : run.json())
            if (o.contains("address"))
                cancelled += o["outcome"] == "cancelled" && o["result"] == "cancelled";
        QCOMPARE(cancelled, 8);
    }

    // Two programs with one process number (in process namespaces of their own) in the same
    // second: their jobs still have ids of their own.
    void jobIdsDoNotCollide()
    {
        if (QProcess::execute("unshare", {"--pid", "--fork", "true"}) != 0)
            QSKIP("no process namespaces here");
        Fleet fleet({"127.0.6.1,version=2.17,console=1"});
        QStringList ids;
        for (int i = 0; i < 3; ++i) {
            QProcess process;
            QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
            environment.insert("XDG_DATA_HOME", fleet.dataHome.path());
            process.setProcessEnvironment(environment);
            process.start("unshare", QStringList{"--pid", "--fork", program()} +
                                         fleet.withPorts({"write", "127.0.6.1", "--mask", "255.255.0.0"}));
            QSignalSpy finished(&process, &QProcess::finished);
            QVERIFY(finished.wait(20000));
        }
        for (const QJsonObject& o : fleet.ctl({"history", "--jobs", "--json"}).json())
            ids.append(o["job"].toString());
        QCOMPARE(ids.size(), 3);
        QCOMPARE(QSet<QString>(ids.begin(), ids.end()).size(), 3);
        for (const QString& id : ids)
            QCOMPARE(id.section('-', 1, 2), QString("1-1")); // process 1, its first id
    }

    // Each job says who ran it: the system's user, the PC, and the operator when given.
    void aJobSaysWhoRanIt()
    {
        Fleet fleet({"127.0.6.1,version=2.17,console=1"});
        QCOMPARE(
            fleet.ctl({"write", "127.0.6.1", "--mask", "255.255.0.0", "--operator", "Олена Коваль"}).exit, 0);
        const QJsonObject job = fleet.ctl({"history", "--jobs", "--json"}).json().value(0);
        QCOMPARE(job["operator"].toString(), QString("Олена Коваль"));
        QCOMPARE(job["host"].toString(), QSysInfo::machineHostName());
        QVERIFY(!job["user"].toString().isEmpty());
        const Run table = fleet.ctl({"history", "--jobs"});
        QVERIFY2(table.out.contains(job["user"].toString().toUtf8() + '@'), table.out.constData());
        QVERIFY(table.out.contains("(Олена Коваль)"));
    }

    // A journal rewritten by a script (spaced, keys in another order, escapes) reads as the
    // program's own: history, a job's boards, its undo. A line of JSON that is no journal
    // line, and one torn in the middle, are skipped and named with the file and line.
    void aJournalAsAScriptWritesItReads()
    {
        Fleet fleet({"127.0.6.1,version=2.17,console=1"});
        const WriteFields before = fleet.sim.board(0).permanent();
        QCOMPARE(fleet.ctl({"write", "127.0.6.1", "--mask", "255.255.0.0", "--operator", "Олена"}).exit, 0);
        QFile file(fleet.journalFile());
        QVERIFY(file.open(QIODevice::ReadOnly));
        QByteArray rewritten;
        for (const QByteArray& line : file.readAll().split('\n'))
            if (!line.isEmpty())
                rewritten += spaced(QJsonDocument::fromJson(line).object()) + '\n';
        file.close();
        const QByteArray bad = "[1, 2]\n{\"no\": \"kind\"}\n{\"kind\": \"write\", \"id\": \n";
        QVERIFY(rewritten.contains("\\u041e\\u043b\\u0435\\u043d\\u0430")); // "Олена", escaped
        QVERIFY(rewritten.contains("before\\/"));
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        QVERIFY(file.write(rewritten + bad) > 0);
        file.close();
        const Run history = fleet.ctl({"history", "--json"});
        QCOMPARE(history.json().size(), 1);
        QCOMPARE(history.json()[0]["result"].toString(), QString("written, verified"));
        QCOMPARE(history.json()[0]["before"].toObject()["mask"].toString(), QString("255.0.0.0"));
        const int lines = int(rewritten.count('\n'));
        for (int n : {lines + 1, lines + 2, lines + 3})
            QVERIFY2(history.err.contains(QString("journal.jsonl:%1: not a journal line").arg(n).toUtf8()),
                     history.err.constData());
        const Run jobs = fleet.ctl({"history", "--jobs", "--json"});
        QCOMPARE(jobs.json().size(), 1);
        QCOMPARE(jobs.json()[0]["operator"].toString(), QString("Олена"));
        QCOMPARE(jobs.json()[0]["counts"].toObject()["awaiting-reboot"].toInt(), 1);
        QVERIFY(jobs.json()[0]["ended"].toBool());
        QVERIFY(jobs.err.contains(QString("journal.jsonl:%1: not a journal line").arg(lines + 2).toUtf8()));
        const Run job = fleet.ctl({"history", "--job", "last", "--json"});
        QCOMPARE(job.json().value(1)["outcome"].toString(), QString("done"));
        QCOMPARE(fleet.ctl({"undo", "--job", "last"}).exit, 0);
        QCOMPARE(fleet.sim.board(0).permanent(), before);
    }

    // A program whose line could not be written whole takes it back without touching a line
    // another program appended meanwhile: its truncation (slowed here by strace) waits for the
    // journal's lock, and so does the other program.
    void aFailedAppendKeepsAnotherProgramsLine()
    {
        if (QStandardPaths::findExecutable("strace").isEmpty() ||
            QProcess::execute("strace", {"-qq", "-o", "/dev/null", "true"}) != 0)
            QSKIP("no strace that may trace here");
        Fleet fleet({"127.0.6.1,version=2.17,console=1"});
        QCOMPARE(fleet.ctl({"write", "127.0.6.1", "--mask", "255.255.0.0"}).exit, 0);
        const qint64 size = QFileInfo(fleet.journalFile()).size();
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("XDG_DATA_HOME", fleet.dataHome.path());
        process.setProcessEnvironment(environment);
        {
            const FileSizeLimit limit(rlim_t(size + 700)); // its job's line fits, its write's does not
            process.start("strace", QStringList{"-f", "-qq", "-o", "/dev/null", "-e",
                                                "inject=ftruncate:delay_enter=600000", program()} +
                                        fleet.withPorts({"write", "127.0.6.1", "--mask", "255.0.0.0"}));
            QVERIFY(process.waitForStarted());
        }
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo(fleet.journalFile()).size() > size + 600, 20000); // a line in part
        QString why;
        JobRecord other;
        other.what = "reboot";
        other.by = "another program";
        const QString id = Journal(journalFolder(fleet)).beginJob(other, &why);
        QVERIFY2(!id.isEmpty(), qPrintable(why));
        QSignalSpy finished(&process, &QProcess::finished);
        QVERIFY(process.state() == QProcess::NotRunning || finished.wait(20000));
        QVERIFY2(journalHas(fleet, id.toUtf8()), "the other program's line was cut off");
        QStringList problems;
        Journal(journalFolder(fleet)).forEachJob([](const JobRecord&) { return true; }, &problems);
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join('\n')));
    }
};

QTEST_MAIN(TestWayBack)
#include "test_way_back.moc"
