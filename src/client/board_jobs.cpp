#include "client/board_jobs.h"

#include "client/configuration_reply.h"
#include "journal/journal.h"

#include <QElapsedTimer>
#include <QSet>
#include <QTimer>
#include <algorithm>
#include <unordered_map>
#include <vector>

namespace talvik {

struct BoardJobs::Task {
    BoardResult result;
    WritePlan plan;                     // a write
    std::optional<BoardConfig> working; // a write: what the board works with, when known
    std::optional<BoardAddress> waitAt; // a reboot
    QString journalId;                  // a write recorded in the journal
    QElapsedTimer since;                // a reboot: from its reboot frame
    qint64 baseAt = 0;                  // a write: the journal's size when its base was asked
    int baseReads = 0;
    bool started = false, done = false;
};

struct BoardJobs::Job {
    JobKind kind = JobKind::Read;
    JobOptions options;
    ReadSpec spec;
    std::vector<std::unique_ptr<Task>> tasks; // writes and reboots, in address order
    size_t next = 0;                          // the first task not started
    int wave = 1, inWave = 0;
    int tried = 0, failed = 0;
    enum { No, AfterThisWave, Now } stopping = No;
    bool journalFailed = false;
    QString jobId; // as the journal knows it
    // Other jobs' writes since the plan was read (an undo, a retry: `planGuarded`) or since
    // each board's base was read (every other write).
    JournalGuard guard;
    bool planGuarded = false;
    // Reads: the boards not yet reported, and those whose permanent memory is asked next.
    QSet<BoardAddress> open;
    std::unordered_map<BoardAddress, BoardResult> awaitingPermanent;
    QList<BoardAddress> permanentDue;
    int done = 0, total = 0;
    JobSummary summary;
    quint64 droppedBefore = 0;
    // A broadcast read: where, the rounds left, and the answers taken so far.
    QList<BroadcastTarget> broadcasts;
    int roundsLeft = 0;
    QSet<BoardAddress> heardFrom;
    QMetaObject::Connection heard;
};

BoardJobs::BoardJobs(BoardClient& client, Journal* journal, QObject* parent)
    : QObject(parent), client_(client), journal_(journal)
{
}

BoardJobs::~BoardJobs()
{
    if (job_) { // no callback of the client may reach a job that is gone
        ++generation_;
        client_.cancelAll();
    }
}

QString BoardJobs::jobId() const
{
    return job_ ? job_->jobId : QString();
}

void BoardJobs::begin(int total, JobKind kind)
{
    if (job_)
        cancel();
    ++generation_;
    job_ = std::make_unique<Job>();
    job_->kind = kind;
    job_->total = total;
    job_->summary.kind = kind;
    job_->summary.total = total;
    job_->droppedBefore = client_.link().dropped();
    emit progress(0, total);
}

void BoardJobs::ask(BoardAddress board, Memory memory, Completeness needed, const Timing& timing,
                    const Answer& then)
{
    const quint64 generation = generation_;
    auto shortOf = std::make_shared<ShortReplies>();
    const QByteArray frame = buildReadFrame(memory);
    client_.requestMany(
        {board}, [frame](BoardAddress) { return frame; }, acceptConfiguration(needed, shortOf.get()), timing,
        [this, generation, shortOf, then](BoardAddress b, const std::optional<BoardReply>& reply) {
            if (!alive(generation))
                return;
            qsizetype bytes = 0;
            const Reason why = reply ? Reason::None : whyNoAnswer(*shortOf, b, &bytes);
            then(reply, why, bytes);
        },
        {});
}

void BoardJobs::report(BoardResult result)
{
    Job& j = *job_;
    j.summary.count(result);
    ++j.done;
    emit boardDone(result);
    emit progress(j.done, j.total);
}

void BoardJobs::end(Reason stoppedBy)
{
    std::unique_ptr<Job> job = std::move(job_);
    QObject::disconnect(job->heard);
    if (journal_ && !job->jobId.isEmpty()) {
        QString why;
        if (!journal_->endJob(job->jobId, job->summary, stoppedBy, &why) &&
            job->summary.journalProblem.isEmpty())
            job->summary.journalProblem = why;
    }
    job->summary.stoppedBy = stoppedBy;
    job->summary.failuresAtStop = job->failed;
    job->summary.triedAtStop = job->tried;
    job->summary.lostToOverload = client_.link().dropped() - job->droppedBefore;
    emit finished(job->summary);
}

// A dry run of reads or reboots: every board reported at once, after the caller returned.
void BoardJobs::reportPlanned(QList<BoardResult> planned)
{
    QTimer::singleShot(0, this, [this, generation = generation_, planned] {
        for (const BoardResult& r : planned) {
            if (!alive(generation))
                return;
            report(r);
        }
        if (alive(generation))
            end(Reason::None);
    });
}

// --- reads

void BoardJobs::read(const QList<BoardAddress>& boards, const ReadSpec& spec, const Timing& timing)
{
    QList<BoardAddress> each;
    QSet<BoardAddress> seen;
    for (BoardAddress b : boards)
        if (!seen.contains(b)) {
            seen.insert(b);
            each.append(b);
        }
    begin(int(each.size()), JobKind::Read);
    job_->spec = spec;
    job_->options.timing = timing;
    job_->open = seen;
    const QByteArray frame = buildReadFrame(spec.memory);
    if (spec.dryRun) {
        QList<BoardResult> planned;
        for (BoardAddress board : each) {
            BoardResult r;
            r.board = board;
            r.outcome = Outcome::Planned;
            r.frames = client_.planned(frame);
            if (spec.permanentToo) // once it answered
                r.frames += client_.planned(buildReadFrame(Memory::Permanent));
            planned.append(r);
        }
        return reportPlanned(planned);
    }
    if (each.isEmpty())
        return end(Reason::None);
    const quint64 generation = generation_;
    auto shortOf = std::make_shared<ShortReplies>();
    client_.requestMany(
        each, [frame](BoardAddress) { return frame; }, acceptConfiguration(spec.needed, shortOf.get()),
        timing,
        [this, generation, shortOf](BoardAddress board, const std::optional<BoardReply>& reply) {
            if (!alive(generation))
                return;
            qsizetype bytes = 0;
            const Reason why = reply ? Reason::None : whyNoAnswer(*shortOf, board, &bytes);
            readDone(board, reply, why, bytes);
        },
        {});
}

void BoardJobs::readDone(BoardAddress board, const std::optional<BoardReply>& reply, Reason why,
                         qsizetype bytes)
{
    Job& j = *job_;
    BoardResult r;
    r.board = board;
    r.sent = true;
    if (!reply) {
        r.outcome = Outcome::Failed;
        r.reason = why;
        r.replyBytes = bytes;
    }
    else {
        r.outcome = Outcome::Done;
        r.config = configFromReply(board, reply->datagram, j.spec.memory);
        r.reply = reply->datagram;
        if (j.spec.permanentToo) { // asked together with the others that answered meanwhile
            j.awaitingPermanent.emplace(board, r);
            if (j.permanentDue.isEmpty())
                QTimer::singleShot(0, this, [this, generation = generation_] {
                    if (alive(generation))
                        flushPermanent();
                });
            j.permanentDue.append(board);
            return;
        }
    }
    j.open.remove(board);
    const quint64 generation = generation_;
    report(r);
    if (alive(generation) && j.open.isEmpty())
        end(Reason::None);
}

void BoardJobs::flushPermanent()
{
    Job& j = *job_;
    const QList<BoardAddress> due = std::exchange(j.permanentDue, {});
    const quint64 generation = generation_;
    auto shortOf = std::make_shared<ShortReplies>();
    const QByteArray frame = buildReadFrame(Memory::Permanent);
    client_.requestMany(
        due, [frame](BoardAddress) { return frame; },
        acceptConfiguration(j.spec.permanentNeeded, shortOf.get()), j.options.timing,
        [this, generation, shortOf](BoardAddress board, const std::optional<BoardReply>& reply) {
            if (!alive(generation))
                return;
            Job& job = *job_;
            const auto it = job.awaitingPermanent.find(board);
            BoardResult r = std::move(it->second);
            job.awaitingPermanent.erase(it);
            if (reply) {
                r.permanent = configFromReply(board, reply->datagram, Memory::Permanent);
                r.permanentReply = reply->datagram;
            }
            else {
                r.permanentReason = whyNoAnswer(*shortOf, board, &r.replyBytes);
            }
            job.open.remove(board);
            report(r);
            if (alive(generation) && job.open.isEmpty())
                end(Reason::None);
        },
        {});
}

void BoardJobs::readBroadcast(const QList<BroadcastTarget>& targets, const ReadSpec& spec,
                              const Timing& timing)
{
    begin(0, JobKind::Read);
    Job& j = *job_;
    j.spec = spec;
    j.options.timing = timing;
    j.broadcasts = targets;
    j.roundsLeft = timing.retries;
    const QByteArray frame = buildReadFrame(spec.memory);
    if (spec.dryRun) {
        QList<BoardResult> planned;
        for (const BroadcastTarget& t : targets) {
            BoardResult r;
            r.board = BoardAddress(t.address);
            r.outcome = Outcome::Planned;
            r.frames = client_.planned(frame);
            planned.append(r);
        }
        j.total = j.summary.total = int(planned.size());
        return reportPlanned(planned);
    }
    j.heard = connect(
        &client_, &BoardClient::datagramArrived, this, [this](const QByteArray& d, quint32 sender, quint16) {
            Job& job = *job_;
            const BoardAddress board(sender);
            const int prefix = client_.prefixOf(sender);
            if (classify(d) != ReplyKind::Configuration || completeness(d) == Completeness::Partial ||
                addressUse(sender, prefix > 0 ? prefix : 24) != AddressUse::Board ||
                job.heardFrom.contains(board))
                return;
            job.heardFrom.insert(board);
            BoardResult r;
            r.board = board;
            r.sent = true;
            r.outcome = Outcome::Done;
            r.config = configFromReply(board, d, job.spec.memory);
            r.reply = d;
            ++job.total;
            job.summary.total = job.total;
            if (job.spec.permanentToo) { // asked once every answer to the broadcast is in
                job.open.insert(board);
                job.awaitingPermanent.emplace(board, r);
                return;
            }
            report(r);
        });
    for (const BroadcastTarget& t : targets)
        client_.sendVia(t.source, t.adapterIndex, BoardAddress(t.address), frame);
    QTimer::singleShot(timing.timeoutMs, this, [this, generation = generation_] {
        if (alive(generation))
            broadcastRound();
    });
}

void BoardJobs::broadcastRound()
{
    Job& j = *job_;
    if (j.roundsLeft-- > 0) {
        for (const BroadcastTarget& t : j.broadcasts)
            client_.sendVia(t.source, t.adapterIndex, BoardAddress(t.address), buildReadFrame(j.spec.memory));
        QTimer::singleShot(j.options.timing.timeoutMs, this, [this, generation = generation_] {
            if (alive(generation))
                broadcastRound();
        });
        return;
    }
    QObject::disconnect(j.heard);
    if (j.open.isEmpty())
        return end(Reason::None);
    for (const auto& [board, result] : j.awaitingPermanent)
        j.permanentDue.append(board);
    std::sort(j.permanentDue.begin(), j.permanentDue.end());
    flushPermanent();
}

// --- waves

void BoardJobs::write(const QList<WriteTarget>& targets, const JobOptions& options)
{
    std::vector<std::unique_ptr<Task>> tasks;
    for (const WriteTarget& t : targets) {
        tasks.push_back(std::make_unique<Task>());
        tasks.back()->result.board = t.board;
        tasks.back()->plan = t.plan;
        tasks.back()->working = t.working;
    }
    startWaves(int(JobKind::Write), std::move(tasks), options);
}

void BoardJobs::reboot(const QList<RebootTarget>& targets, const JobOptions& options)
{
    std::vector<std::unique_ptr<Task>> tasks;
    for (const RebootTarget& t : targets) {
        tasks.push_back(std::make_unique<Task>());
        tasks.back()->result.board = t.board;
        tasks.back()->waitAt = t.waitAt;
    }
    startWaves(int(JobKind::Reboot), std::move(tasks), options);
}

QList<BoardResult> BoardJobs::refusedBeforehand(const QList<WriteTarget>& targets, bool force)
{
    QList<BoardResult> out;
    for (const WriteTarget& t : targets) {
        const bool alone = t.plan.source && t.plan.kind != WritePlan::Undo;
        if (!alone)
            continue;
        // What stands against such a plan does not depend on the board's memory, only on its
        // address (a replacement's MAC, taken from the board, is always carried).
        const Decision d =
            decide(BoardConfig{t.board, t.plan.source->fields, std::nullopt, Memory::Permanent}, t.plan);
        const QList<Refusal> blocking = d.blocking(force);
        if (blocking.isEmpty())
            continue;
        BoardResult r;
        r.board = t.board;
        r.outcome = Outcome::Refused;
        r.reason = blocking.first().kind;
        r.refusals = blocking;
        r.config = BoardConfig{t.board, d.fields, std::nullopt, Memory::Permanent};
        out.append(r);
    }
    return out;
}

void BoardJobs::startWaves(int kind, std::vector<std::unique_ptr<Task>> tasks, const JobOptions& options)
{
    begin(int(tasks.size()), JobKind(kind));
    job_->options = options;
    job_->tasks = std::move(tasks);
    std::stable_sort(job_->tasks.begin(), job_->tasks.end(),
                     [](const auto& a, const auto& b) { return a->result.board < b->result.board; });
    if (!options.dryRun && !journalJob())
        return;
    if (options.dryRun && job_->kind == JobKind::Reboot) {
        QList<BoardResult> planned;
        for (const auto& task : job_->tasks) {
            BoardResult r = task->result;
            r.outcome = Outcome::Planned;
            for (const char* word : RebootWords)
                r.frames.append(client_.plannedWord(QByteArray(word)));
            r.frames += client_.planned(rebootFrame());
            if (options.rebootWaitSeconds > 0) // each second, until it answers
                r.frames += client_.planned(buildReadFrame(Memory::Working));
            planned.append(r);
        }
        return reportPlanned(planned);
    }
    nextWave();
}

bool BoardJobs::journalJob()
{
    Job& j = *job_;
    if (j.tasks.empty())
        return true;
    JobRecord record;
    record.by = j.options.by;
    record.force = j.options.force;
    record.verify = j.options.verify;
    record.maxFailures = j.options.limit.most;
    record.rebootWaitSeconds = j.options.rebootWaitSeconds;
    record.undoes = j.options.undoes;
    record.undoesWrites = j.options.undoesWrites;
    record.retryOf = j.options.retryOf;
    record.operatorName = j.options.operatorName;
    record.ports = client_.commandPorts();
    record.wordPort = client_.wordPort();
    record.timeoutMs = j.options.timing.timeoutMs;
    record.retries = j.options.timing.retries;
    record.what = QStringLiteral("reboot");
    for (const auto& task : j.tasks) {
        record.boards.append(task->result.board);
        if (j.kind == JobKind::Reboot)
            continue;
        const WritePlan& plan = task->plan;
        switch (plan.kind) {
        case WritePlan::Change:
            record.what = QStringLiteral("change");
            record.change = plan.change;
            record.base = plan.source;
            break;
        case WritePlan::Backup:
            record.what = QStringLiteral("apply");
            record.sources.insert(task->result.board, *plan.source);
            break;
        case WritePlan::Replacement:
            record.what = QStringLiteral("replace");
            record.sources.insert(task->result.board, *plan.source);
            record.takeMac = plan.takeMac;
            break;
        case WritePlan::Undo:
            record.what = QStringLiteral("undo");
            break;
        }
    }
    QString why = QStringLiteral("no journal");
    if (journal_)
        j.jobId = journal_->beginJob(record, &why);
    j.summary.jobId = j.jobId;
    j.planGuarded = j.options.guard.has_value();
    j.guard = j.options.guard.value_or(JournalGuard{journal_ ? journal_->size() : 0, {}, -1, {}});
    j.guard.own.insert(j.jobId);
    if (!j.jobId.isEmpty())
        return true;
    j.summary.journalProblem = why;
    if (j.kind == JobKind::Reboot) // a reboot goes on: it changes no memory a retry could write twice
        return true;
    // A write the journal cannot take back is not sent: the job stops before its first board.
    BoardResult& first = j.tasks.front()->result;
    first.outcome = Outcome::Failed;
    first.reason = Reason::NotJournaled;
    first.detail = why;
    j.tasks.front()->done = true;
    const quint64 generation = generation_;
    report(first);
    j.next = 1;
    j.journalFailed = true;
    QTimer::singleShot(0, this, [this, generation] {
        if (alive(generation))
            nextWave();
    });
    return false;
}

void BoardJobs::nextWave()
{
    Job& j = *job_;
    Reason stop = Reason::None;
    if (j.stopping != Job::No)
        stop = Reason::Cancelled;
    else if (j.journalFailed)
        stop = Reason::JournalFailed;
    else if (j.options.limit.reached(j.failed, j.tried))
        stop = Reason::FailureLimit;
    if (j.next >= j.tasks.size() || stop != Reason::None) {
        const quint64 generation = generation_;
        for (; j.next < j.tasks.size() && alive(generation); ++j.next) {
            BoardResult r = j.tasks[j.next]->result;
            r.outcome = stop == Reason::Cancelled ? Outcome::Cancelled : Outcome::NotTried;
            r.reason = stop;
            report(r);
        }
        if (alive(generation))
            end(stop);
        return;
    }
    // A dry run sends nothing that counts: every base is read at once.
    const size_t left = j.tasks.size() - j.next;
    const size_t size = j.options.dryRun ? left : std::min(size_t(j.wave), left);
    j.inWave = int(size);
    j.wave = std::min(2 * j.wave, MostInAWave);
    const size_t first = j.next;
    j.next += size;
    const quint64 generation = generation_;
    for (size_t i = first; i < first + size && alive(generation); ++i)
        startTask(*j.tasks[i]);
}

void BoardJobs::startTask(Task& task)
{
    task.started = true;
    emit boardStarted(task.result.board);
    if (job_->kind == JobKind::Reboot)
        return rebootWords(task);
    const WritePlan& plan = task.plan;
    const BoardAddress old(plan.source ? addressOf(plan.source->fields.ip) : 0);
    const int prefix = client_.prefixOf(old.ipv4());
    const bool probe = plan.kind == WritePlan::Replacement && !job_->options.force &&
                       old != task.result.board &&
                       addressUse(old, prefix > 0 ? prefix : 24) == AddressUse::Board;
    if (!probe)
        return writeBase(task);
    // The old board must be gone before its replacement takes its address.
    ask(old, Memory::Working, Completeness::Block, job_->options.timing,
        [this, &task](const std::optional<BoardReply>& reply, Reason, qsizetype) {
            task.plan.oldBoardAnswers = reply.has_value();
            writeBase(task);
        });
}

void BoardJobs::taskDone(Task& task)
{
    Job& j = *job_;
    task.done = true;
    BoardResult& r = task.result;
    if (journal_ && !task.journalId.isEmpty()) {
        QString why;
        if (!journal_->recordResult(j.jobId, task.journalId, r.board, writeResultOf(r), &why))
            r.journalProblem = why;
    }
    else if (journal_ && !j.jobId.isEmpty()) { // nothing written to it: refused, no base; a reboot
        QString why;
        if (!journal_->recordBoard(j.jobId, r.board, writeResultOf(r), &why))
            r.journalProblem = why;
    }
    if (r.sent) {
        ++j.tried;
        if (!succeeded(r.outcome))
            ++j.failed;
    }
    const quint64 generation = generation_;
    report(r);
    if (!alive(generation)) // cancelled by whoever heard of it
        return;
    if (--j.inWave == 0) // the next wave after this board's callers have returned
        QTimer::singleShot(0, this, [this, generation = generation_] {
            if (alive(generation))
                nextWave();
        });
}

// --- a write

void BoardJobs::writeBase(Task& task)
{
    task.baseAt = journal_ && !job_->options.dryRun ? journal_->size() : 0;
    ++task.baseReads;
    ask(task.result.board, Memory::Permanent, Completeness::Complete, job_->options.timing,
        [this, &task](const std::optional<BoardReply>& reply, Reason why, qsizetype bytes) {
            if (!reply) { // no base: nothing is sent
                task.result.outcome = Outcome::Failed;
                task.result.reason = why;
                task.result.replyBytes = bytes;
                return taskDone(task);
            }
            const BoardConfig now = configFromReply(task.result.board, reply->datagram, Memory::Permanent);
            task.result.before = now;
            writeDecided(task, now);
        });
}

void BoardJobs::writeDecided(Task& task, const BoardConfig& now)
{
    const JobOptions& o = job_->options;
    BoardResult& r = task.result;
    if (job_->stopping != Job::No && !o.dryRun) { // stopped while its base was read: nothing new leaves
        r.outcome = Outcome::Cancelled;
        r.reason = Reason::Cancelled;
        return taskDone(task);
    }
    const Decision decision = decide(now, task.plan);
    r.config = BoardConfig{r.board, decision.fields, std::nullopt, Memory::Permanent};
    if (const QList<Refusal> blocking = decision.blocking(o.force, o.overwriteOthers); !blocking.isEmpty()) {
        r.outcome = Outcome::Refused;
        r.reason = blocking.first().kind;
        r.refusals = blocking;
        return taskDone(task);
    }
    r.notWritten = decision.notWritten();
    const QByteArray frame = buildWriteFrame(decision.fields);
    if (undoneAlready(now, task.plan) ||
        (o.skipUnchanged &&
         changedFields(now, {r.board, readConfiguration(frame), now.version, Memory::Permanent}).isEmpty())) {
        r.outcome = Outcome::Unchanged; // what the frame would carry is what the board holds
        return taskDone(task);
    }
    if (o.dryRun) {
        r.outcome = Outcome::Planned;
        r.frames = client_.planned(frame);
        if (o.verify)
            r.frames += client_.planned(buildReadFrame(Memory::Permanent));
        return taskDone(task);
    }
    QString why = QStringLiteral("no journal"), writtenBy;
    Job& j = *job_;
    // An undo or a retry writes over no other job's write since its plan; any other write is
    // built on a base no other job wrote after it was read.
    JournalGuard* guard = j.planGuarded && o.overwriteOthers ? nullptr : &j.guard;
    if (journal_)
        task.journalId = journal_->recordWrite(j.jobId, r.board, o.by, now, frame, &why, guard,
                                               j.planGuarded ? j.guard.from : task.baseAt, &writtenBy);
    if (!writtenBy.isEmpty() && !j.planGuarded && task.baseReads < MostBaseReads)
        return writeBase(task); // its base again, with the other job's write
    if (!writtenBy.isEmpty()) {
        r.outcome = Outcome::Refused;
        r.reason = Reason::WrittenSince;
        r.refusals = {Refusal{Reason::WrittenSince, {}, {}, {}, writtenBy}};
        return taskDone(task);
    }
    if (task.journalId.isEmpty()) { // a write the journal cannot take back is not sent
        r.outcome = Outcome::Failed;
        r.reason = Reason::NotJournaled;
        r.detail = why;
        job_->journalFailed = true;
        return taskDone(task);
    }
    r.sent = true;
    if (!client_.send(r.board, frame)) {
        r.outcome = Outcome::Failed;
        r.reason = Reason::NotSent;
        return taskDone(task);
    }
    if (!o.verify) {
        r.outcome = Outcome::Unverified;
        r.takenAtReboot = takenAtReboot(task.working.value_or(now), *r.config);
        return taskDone(task);
    }
    verify(task, frame);
}

void BoardJobs::verify(Task& task, const QByteArray& frame, int read)
{
    ask(task.result.board, Memory::Permanent, Completeness::Complete, job_->options.timing,
        [this, &task, frame, read](const std::optional<BoardReply>& reply, Reason why, qsizetype bytes) {
            BoardResult& r = task.result;
            // What differs may be a late answer to a read from before the write (a slow network,
            // a loaded PC): as many may still come as that read had tries, so a board is said to
            // hold something else only when a read-back beyond them says so too.
            const int mostReads = job_->options.timing.retries + 2;
            if (reply && read < mostReads &&
                !differencesAfterWrite(frame, configFromReply(r.board, reply->datagram, Memory::Permanent))
                     .isEmpty())
                return verify(task, frame, read + 1);
            if (!reply) {
                r.outcome = Outcome::Failed;
                r.reason = Reason::NoReadBack;
                r.detail = noAnswerText(why, bytes);
                return taskDone(task);
            }
            r.readBack = configFromReply(r.board, reply->datagram, Memory::Permanent);
            r.differences = differencesAfterWrite(frame, *r.readBack);
            r.outcome = r.differences.isEmpty() ? Outcome::Done : Outcome::Mismatch;
            r.reason = r.differences.isEmpty() ? Reason::None : Reason::Mismatch;
            if (r.outcome == Outcome::Done)
                r.takenAtReboot = takenAtReboot(task.working.value_or(*r.before), *r.readBack);
            taskDone(task);
        });
}

// --- a reboot: the configurator's sequence

void BoardJobs::rebootWords(Task& task)
{
    const quint64 generation = generation_;
    const BoardAddress board = task.result.board;
    task.result.sent = true;
    int i = 0;
    for (const char* word : RebootWords)
        QTimer::singleShot(WordPauseMs * i++, this, [this, generation, board, word] {
            if (alive(generation))
                client_.sendWord(board, QByteArray(word));
        });
    QTimer::singleShot(WordPauseMs * i, this, [this, generation, &task] {
        if (alive(generation))
            sendReboot(task);
    });
}

void BoardJobs::sendReboot(Task& task)
{
    const quint64 generation = generation_;
    const JobOptions& o = job_->options;
    if (job_->stopping != Job::No) { // stopped during its words: the board is not rebooted
        task.result.sent = false;
        task.result.outcome = Outcome::Cancelled;
        task.result.reason = Reason::Cancelled;
        return taskDone(task);
    }
    task.since.start();
    // The reboot frame is never sent twice: a board that took it is restarting.
    client_.requestMany(
        {task.result.board}, [](BoardAddress) { return rebootFrame(); },
        [](BoardAddress, const QByteArray& d) { return classify(d) == ReplyKind::RebootAck; },
        Timing{o.timing.timeoutMs, 0},
        [this, generation, &task](BoardAddress, const std::optional<BoardReply>& ack) {
            if (!alive(generation))
                return;
            BoardResult& r = task.result;
            r.acknowledged = ack.has_value();
            const int wait = job_->options.rebootWaitSeconds;
            if (wait <= 0) {
                r.outcome = r.acknowledged ? Outcome::Done : Outcome::Failed;
                r.reason = r.acknowledged ? Reason::None : Reason::NotAcknowledged;
                return taskDone(task);
            }
            // A read each second, as the configurator's follow-up reads, until it answers.
            ask(task.waitAt.value_or(r.board), Memory::Working, Completeness::Block,
                Timing{1000, wait - 1, true},
                [this, &task](const std::optional<BoardReply>& back, Reason, qsizetype) {
                    BoardResult& result = task.result;
                    if (back) {
                        result.upAfterSeconds = double(task.since.elapsed()) / 1000.0;
                        result.config = configFromReply(task.waitAt.value_or(result.board), back->datagram,
                                                        Memory::Working);
                    }
                    const bool ok = result.acknowledged && back;
                    result.outcome = ok ? Outcome::Done : Outcome::Failed;
                    result.reason = ok                     ? Reason::None
                                    : !result.acknowledged ? Reason::NotAcknowledged
                                                           : Reason::NotBack;
                    taskDone(task);
                });
        },
        {});
}

// --- stopping

void BoardJobs::stop()
{
    if (!job_)
        return;
    if (job_->kind == JobKind::Read)
        return cancel();
    job_->stopping = Job::AfterThisWave;
}

void BoardJobs::cancel()
{
    if (!job_ || job_->stopping == Job::Now) // once, also when a handler of its reports cancels
        return;
    job_->stopping = Job::Now;
    ++generation_; // what is under way reports nothing more
    client_.cancelAll();
    Job& j = *job_;
    if (j.kind == JobKind::Read) {
        for (BoardAddress board : QList<BoardAddress>(j.open.begin(), j.open.end())) {
            BoardResult r;
            r.board = board;
            r.outcome = Outcome::Cancelled;
            r.reason = Reason::Cancelled;
            report(r);
        }
        return end(Reason::Cancelled);
    }
    for (const auto& task : j.tasks) {
        if (task->done)
            continue;
        BoardResult& r = task->result;
        r.outcome = Outcome::Cancelled;
        r.reason = Reason::Cancelled;
        if (!task->journalId.isEmpty() && journal_)
            journal_->recordResult(j.jobId, task->journalId, r.board, writeResultOf(r), nullptr);
        task->done = true;
        report(r);
    }
    end(Reason::Cancelled);
}

} // namespace talvik
