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

// Writes of other jobs from now on stop the plan's writes, where they are not `own`.
void guard(JobPlan& plan, const Journal& journal, const QSet<QString>& own)
{
    plan.options.guard = JournalGuard{journal.size(), own, -1, {}};
}

QSet<QString> idsOf(const RollOut& r)
{
    QSet<QString> ids{r.job.id};
    for (const JobRecord& retry : r.retries)
        ids.insert(retry.id);
    return ids;
}

// The undo of each board the roll-out sent a write; `only`: these boards alone.
void addUndos(const RollOut& r, JobPlan& plan, const std::optional<QSet<BoardAddress>>& only = {})
{
    for (const RollOutBoard& b : r.boards) {
        if (only && !only->contains(b.board))
            continue;
        if (b.writes.isEmpty()) {
            plan.leftAlone.append({LeftAlone::NotWritten, b.board});
            continue;
        }
        // The writes it knows the memory before of, back from the last.
        QList<WriteOfJob> chain;
        for (qsizetype i = b.writes.size() - 1; i >= 0 && b.writes[i].before; --i)
            chain.prepend({b.writes[i].before->fields, b.writes[i].sent.fields});
        if (chain.isEmpty()) {
            plan.leftAlone.append({LeftAlone::NoMemoryBefore, b.board});
            continue;
        }
        BoardConfig before = *b.writes.last().before;
        before.address = b.board;
        before.fields = undoneFields(chain);
        WritePlan undo = WritePlan::ofUndo(before, b.writes.last().frame);
        undo.writtenSince = b.writtenSince;
        plan.writes.append({b.board, undo});
    }
}

// The names of the fields a write changed; all of them when its memory before is not known.
QSet<QString> changedBy(const JournalEntry& e)
{
    QSet<QString> names;
    if (!e.before) {
        for (const auto& [name, text] : fieldTexts(e.sent))
            names.insert(name);
        return names;
    }
    for (const ChangedField& c : changedFields(*e.before, e.sent))
        names.insert(c.field);
    return names;
}

// The fields a retry of the job writes: those of its change, or all (a backup).
QSet<QString> writtenBy(const JobRecord& job)
{
    QSet<QString> names;
    if (job.what == QLatin1String("change") && job.change && !job.base)
        for (const auto& [name, text] : fieldTexts(*job.change))
            names.insert(name);
    else
        for (const auto& [name, text] : fieldTexts(BoardConfig{}))
            names.insert(name);
    return names;
}

// The last job outside the roll-out that changed, since it began, a field the retry writes.
// Read back from the newest, at most MostLookedAt of them: past that, the newest stands.
QString changedSinceStart(const Journal& journal, const RollOutBoard& b, const QSet<QString>& fields)
{
    constexpr int MostLookedAt = 256;
    const auto nameOf = [](const JournalEntry& e) { return e.job.isEmpty() ? e.id : e.job; };
    std::optional<JournalEntry> newest;
    int looked = 0;
    for (qsizetype i = b.othersSinceStart.size() - 1; i >= 0; --i) {
        if (b.othersSinceStart[i].provedNotHeld)
            continue;
        const std::optional<JournalEntry> e = journal.entryAt(b.othersSinceStart[i].offset);
        if (!e)
            continue;
        if (!newest)
            newest = e;
        if (changedBy(*e).intersects(fields))
            return nameOf(*e);
        if (++looked == MostLookedAt)
            return nameOf(*newest);
    }
    return {};
}

// The undo of single writes (of `undoAsked`, an undo of writes and not of a job) on the
// boards where it did not succeed: each write's memory before, written back as a new write.
std::optional<JobPlan> retryOfWriteUndo(const Journal& journal, const RollOut& r, const QString& by,
                                        const QSet<BoardAddress>& again)
{
    JobPlan plan;
    plan.job = r.job;
    plan.options = optionsOf(r.job, by);
    plan.options.retryOf = r.job.id;
    plan.options.undoesWrites = r.job.undoesWrites;
    const QSet<QString> own = idsOf(r);
    guard(plan, journal, own);
    const QList<JournalEntry> undone =
        journal.writesWithIds(QSet<QString>(r.job.undoesWrites.begin(), r.job.undoesWrites.end()));
    for (const JournalEntry& e : undone) {
        if (!again.contains(e.board))
            continue;
        if (!e.before) {
            plan.leftAlone.append({LeftAlone::NoMemoryBefore, e.board});
            continue;
        }
        // Written since: by a job other than this undo and its retries, after the write undone.
        QList<JournalEntry> newer;
        journal.forEachEntry(
            QSet<BoardAddress>{e.board},
            [&](const JournalEntry& later) {
                if (later.id == e.id)
                    return false;
                if (!own.contains(later.job))
                    newer = {later};
                return true;
            },
            nullptr);
        plan.writes.append(undoOfWrite(e, newer));
    }
    return plan;
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
    JobPlan plan;
    guard(plan, journal, {});
    const std::optional<RollOut> r = journal.rollOut(root, why);
    if (!r)
        return std::nullopt;
    plan.job = r->job;
    const JournalGuard kept = *plan.options.guard;
    plan.options = optionsOf(r->job, by);
    plan.options.guard = kept;
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
    const qint64 from = journal.size();
    const std::optional<RollOut> r = journal.rollOut(root, why);
    if (!r)
        return std::nullopt;
    const JobRecord& job = r->job;
    QSet<BoardAddress> again;
    QList<LeftAlone> leftAlone;
    for (const RollOutBoard& b : r->boards) {
        if (b.last && succeeded(b.last->outcome) && !b.sentWithoutResult)
            leftAlone.append({LeftAlone::Succeeded, b.board});
        else if (b.last && b.last->outcome == Outcome::Refused && !b.sentWithoutResult)
            leftAlone.append({LeftAlone::Refused, b.board});
        else if (job.what == QLatin1String("write"))
            leftAlone.append({LeftAlone::NotRetried, b.board});
        else
            again.insert(b.board);
    }
    const bool undoesWrites = job.what == QLatin1String("undo") && job.undoes.isEmpty();
    std::optional<JobPlan> plan = undoesWrites ? retryOfWriteUndo(journal, *r, by, again) : JobPlan{};
    plan->leftAlone = leftAlone + plan->leftAlone;
    if (undoesWrites)
        return plan;
    plan->job = job;
    plan->options = optionsOf(job, by);
    plan->options.retryOf = root;
    plan->options.undoes = job.undoes;
    plan->options.guard = JournalGuard{from, idsOf(*r), -1, {}};
    if (job.what == QLatin1String("undo")) { // the undo of the same job, where it did not succeed
        const std::optional<RollOut> undone = journal.rollOut(job.undoes, why, idsOf(*r));
        if (!undone)
            return std::nullopt;
        addUndos(*undone, *plan, again);
        return plan;
    }
    const QSet<QString> fields = writtenBy(job);
    for (const RollOutBoard& b : r->boards) {
        if (!again.contains(b.board))
            continue;
        if (job.what == QLatin1String("reboot")) {
            plan->reboots.append({b.board, std::nullopt});
            continue;
        }
        std::optional<WritePlan> write;
        if (job.what == QLatin1String("change") && job.change)
            write = WritePlan::ofChange(*job.change, job.base);
        else if (job.what == QLatin1String("apply") && job.sources.contains(b.board))
            write = WritePlan::ofBackup(job.sources.value(b.board));
        else if (job.what == QLatin1String("replace") && job.sources.contains(b.board))
            write = WritePlan::ofReplacement(job.sources.value(b.board), job.takeMac);
        if (!write)
            continue;
        write->writtenSince = changedSinceStart(journal, b, fields);
        plan->writes.append({b.board, *write});
    }
    return plan;
}

WriteTarget undoOfWrite(const JournalEntry& entry, const QList<JournalEntry>& newer)
{
    BoardConfig before = *entry.before;
    before.address = entry.board;
    WritePlan undo = WritePlan::ofUndo(before, entry.frame);
    for (const JournalEntry& e : newer) // but for a write the board proved not to hold
        if (e.board == entry.board && e.id != entry.id && e.time >= entry.time &&
            !(e.result && e.result->outcome == Outcome::Mismatch)) {
            undo.writtenSince = e.job.isEmpty() ? e.id : e.job;
            break;
        }
    return {entry.board, undo};
}

std::optional<JobPlan> undoOfBoardPlan(const Journal& journal, BoardAddress board, const QString& by,
                                       QString* why)
{
    JobPlan plan;
    guard(plan, journal, {});
    std::optional<JournalEntry> last; // the board's newest write with its memory before
    QList<JournalEntry> newer;        // and the newest after it, when there is one
    journal.forEachEntry(
        QSet<BoardAddress>{board},
        [&](const JournalEntry& e) {
            if (e.before)
                last = e;
            else if (newer.isEmpty())
                newer.append(e);
            return !last;
        },
        nullptr);
    if (!last) {
        if (why)
            *why = QStringLiteral("the journal holds no write to %1 with the memory it replaced: nothing "
                                  "to undo")
                       .arg(dottedText(board));
        return std::nullopt;
    }
    plan.options.by = by;
    plan.options.undoesWrites = {last->id};
    plan.writes = {undoOfWrite(*last, newer)};
    return plan;
}

} // namespace talvik
