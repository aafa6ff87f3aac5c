// The journal on a disk that fills: a line that cannot be written whole is taken back,
// so the lines after it still read.

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
};

QTEST_GUILESS_MAIN(TestJournal)
#include "test_journal.moc"
