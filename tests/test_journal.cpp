// The journal on a disk that fills: a line that cannot be written whole is taken back,
// so the lines after it still read. Jobs read back from the file with what came of their
// boards, and journals of an older version read into the same kinds.

#include "file_limit.h"
#include "journal/journal.h"
#include "wire/frames.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>
#include <csignal>
#include <sys/resource.h>

using namespace talvik;

namespace {
const BoardAddress Board(0x7F000103);

BoardConfig boardWith(quint16 ident)
{
    WriteFields f{};
    f.ip = {127, 0, 1, 3};
    f.mask = {255, 255, 255, 0};
    f.ident = ident;
    f.consoleDynamic = true;
    return BoardConfig{Board, f, std::nullopt, Memory::Permanent};
}
} // namespace

class TestJournal : public QObject {
    Q_OBJECT
  private slots:
    void aLineTheDiskCannotHoldIsTakenBack()
    {
        QTemporaryDir dir;
        Journal journal(dir.path());
        QString error;
        const QByteArray frame = buildWriteFrame(boardWith(1002).fields);
        QVERIFY(!journal.recordWrite({}, Board, "test", boardWith(1001), frame, &error).isEmpty());
        const qint64 size = QFileInfo(dir.filePath("journal.jsonl")).size();
        {
            FileSizeLimit full(rlim_t(size + 40)); // room for part of the next line only
            QVERIFY(journal.recordWrite({}, Board, "test", boardWith(1002), frame, &error).isEmpty());
        }
        QVERIFY2(error.contains(QDir::toNativeSeparators(dir.filePath("journal.jsonl"))), qPrintable(error));
        QCOMPARE(QFileInfo(dir.filePath("journal.jsonl")).size(), size);
        QCOMPARE(QDir(dir.filePath("before")).count() - 2, 1u); // the failed write's backup is gone

        QVERIFY(!journal.recordWrite({}, Board, "test", boardWith(1003), frame, &error).isEmpty());
        QStringList problems;
        const QList<JournalEntry> entries = journal.entries({}, &problems);
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join('\n')));
        QCOMPARE(entries.size(), 2);
        QCOMPARE(entries[0].before->fields.ident, 1003);
        QCOMPARE(entries[1].before->fields.ident, 1001);
    }

    // A line torn by a crash does not swallow the next one.
    void aTornLastLineStaysApart()
    {
        QTemporaryDir dir;
        Journal journal(dir.path());
        QString error;
        const QByteArray frame = buildWriteFrame(boardWith(1002).fields);
        QVERIFY(!journal.recordWrite({}, Board, "test", std::nullopt, frame, &error).isEmpty());
        QFile file(dir.filePath("journal.jsonl"));
        QVERIFY(file.open(QIODevice::Append));
        file.write("{\"kind\":\"write\",\"id\":\"torn");
        file.close();
        QVERIFY(!journal.recordWrite({}, Board, "test", std::nullopt, frame, &error).isEmpty());
        QStringList problems;
        QCOMPARE(journal.entries({}, &problems).size(), 2);
        QCOMPARE(problems.size(), 1); // the torn line, named
        QVERIFY2(problems[0].endsWith("journal.jsonl:2: not a journal line"), qPrintable(problems[0]));
    }

    // Lines of a version that kept no job and only talvikctl's words: their kinds.
    void anOldJournalReadsIntoItsKinds_data()
    {
        QTest::addColumn<QString>("words");
        QTest::addColumn<QString>("outcome");
        QTest::addColumn<QString>("reason");
        QTest::newRow("verified") << "written, verified"
                                  << "done"
                                  << "";
        QTest::newRow("forced") << "written, verified; not written: ident"
                                << "done"
                                << "";
        QTest::newRow("mismatch") << "written, the board holds something else"
                                  << "mismatch"
                                  << "mismatch";
        QTest::newRow("no read-back") << "written, no read-back (no reply)"
                                      << "failed"
                                      << "no-read-back";
        QTest::newRow("another program's words") << "geschrieben"
                                                 << ""
                                                 << "";
    }
    void anOldJournalReadsIntoItsKinds()
    {
        QFETCH(QString, words);
        QFETCH(QString, outcome);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        QFile file(dir.filePath("journal.jsonl"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        const QByteArray frame = buildWriteFrame(boardWith(7).fields);
        file.write("{\"board\":\"127.0.1.3\",\"by\":\"talvikctl write\",\"frame\":\"" + frame.toHex() +
                   "\",\"id\":\"w1\",\"kind\":\"write\",\"time\":\"2026-01-05T10:00:00.000Z\"}\n");
        file.write("{\"id\":\"w1\",\"kind\":\"result\",\"ok\":true,\"result\":\"" + words.toUtf8() +
                   "\",\"time\":\"2026-01-05T10:00:01.000Z\"}\n");
        file.close();
        const Journal journal(dir.path());
        const QList<JournalEntry> entries = journal.entries();
        QCOMPARE(entries.size(), 1);
        QCOMPARE(entries[0].resultText, words);
        QCOMPARE(entries[0].result ? outcomeKey(entries[0].result->outcome) : QString(), outcome);
        QCOMPARE(entries[0].result ? reasonKey(entries[0].result->reason) : QString(), reason);
        int jobs = 0;
        journal.forEachJob([&](const JobRecord&) { return ++jobs; }, nullptr);
        QCOMPARE(jobs, 0); // no job of an older version
    }

    // Jobs newest first with their counts: one ended, one cut off (boards not reached), a
    // retry of the first that wrote the board it had failed, and a later job's write.
    void jobsAndARollOut()
    {
        QTemporaryDir dir;
        Journal journal(dir.path());
        QString error;
        const BoardAddress a(0x7F000101), b(0x7F000102), c(0x7F000103);
        JobRecord change;
        change.what = "change";
        change.by = "test";
        change.boards = {a, b, c};
        change.change = FieldChange{};
        change.change->mask = Ipv4{255, 255, 0, 0};
        const QString first = journal.beginJob(change, &error);
        const QByteArray frame = buildWriteFrame(boardWith(1).fields);
        const auto write = [&](const QString& job, BoardAddress board, Outcome outcome) {
            const QString id = journal.recordWrite(job, board, "test", boardWith(0), frame, &error);
            QVERIFY(journal.recordResult(job, id, board, {outcome, Reason::None, {}, {}, true}, &error));
        };
        write(first, a, Outcome::Done);
        write(first, b, Outcome::Mismatch);
        QVERIFY(journal.recordBoard(first, c, {Outcome::Refused, Reason::NotCarried, {}, {}, false}, &error));
        OutcomeCounts counts;
        counts.awaitingReboot = 1;
        counts.mismatch = 1;
        counts.refused = 1;
        QVERIFY(journal.endJob(first, counts, Reason::None, &error));
        JobRecord retry = change;
        retry.boards = {b};
        retry.retryOf = first;
        const QString second = journal.beginJob(retry, &error);
        write(second, b, Outcome::Done);
        QVERIFY(journal.endJob(second, {}, Reason::None, &error));
        const QString later = journal.beginJob(change, &error); // cut off after one board
        write(later, a, Outcome::Done);
        QFile torn(journal.path());
        QVERIFY(torn.open(QIODevice::Append));
        torn.write("{\"kind\":\"result\",\"job\":\""); // the power went
        torn.close();

        QStringList listed;
        journal.forEachJob(
            [&](const JobRecord& j) {
                listed << QString("%1 %2 ended=%3 reached=%4 waiting=%5 mismatch=%6 refused=%7")
                              .arg(j.id == first    ? "first"
                                   : j.id == second ? "retry"
                                                    : "later",
                                   j.what)
                              .arg(j.ended)
                              .arg(j.reached)
                              .arg(j.counts.awaitingReboot)
                              .arg(j.counts.mismatch)
                              .arg(j.counts.refused);
                return true;
            },
            nullptr);
        QCOMPARE(listed, (QStringList{"later change ended=0 reached=1 waiting=1 mismatch=0 refused=0",
                                      "retry change ended=1 reached=1 waiting=0 mismatch=0 refused=0",
                                      "first change ended=1 reached=3 waiting=1 mismatch=1 refused=1"}));
        QCOMPARE(journal.job("last", nullptr)->id, later);
        JournalProblem problem;
        QVERIFY(!journal.job("20990101T000000-1-1", &problem));
        QCOMPARE(problem.kind, JournalProblem::NoJob);
        QCOMPARE(problem.job, QString("20990101T000000-1-1"));

        const std::optional<RollOut> r = journal.rollOut(first, &problem);
        QVERIFY2(r, qPrintable(journalProblemText(problem)));
        QCOMPARE(r->retries.size(), 1);
        QCOMPARE(r->boards.size(), 3);
        QCOMPARE(r->boards[0].writtenSince, later);                        // a's write by the later job
        QCOMPARE(outcomeKey(r->boards[1].last->outcome), QString("done")); // b through the retry
        QCOMPARE(r->boards[1].lastVerified->job, second);
        QCOMPARE(r->boards[1].firstWrite->job, first); // its memory before the roll-out
        QCOMPARE(outcomeKey(r->boards[2].last->outcome), QString("refused"));
        QVERIFY(!r->boards[2].firstWrite);
    }

    // A journal that cannot be read says so, with the system's words, apart from a job it lacks.
    void anUnreadableJournalIsAKindOfItsOwn()
    {
        QTemporaryDir dir;
        const Journal journal(dir.path());
        QVERIFY(QDir().mkpath(journal.path())); // a folder where the file should be
        JournalProblem problem;
        QVERIFY(!journal.rollOut("last", &problem));
        QCOMPARE(problem.kind, JournalProblem::Unreadable);
        QCOMPARE(problem.file, journal.path());
        QVERIFY(!problem.systemError.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestJournal)
#include "test_journal.moc"
