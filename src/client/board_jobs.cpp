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
    std::optional<BoardAddress> waitAt; // a reboot
    QString journalId;                  // a write recorded in the journal
    QElapsedTimer since;                // a reboot: from its reboot frame
    bool started = false, done = false;
};

struct BoardJobs::Job {
    enum Kind { Read, Write, Reboot } kind = Read;
    JobOptions options;
    ReadSpec spec;
    std::vector<std::unique_ptr<Task>> tasks; // writes and reboots, in address order
    size_t next = 0;                          // the first task not started
    int wave = 1, inWave = 0;
    int tried = 0, failed = 0;
    enum { No, AfterThisWave, Now } stopping = No;
    bool journalFailed = false;
    // Reads: the boards not yet reported, and those whose permanent memory is asked next.
    QSet<BoardAddress> open;
    std::unordered_map<BoardAddress, BoardResult> awaitingPermanent;
    QList<BoardAddress> permanentDue;
    int done = 0, total = 0;
    JobSummary summary;
    quint64 droppedBefore = 0;
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

void BoardJobs::begin(int total)
{
    if (job_)
        cancel();
    ++generation_;
    job_ = std::make_unique<Job>();
    job_->total = total;
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
    JobSummary& s = j.summary;
    if (succeeded(result.outcome))
        ++s.succeeded;
    else if (result.outcome == Outcome::Refused)
        ++s.refused;
    else if (result.outcome == Outcome::NotTried)
        ++s.notTried;
    else if (result.outcome == Outcome::Cancelled)
        ++s.cancelled;
    else
        ++s.failed;
    ++j.done;
    emit boardDone(result);
    emit progress(j.done, j.total);
}

void BoardJobs::end(Reason stoppedBy)
{
    std::unique_ptr<Job> job = std::move(job_);
    job->summary.stoppedBy = stoppedBy;
    job->summary.failuresAtStop = job->failed;
    job->summary.triedAtStop = job->tried;
    job->summary.lostToOverload = client_.link().dropped() - job->droppedBefore;
    emit finished(job->summary);
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
    begin(int(each.size()));
    job_->kind = Job::Read;
    job_->spec = spec;
    job_->options.timing = timing;
    job_->open = seen;
    if (each.isEmpty())
        return end(Reason::None);
    const quint64 generation = generation_;
    auto shortOf = std::make_shared<ShortReplies>();
    const QByteArray frame = buildReadFrame(spec.memory);
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

// --- waves

void BoardJobs::write(const QList<WriteTarget>& targets, const JobOptions& options)
{
    std::vector<std::unique_ptr<Task>> tasks;
    for (const WriteTarget& t : targets) {
        tasks.push_back(std::make_unique<Task>());
        tasks.back()->result.board = t.board;
        tasks.back()->plan = t.plan;
    }
    startWaves(Job::Write, std::move(tasks), options);
}

void BoardJobs::reboot(const QList<RebootTarget>& targets, const JobOptions& options)
{
    std::vector<std::unique_ptr<Task>> tasks;
    for (const RebootTarget& t : targets) {
        tasks.push_back(std::make_unique<Task>());
        tasks.back()->result.board = t.board;
        tasks.back()->waitAt = t.waitAt;
    }
    startWaves(Job::Reboot, std::move(tasks), options);
}

void BoardJobs::startWaves(int kind, std::vector<std::unique_ptr<Task>> tasks, const JobOptions& options)
{
    begin(int(tasks.size()));
    job_->kind = Job::Kind(kind);
    job_->options = options;
    job_->tasks = std::move(tasks);
    std::stable_sort(job_->tasks.begin(), job_->tasks.end(),
                     [](const auto& a, const auto& b) { return a->result.board < b->result.board; });
    nextWave();
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
    const size_t size = std::min(size_t(j.wave), j.tasks.size() - j.next);
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
    if (job_->kind == Job::Reboot)
        return rebootWords(task);
    const WritePlan& plan = task.plan;
    const BoardAddress old(plan.source ? addressOf(plan.source->fields.ip) : 0);
    const bool probe = plan.kind == WritePlan::Replacement && !job_->options.force &&
                       old != task.result.board && addressUse(old) == AddressUse::Board;
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
    if (!task.journalId.isEmpty() && journal_) {
        QString why;
        if (!journal_->recordResult(task.journalId, resultText(r), succeeded(r.outcome), &why))
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
    const Decision decision = decide(now, task.plan);
    r.config = BoardConfig{r.board, decision.fields, std::nullopt, Memory::Permanent};
    if (const QList<Refusal> blocking = decision.blocking(o.force); !blocking.isEmpty()) {
        r.outcome = Outcome::Refused;
        r.reason = blocking.first().kind;
        r.refusals = blocking;
        return taskDone(task);
    }
    r.notWritten = decision.notWritten();
    if (o.dryRun) {
        r.outcome = Outcome::Planned;
        return taskDone(task);
    }
    const QByteArray frame = buildWriteFrame(decision.fields);
    QString why = QStringLiteral("no journal");
    if (journal_)
        task.journalId = journal_->recordWrite(r.board, o.by, now, frame, &why);
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
        return taskDone(task);
    }
    verify(task, frame);
}

void BoardJobs::verify(Task& task, const QByteArray& frame)
{
    ask(task.result.board, Memory::Permanent, Completeness::Complete, job_->options.timing,
        [this, &task, frame](const std::optional<BoardReply>& reply, Reason why, qsizetype bytes) {
            BoardResult& r = task.result;
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
            ask(task.waitAt.value_or(r.board), Memory::Working, Completeness::Block, Timing{1000, wait - 1},
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
    if (job_->kind == Job::Read)
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
    if (j.kind == Job::Read) {
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
            journal_->recordResult(task->journalId, resultText(r), false, nullptr);
        task->done = true;
        report(r);
    }
    end(Reason::Cancelled);
}

} // namespace talvik
