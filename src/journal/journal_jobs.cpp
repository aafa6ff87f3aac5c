// The journal's jobs: listed newest first with their counts, one found by its id, and a
// job's boards through its retries (a roll-out), read a block at a time.

#include "journal/journal.h"
#include "journal/journal_format.h"
#include "journal/journal_lines.h"
#include "wire/board_address.h"

#include <QJsonDocument>
#include <QJsonObject>

namespace talvik {

using namespace journal_format;

namespace {
// What the lines after a job's line said of it, met before it when reading backwards.
struct Tally {
    bool ended = false;
    OutcomeCounts counts;
    Reason stoppedBy = Reason::None;
    int reached = 0;
};

std::optional<BoardAddress> boardIn(QByteArrayView line)
{
    const auto address = addressIn(jsonText(line, "board"));
    return address ? std::optional(BoardAddress(*address)) : std::nullopt;
}

QJsonObject objectOf(QByteArrayView line)
{
    return QJsonDocument::fromJson(line.toByteArray()).object();
}
} // namespace

QString journalProblemText(const JournalProblem& p)
{
    if (p.kind == JournalProblem::Unreadable)
        return QStringLiteral("the journal %1 cannot be read: %2").arg(p.file, p.systemError);
    return QStringLiteral("the journal %1 has no job %2").arg(p.file, p.job);
}

void Journal::forEachJob(const std::function<bool(const JobRecord&)>& each, QStringList* problems,
                         qint64 newestBytes, QString* unreadable) const
{
    QHash<QByteArray, Tally> after;
    QString why;
    const bool read = JournalLines(path()).backward(
        [&](QByteArrayView text, qint64 offset) {
            const QByteArrayView kind = kindOf(text);
            if (kind == "result" || kind == "board") {
                const QByteArrayView job = jsonText(text, "job");
                if (job.isEmpty()) // a write of an older version: no job
                    return true;
                Tally& t = after[job.toByteArray()];
                ++t.reached;
                if (!t.ended)
                    if (const auto outcome = outcomeFromKey(QString::fromLatin1(jsonText(text, "outcome"))))
                        t.counts.count(*outcome, text.contains("\"taken_at_reboot\":true"));
                return true;
            }
            if (kind == "end") {
                const QJsonObject o = objectOf(text);
                Tally& t = after[o.value(QStringLiteral("job")).toString().toUtf8()];
                t.ended = true;
                t.counts = countsOf(o.value(QStringLiteral("counts")).toObject());
                t.stoppedBy =
                    reasonFromKey(o.value(QStringLiteral("stopped_by")).toString()).value_or(Reason::None);
                return true;
            }
            if (kind != "job")
                return true;
            std::optional<JobRecord> job = jobOf(objectOf(text), problems);
            if (!job) {
                if (problems)
                    problems->append(problemAt(offset, QStringLiteral("not a journal line")));
                return true;
            }
            const Tally t = after.take(job->id.toUtf8());
            job->ended = t.ended;
            job->counts = t.counts;
            job->stoppedBy = t.stoppedBy;
            job->reached = t.reached;
            job->offset = offset;
            return each(*job);
        },
        &why, newestBytes);
    if (!read && problems)
        problems->append(QStringLiteral("%1: %2").arg(path(), why));
    if (!read && unreadable)
        *unreadable = why;
}

std::optional<JobRecord> Journal::job(const QString& id, JournalProblem* problem) const
{
    std::optional<JobRecord> found;
    QString unreadable;
    forEachJob(
        [&](const JobRecord& j) {
            if (id == QLatin1String("last") || j.id == id)
                found = j;
            return !found;
        },
        nullptr, -1, &unreadable);
    if (!found && problem)
        *problem = {unreadable.isEmpty() ? JournalProblem::NoJob : JournalProblem::Unreadable, path(), id,
                    unreadable};
    return found;
}

std::optional<RollOut> Journal::rollOut(const QString& id, JournalProblem* problem,
                                        const QSet<QString>& ignoring, bool withRetries) const
{
    const std::optional<JobRecord> job = this->job(id, problem);
    if (!job)
        return std::nullopt;
    RollOut r;
    r.job = *job;
    QSet<QString> ours{job->id};
    QHash<BoardAddress, int> at; // a target's place in r.boards
    for (BoardAddress b : job->boards) {
        at.insert(b, int(r.boards.size()));
        r.boards.append(RollOutBoard{b, {}, {}, {}, false, {}, {}});
    }
    QHash<QString, JournalEntry> sent;   // the roll-out's writes, by id, until their result
    QHash<BoardAddress, qint64> sinceAt; // the line of the last write by another job since, read at the end
    QStringList problems;
    QString why;
    const bool read = JournalLines(path()).forward(
        job->offset,
        [&](QByteArrayView text, qint64 offset) {
            const QByteArrayView kind = kindOf(text);
            if (kind == "job") {
                const std::optional<JobRecord> j = jobOf(objectOf(text), &problems);
                if (j && withRetries && j->retryOf == job->id) {
                    ours.insert(j->id);
                    r.retries.append(*j);
                }
                return true;
            }
            if (kind != "write" && kind != "result" && kind != "board")
                return true;
            const std::optional<BoardAddress> board = boardIn(text);
            if (!board || !at.contains(*board))
                return true;
            RollOutBoard& b = r.boards[at.value(*board)];
            const QString jobId = QString::fromLatin1(jsonText(text, "job"));
            if (kind == "write") {
                if (!ours.contains(jobId)) { // written by another job after the roll-out wrote it
                    if (b.firstWrite && !ignoring.contains(jobId)) {
                        b.writtenSince = jobId.isEmpty() ? QString::fromLatin1(jsonText(text, "id")) : jobId;
                        sinceAt.insert(b.board, offset);
                    }
                    return true;
                }
                if (std::optional<JournalEntry> e = entryOf(objectOf(text), folder_, &problems)) {
                    if (!b.firstWrite)
                        b.firstWrite = e;
                    sent.insert(e->id, *e);
                    b.sentWithoutResult = true;
                    b.writtenSince.clear();
                    sinceAt.remove(b.board);
                }
                return true;
            }
            if (!ours.contains(jobId))
                return true;
            const QJsonObject o = objectOf(text);
            b.last = resultOf(o);
            if (kind == "result") {
                const JournalEntry write = sent.take(o.value(QStringLiteral("id")).toString());
                b.sentWithoutResult = false;
                if (b.last && succeeded(b.last->outcome) && !write.id.isEmpty()) {
                    b.lastVerified = write;
                    b.lastVerified->result = b.last;
                }
            }
            return true;
        },
        &why);
    if (!read) {
        if (problem)
            *problem = {JournalProblem::Unreadable, path(), id, why};
        return std::nullopt;
    }
    for (auto it = sinceAt.cbegin(); it != sinceAt.cend(); ++it) // who wrote them since
        JournalLines(path()).forward(
            it.value(),
            [&](QByteArrayView text, qint64) {
                r.boards[at.value(it.key())].writtenSinceBy =
                    objectOf(text).value(QStringLiteral("by")).toString();
                return false;
            },
            nullptr);
    return r;
}

} // namespace talvik
