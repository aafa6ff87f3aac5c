#include "client/journal_plans.h"

namespace talvik {

namespace {
JobOptions optionsOf(const JobRecord& job, const QString& by)
{
    JobOptions o;
    o.by = by;
    o.force = job.force;
    o.verify = job.verify;
    o.limit.most = job.maxFailures;
    o.rebootWaitSeconds = job.rebootWaitSeconds;
    if (job.timeoutMs > 0)
        o.timing = Timing{job.timeoutMs, job.retries};
    return o;
}

// The undo of each board the roll-out wrote successfully; `only`: these boards alone.
void addUndos(const RollOut& r, JobPlan& plan, const std::optional<QSet<BoardAddress>>& only = {})
{
    for (const RollOutBoard& b : r.boards) {
        if (only && !only->contains(b.board))
            continue;
        if (!b.lastVerified) {
            plan.leftAlone.append({LeftAlone::NotWritten, b.board});
            continue;
        }
        if (!b.firstWrite || !b.firstWrite->before) {
            plan.leftAlone.append({LeftAlone::NoMemoryBefore, b.board});
            continue;
        }
        BoardConfig before = *b.firstWrite->before;
        before.address = b.board;
        WritePlan undo = WritePlan::ofUndo(before, b.lastVerified->frame);
        undo.writtenSince = b.writtenSince;
        plan.writes.append({b.board, undo});
    }
}
} // namespace

std::optional<JobPlan> undoPlan(const Journal& journal, const QString& id, const QString& by,
                                JournalProblem* why)
{
    std::optional<JobRecord> job = journal.job(id, why);
    if (!job)
        return std::nullopt;
    // The whole roll-out: undoing a retry undoes the job it retried and every retry of it.
    const QString root = job->retryOf.isEmpty() ? job->id : job->retryOf;
    const std::optional<RollOut> r = journal.rollOut(root, why);
    if (!r)
        return std::nullopt;
    JobPlan plan;
    plan.job = r->job;
    plan.options = optionsOf(r->job, by);
    plan.options.force = false; // the undo's own force is the front end's to give
    plan.options.undoes = root;
    addUndos(*r, plan);
    return plan;
}

std::optional<JobPlan> retryPlan(const Journal& journal, const QString& id, const QString& by,
                                 JournalProblem* why)
{
    std::optional<JobRecord> asked = journal.job(id, why);
    if (!asked)
        return std::nullopt;
    const QString root = asked->retryOf.isEmpty() ? asked->id : asked->retryOf;
    const std::optional<RollOut> r = journal.rollOut(root, why);
    if (!r)
        return std::nullopt;
    const JobRecord& job = r->job;
    JobPlan plan;
    plan.job = job;
    plan.options = optionsOf(job, by);
    plan.options.retryOf = root;
    plan.options.undoes = job.undoes;
    QSet<BoardAddress> again;
    for (const RollOutBoard& b : r->boards) {
        if (b.last && succeeded(b.last->outcome) && !b.sentWithoutResult)
            plan.leftAlone.append({LeftAlone::Succeeded, b.board});
        else if (b.last && b.last->outcome == Outcome::Refused)
            plan.leftAlone.append({LeftAlone::Refused, b.board});
        else if (job.what == QLatin1String("write"))
            plan.leftAlone.append({LeftAlone::NotRetried, b.board});
        else
            again.insert(b.board);
    }
    if (job.what == QLatin1String("undo")) { // the undo of the same job, where it did not succeed
        QSet<QString> ownWrites{root};
        for (const JobRecord& retry : r->retries)
            ownWrites.insert(retry.id);
        const std::optional<RollOut> undone = journal.rollOut(job.undoes, why, ownWrites);
        if (!undone)
            return std::nullopt;
        addUndos(*undone, plan, again);
        return plan;
    }
    for (BoardAddress board : job.boards) {
        if (!again.contains(board))
            continue;
        if (job.what == QLatin1String("reboot"))
            plan.reboots.append({board, std::nullopt});
        else if (job.what == QLatin1String("change") && job.change)
            plan.writes.append({board, WritePlan::ofChange(*job.change, job.base)});
        else if (job.what == QLatin1String("apply") && job.sources.contains(board))
            plan.writes.append({board, WritePlan::ofBackup(job.sources.value(board))});
        else if (job.what == QLatin1String("replace") && job.sources.contains(board))
            plan.writes.append({board, WritePlan::ofReplacement(job.sources.value(board), job.takeMac)});
    }
    return plan;
}

WriteTarget undoOfWrite(const JournalEntry& entry, const QList<JournalEntry>& newer)
{
    BoardConfig before = *entry.before;
    before.address = entry.board;
    WritePlan undo = WritePlan::ofUndo(before, entry.frame);
    for (const JournalEntry& e : newer)
        if (e.board == entry.board && e.time > entry.time) {
            undo.writtenSince = e.job.isEmpty() ? e.id : e.job;
            break;
        }
    return {entry.board, undo};
}

} // namespace talvik
