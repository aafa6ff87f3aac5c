// The way back, measured: how many random histories of jobs the simulation checks a second
// (the suite runs 300 of them), and what the journal's lock costs an append against the same
// line appended and forced to disk without it.

#include "bench_support.h"
#include "journal/journal.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <unistd.h>

using namespace bench;
using namespace talvik;

namespace {
constexpr int Repetitions = 3;
constexpr int Histories = 60;
constexpr int Appends = 2000;

// Histories a second: `histories` of them, in `workers` processes.
double historiesPerSecond(const QString& program, int workers)
{
    const Finished run = runToEnd(program, {QStringLiteral("--histories"), QString::number(Histories),
                                            QStringLiteral("--workers"), QString::number(workers)});
    return run.exit == 0 && run.ms > 0 ? Histories * 1000.0 / run.ms : 0;
}

// Microseconds an append: a job's line through the journal (locked, forced to disk), or the
// same line written and forced without the lock.
double appendUs(bool throughJournal)
{
    QTemporaryDir dir;
    const Journal journal(dir.path());
    JobRecord job;
    job.what = QStringLiteral("reboot");
    job.by = QStringLiteral("talvikctl reboot");
    job.boards = {BoardAddress(0x0A000001)};
    QString error;
    QElapsedTimer clock;
    if (throughJournal) {
        Journal writer(dir.path());
        clock.start();
        for (int i = 0; i < Appends; ++i)
            writer.beginJob(job, &error);
        return clock.nsecsElapsed() / 1000.0 / Appends;
    }
    Journal(dir.filePath(QStringLiteral("one"))).beginJob(job, &error);
    QFile one(dir.filePath(QStringLiteral("one/journal.jsonl")));
    if (!one.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray line = one.readAll();
    QFile file(dir.filePath(QStringLiteral("plain.jsonl")));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered))
        return 0;
    clock.start();
    for (int i = 0; i < Appends; ++i)
        if (file.write(line) != line.size() || ::fsync(file.handle()) != 0)
            return 0;
    return clock.nsecsElapsed() / 1000.0 / Appends;
}
} // namespace

void historyFigures(std::vector<Row>& rows)
{
    progress(QStringLiteral("random histories of jobs, and the journal's lock"));
    const QString program = tool(QStringLiteral("../tests/test_histories"));
    Sample one, four, locked, plain;
    for (int r = 0; r < Repetitions; ++r) {
        one.add(historiesPerSecond(program, 1));
        four.add(historiesPerSecond(program, 4));
        locked.add(appendUs(true));
        plain.add(appendUs(false));
    }
    rows.push_back({QStringLiteral("random histories of up to 30 steps checked step by step, a second: "
                                   "4 processes (the suite), against 1"),
                    four.text(1) + " /s", one.text(1) + " /s",
                    n(one.median() > 0 ? four.median() / one.median() : 0, 2) + " x",
                    ">= 3.3 /s (300 in 90 s)", four.median() >= 3.3});
    rows.push_back(
        {QStringLiteral("a job's line appended to the journal: locked, forced to disk, against the "
                        "line written and forced alone"),
         locked.text(0) + " us", plain.text(0) + " us",
         n(plain.median() > 0 ? locked.median() / plain.median() : 0, 2) + " x", "<= 1.5 x",
         plain.median() > 0 && locked.median() <= 1.5 * plain.median()});
}
