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

std::optional<BoardAddress> boardIn(JournalLine& line)
{
    const auto address = addressIn(line.text("board"));
    return address ? std::optional(BoardAddress(*address)) : std::nullopt;
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
    UnreadLines unread;
    QString why;
    const bool read = JournalLines(path()).backward(
        [&](QByteArrayView text, qint64 offset) {
            JournalLine line(text);
            const QByteArrayView kind = line.kind();
            if (kind == "result" || kind == "board") {
                const QByteArrayView job = line.text("job");
                if (job.isEmpty()) // a write of an older version: no job
                    return true;
                Tally& t = after[job.toByteArray()];
                ++t.reached;
                if (!t.ended)
                    if (const auto outcome = outcomeFromKey(QString::fromLatin1(line.text("outcome"))))
                        t.counts.count(*outcome, line.flag("taken_at_reboot"));
                return true;
            }
            if (kind.isEmpty()) { // no journal line at all: named; a later version's kind is not
                unreadLine(offset, unread, problems);
                return true;
            }
            if (kind == "end") {
                const QJsonObject o = line.object();
                Tally& t = after[o.value(QStringLiteral("job")).toString().toUtf8()];
                t.ended = true;
                t.counts = countsOf(o.value(QStringLiteral("counts")).toObject());
                t.stoppedBy =
                    reasonFromKey(o.value(QStringLiteral("stopped_by")).toString()).value_or(Reason::None);
                return true;
            }
            if (kind != "job")
                return true;
            std::optional<JobRecord> job = jobOf(line.object(), problems);
            if (!job) {
                unreadLine(offset, unread, problems);
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
    unreadMore(unread, problems);
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

namespace {
void attachResult(JournalEntry& e, const QJsonObject& o)
{
    e.result = resultOf(o);
    e.resultText = o.value(QStringLiteral("result")).toString();
    e.ok = o.value(QStringLiteral("ok")).toBool();
}
} // namespace

std::optional<RollOut> Journal::rollOut(const QString& id, JournalProblem* problem,
                                        const QSet<QString>& ignoring, RollOutRead reading) const
{
    const bool withRetries = reading == ForPlans, withOthers = reading == ForPlans;
    const std::optional<JobRecord> job = this->job(id, problem);
    if (!job)
        return std::nullopt;
    RollOut r;
    r.job = *job;
    QSet<QString> ours{job->id};
    QHash<BoardAddress, int> at; // a target's place in r.boards
    for (BoardAddress b : job->boards) {
        at.insert(b, int(r.boards.size()));
        r.boards.append(RollOutBoard{b, {}, {}, {}, {}, false, {}, {}, {}});
    }
    // The writes to the targets without a result yet: board, and the write in its list.
    QHash<QString, QPair<int, qsizetype>> ownSent, othersSent;
    QStringList problems;
    QString why;
    const bool read = JournalLines(path()).forward(
        job->offset,
        [&](QByteArrayView text, qint64 offset) {
            JournalLine line(text);
            const QByteArrayView kind = line.kind();
            if (kind == "job") {
                const std::optional<JobRecord> j = jobOf(line.object(), &problems);
                if (j && withRetries && j->retryOf == job->id) {
                    ours.insert(j->id);
                    r.retries.append(*j);
                }
                return true;
            }
            if (kind != "write" && kind != "result" && kind != "board")
                return true;
            const std::optional<BoardAddress> board = boardIn(line);
            if (!board || !at.contains(*board))
                return true;
            const int index = at.value(*board);
            RollOutBoard& b = r.boards[index];
            const QString jobId = QString::fromLatin1(line.text("job"));
            const bool own = ours.contains(jobId);
            if (kind == "write") {
                if (!own) { // only where it is, and read again when needed: a city's years of them
                    if (withOthers && !ignoring.contains(jobId)) {
                        othersSent.insert(QString::fromUtf8(line.text("id")),
                                          {index, b.othersSinceStart.size()});
                        b.othersSinceStart.append({offset, false});
                    }
                    return true;
                }
                std::optional<JournalEntry> e = entryOf(line.object(), folder_, &problems);
                if (!e)
                    return true;
                e->offset = offset;
                ownSent.insert(e->id, {index, b.writes.size()});
                b.writes.append(*e);
                if (!b.firstWrite)
                    b.firstWrite = e;
                b.sentWithoutResult = true;
                return true;
            }
            if (!own) { // another job's result: whether its write counts
                if (kind != "result")
                    return true;
                const auto write = othersSent.take(QString::fromUtf8(line.text("id")));
                if (write.first == index && write.second < b.othersSinceStart.size())
                    b.othersSinceStart[write.second].provedNotHeld = line.text("outcome") == "mismatch";
                return true;
            }
            const QJsonObject o = line.object();
            b.last = resultOf(o);
            if (kind == "result") {
                const auto write = ownSent.take(o.value(QStringLiteral("id")).toString());
                b.sentWithoutResult = false;
                if (write.first == index && write.second < b.writes.size()) {
                    JournalEntry& e = b.writes[write.second];
                    attachResult(e, o);
                    if (b.last && succeeded(b.last->outcome))
                        b.lastVerified = e;
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
    for (RollOutBoard& b : r.boards) { // the last other write after the roll-out's last, that counts
        if (b.writes.isEmpty())
            continue;
        for (qsizetype i = b.othersSinceStart.size() - 1; i >= 0; --i) {
            const RollOutBoard::OtherWrite& other = b.othersSinceStart[i];
            if (other.offset < b.writes.last().offset)
                break;
            if (other.provedNotHeld)
                continue;
            if (const std::optional<JournalEntry> e = entryAt(other.offset)) {
                b.writtenSince = e->job.isEmpty() ? e->id : e->job;
                b.writtenSinceBy = e->by;
            }
            break;
        }
    }
    return r;
}

std::optional<JournalEntry> Journal::entryAt(qint64 offset) const
{
    std::optional<JournalEntry> found;
    JournalLines(path()).forward(
        offset,
        [&](QByteArrayView text, qint64 at) {
            JournalLine line(text);
            found = entryOf(line.object(), folder_, nullptr);
            if (found)
                found->offset = at;
            return false;
        },
        nullptr);
    return found;
}

QList<JournalEntry> Journal::writesWithIds(const QSet<QString>& ids, QStringList* problems) const
{
    QList<JournalEntry> out;
    QHash<QString, qsizetype> at;
    JournalLines(path()).forward(
        0,
        [&](QByteArrayView text, qint64) {
            JournalLine line(text);
            const QByteArrayView kind = line.kind();
            if (kind != "write" && kind != "result")
                return true;
            const QString id = QString::fromUtf8(line.text("id"));
            if (!ids.contains(id))
                return true;
            const QJsonObject o = line.object();
            if (kind == "write") {
                if (std::optional<JournalEntry> e = entryOf(o, folder_, problems)) {
                    at.insert(id, out.size());
                    out.append(*e);
                }
            }
            else if (const auto found = at.constFind(id); found != at.cend()) {
                attachResult(out[*found], o);
            }
            return true;
        },
        nullptr);
    return out;
}

} // namespace talvik
