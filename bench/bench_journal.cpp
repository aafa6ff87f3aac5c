// The journal of a city's years of jobs: talvikctl history --jobs reads a journal of
// 1,000,000 lines in under a second and in little memory, against reading the file.

#include "bench_support.h"
#include "journal/journal.h"
#include "wire/frames.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using namespace bench;
using namespace talvik;

namespace {
constexpr int Repetitions = 10;
constexpr qint64 Lines = 1000000;
constexpr int BoardsAJob = 100;

// One real job of BoardsAJob boards through the journal itself, then its lines copied, each
// copy with its own job id, up to `lines`: the file a city's dispatch PC would have.
// A compact line as a script writes it: a space after each colon and comma outside strings.
QByteArray spacedLine(const QByteArray& line)
{
    QByteArray out;
    out.reserve(line.size() + line.size() / 8);
    bool inString = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const char c = line[i];
        out += c;
        if (inString) {
            if (c == '\\')
                out += line[++i];
            else if (c == '"')
                inString = false;
        }
        else if (c == '"')
            inString = true;
        else if (c == ':' || c == ',')
            out += ' ';
    }
    return out;
}

bool makeJournal(const QString& folder, qint64 lines, bool spaced = false)
{
    {
        Journal journal(folder);
        QString error;
        JobRecord job;
        job.what = QStringLiteral("change");
        job.by = QStringLiteral("talvikctl write");
        job.change = FieldChange{};
        job.change->mask = Ipv4{255, 255, 0, 0};
        for (int i = 1; i <= BoardsAJob; ++i)
            job.boards.append(BoardAddress(0x0A000000u + quint32(i)));
        const QString id = journal.beginJob(job, &error);
        WriteFields f{};
        f.mask = {255, 255, 0, 0};
        for (BoardAddress b : job.boards) {
            f.ip = octetsOf(b.ipv4());
            const QString write = journal.recordWrite(
                id, b, job.by, BoardConfig{b, f, QStringLiteral("2.17"), Memory::Permanent},
                buildWriteFrame(f), &error);
            journal.recordResult(id, write, b, {Outcome::Done, Reason::None, {}, {}, true}, &error);
        }
        OutcomeCounts counts;
        counts.awaitingReboot = BoardsAJob;
        if (id.isEmpty() || !journal.endJob(id, counts, Reason::None, &error))
            return false;
    }
    QFile file(QDir(folder).filePath(QStringLiteral("journal.jsonl")));
    if (!file.open(QIODevice::ReadWrite))
        return false;
    QByteArray one = file.readAll();
    const QByteArray id =
        one.mid(one.indexOf("\"job\":\"") + 7,
                one.indexOf('"', one.indexOf("\"job\":\"") + 7) - one.indexOf("\"job\":\"") - 7);
    if (spaced) {
        QByteArrayList each = one.split('\n');
        for (QByteArray& l : each)
            l = spacedLine(l);
        one = each.join('\n');
        if (!file.resize(0) || file.write(one) != one.size())
            return false;
    }
    const qint64 perJob = one.count('\n');
    for (qint64 copy = 1; (copy + 1) * perJob <= lines; ++copy) {
        QByteArray again = one;
        again.replace(id, id + '-' + QByteArray::number(copy));
        if (file.write(again) != again.size())
            return false;
    }
    return true;
}
} // namespace

void journalFigures(std::vector<Row>& rows)
{
    progress(QStringLiteral("history --jobs of a journal of 1,000,000 lines"));
    QTemporaryDir home;
    const QString folder = home.filePath(QStringLiteral("TalvikCom/journal"));
    if (!QDir().mkpath(folder) || !makeJournal(folder, Lines)) {
        rows.push_back({"history --jobs of 1,000,000 journal lines", "could not make the journal", "-", "-",
                        "-", false});
        return;
    }
    const QString path = QDir(folder).filePath(QStringLiteral("journal.jsonl"));
    const qint64 bytes = QFileInfo(path).size();
    qputenv("XDG_DATA_HOME", home.path().toUtf8());
    const QString ctl = tool(QStringLiteral("../tools/talvikctl"));
    QString oldest;
    Journal(folder).forEachJob(
        [&](const JobRecord& j) {
            oldest = j.id;
            return true;
        },
        nullptr);
    Sample ms, mb, catMs, idleMb, oneMs, oneMb;
    bool listed = true;
    for (int r = 0; r < Repetitions; ++r) {
        const Finished jobs =
            runToEnd(ctl, {QStringLiteral("history"), QStringLiteral("--jobs"), QStringLiteral("--json")});
        // The oldest job's boards: from its line to the end of the file, what an undo reads.
        const Finished one = runToEnd(ctl, {QStringLiteral("history"), QStringLiteral("--job"), oldest});
        const Finished read = runToEnd(QStringLiteral("/bin/cat"), {path}); // the file read, nothing more
        const Finished idle = runToEnd(ctl, {QStringLiteral("-V")});        // talvikctl doing nothing
        listed = listed && jobs.exit == 0 && read.exit == 0 && one.exit == 0;
        oneMs.add(one.ms);
        oneMb.add(one.peakMb);
        ms.add(jobs.ms);
        mb.add(jobs.peakMb);
        catMs.add(read.ms);
        idleMb.add(idle.peakMb);
    }
    qunsetenv("XDG_DATA_HOME");
    rows.push_back({QStringLiteral("talvikctl history --jobs, a journal of 1,000,000 lines (%1 MB, %2 jobs)")
                        .arg(bytes >> 20)
                        .arg(Lines / (2 * BoardsAJob + 2)),
                    ms.text(0) + " ms, " + mb.text(1) + " MB",
                    "reading it: " + catMs.text(0) + " ms; talvikctl -V: " + idleMb.text(1) + " MB",
                    plus(mb.median() - idleMb.median(), 1) + " MB", "< 1000 ms, <= talvikctl -V + 16 MB",
                    listed && ms.median() < 1000 && mb.median() <= idleMb.median() + 16});
    // The same journal as a script would write it: every line spaced, each read by a full parse.
    QTemporaryDir spacedHome;
    const QString spacedFolder = spacedHome.filePath(QStringLiteral("TalvikCom/journal"));
    Sample spacedMs, spacedMb;
    bool spacedListed = QDir().mkpath(spacedFolder) && makeJournal(spacedFolder, Lines, true);
    qputenv("XDG_DATA_HOME", spacedHome.path().toUtf8());
    for (int r = 0; r < Repetitions && spacedListed; ++r) {
        const Finished jobs =
            runToEnd(ctl, {QStringLiteral("history"), QStringLiteral("--jobs"), QStringLiteral("--json")});
        spacedListed = jobs.exit == 0;
        spacedMs.add(jobs.ms);
        spacedMb.add(jobs.peakMb);
    }
    qunsetenv("XDG_DATA_HOME");
    rows.push_back(
        {QStringLiteral("the same, every line spaced as a script writes it (%1 MB)")
             .arg(QFileInfo(QDir(spacedFolder).filePath(QStringLiteral("journal.jsonl"))).size() >> 20),
         spacedMs.text(0) + " ms, " + spacedMb.text(1) + " MB", "the compact journal: " + ms.text(0) + " ms",
         n(ms.median() > 0 ? spacedMs.median() / ms.median() : 0, 1) + " x",
         "every job listed, <= talvikctl -V + 16 MB",
         spacedListed && spacedMb.median() <= idleMb.median() + 16});
    rows.push_back(
        {QStringLiteral("talvikctl history --job of its oldest job (%1 boards), read to the file's end")
             .arg(BoardsAJob),
         oneMs.text(0) + " ms, " + oneMb.text(1) + " MB",
         "reading it: " + catMs.text(0) + " ms; talvikctl -V: " + idleMb.text(1) + " MB",
         plus(oneMb.median() - idleMb.median(), 1) + " MB", "<= talvikctl -V + 16 MB",
         listed && oneMb.median() <= idleMb.median() + 16});
}
