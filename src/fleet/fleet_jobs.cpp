#include "fleet/fleet_jobs.h"

#include "board/backup_file.h"
#include "fleet/fleet_wording.h"

namespace talvik::fleet {

FleetJobs::FleetJobs(BoardClient& client, FleetModel& model, QObject* parent)
    : QObject(parent), client_(client), model_(model), engine_(client, nullptr)
{
    connect(&engine_, &BoardJobs::progress, this, &FleetJobs::progress);
    connect(&engine_, &BoardJobs::boardStarted, this, [this](BoardAddress board) {
        if (last_.kind == LastJob::Reboot && !onPlanned_)
            model_.setState(board, tr("перезавантажується"));
    });
    connect(&engine_, &BoardJobs::boardDone, this, &FleetJobs::shown);
    connect(&engine_, &BoardJobs::finished, this, [this](const JobSummary& summary) {
        if (discarding_)
            return;
        stopping_ = false;
        if (onPlanned_) {
            const auto done = std::exchange(onPlanned_, {});
            done(std::exchange(planned_, {}));
            return;
        }
        summary_ = summary;
        summary_.done -= notSaved_; // a backup read but not saved failed as a file, not as a board
        summary_.failed += notSaved_;
        emit finished();
    });
}

void FleetJobs::setJournal(Journal* journal)
{
    journal_ = journal;
    engine_.setJournal(journal);
}

QList<WriteTarget> FleetJobs::withWorking(QList<WriteTarget> targets) const
{
    for (WriteTarget& t : targets)
        if (const int row = model_.rowOf(t.board); row >= 0)
            t.working = model_.rowAt(row).working;
    return targets;
}

void FleetJobs::start(const LastJob& job)
{
    last_ = job;
    results_.clear();
    failed_.clear();
    summary_ = {};
    stopping_ = false;
    notSaved_ = 0;
    emit started();
    JobOptions o = job.options;
    o.timing = timing;
    o.operatorName = operatorName;
    switch (job.kind) {
    case LastJob::Reboot: {
        QList<RebootTarget> targets;
        for (BoardAddress board : job.boards)
            targets.append({board, std::nullopt});
        return engine_.reboot(targets, o);
    }
    case LastJob::SaveBackups:
        return engine_.read(job.boards, ReadSpec{Memory::Permanent, Completeness::Complete, false, {}},
                            timing);
    case LastJob::Write:
        return engine_.write(withWorking(job.targets), o);
    case LastJob::None:
        break;
    }
}

void FleetJobs::reboot(const QList<BoardAddress>& boards)
{
    LastJob job;
    job.kind = LastJob::Reboot;
    job.boards = boards;
    job.options.by = by::Reboot;
    job.options.limit = limit;
    job.options.rebootWaitSeconds = rebootWaitSeconds;
    start(job);
}

void FleetJobs::saveBackups(const QList<BoardAddress>& boards, const QString& folder)
{
    LastJob job;
    job.kind = LastJob::SaveBackups;
    job.boards = boards;
    job.folder = folder;
    start(job);
}

void FleetJobs::write(const QList<WriteTarget>& targets, const QString& by, bool force,
                      const QStringList& undone)
{
    LastJob job;
    job.kind = LastJob::Write;
    job.targets = targets;
    job.options.by = by;
    job.options.force = force;
    job.options.overwriteOthers = force; // the operator was asked
    job.options.limit = limit;
    job.options.undoesWrites = undone;
    start(job);
}

void FleetJobs::run(const JobPlan& plan, bool force)
{
    LastJob job;
    job.kind = plan.reboots.isEmpty() ? LastJob::Write : LastJob::Reboot;
    job.targets = plan.writes;
    for (const RebootTarget& t : plan.reboots)
        job.boards.append(t.board);
    job.options = plan.options;
    job.options.force = job.options.force || force;
    job.options.overwriteOthers = force;
    start(job);
}

void FleetJobs::plan(const QList<WriteTarget>& targets, bool force,
                     const std::function<void(const QList<BoardResult>&)>& done)
{
    if (engine_.running()) {
        if (!onPlanned_)
            return done({}); // a job runs: its rows are not read again now
        discarding_ = true;  // the older preview ends unseen
        engine_.cancel();
        discarding_ = false;
    }
    onPlanned_ = done;
    planned_.clear();
    JobOptions o;
    o.timing = timing;
    o.force = force;
    o.dryRun = true;
    engine_.write(withWorking(targets), o);
}

void FleetJobs::retryFailed()
{
    if (!canRetry())
        return;
    LastJob job = last_;
    // One roll-out with the job it retries, as the journal knows it.
    if (job.options.retryOf.isEmpty())
        job.options.retryOf = summary_.jobId;
    const auto again = [this](BoardAddress board) { return failed_.contains(board); };
    job.boards.removeIf([&](BoardAddress b) { return !again(b); });
    job.targets.removeIf([&](const WriteTarget& t) { return !again(t.board); });
    start(job);
}

void FleetJobs::stop()
{
    if (!running())
        return;
    if (stopping_)
        return cancel();
    stopping_ = true;
    engine_.stop();
}

void FleetJobs::cancel()
{
    engine_.cancel();
}

void FleetJobs::shown(const BoardResult& r)
{
    if (discarding_)
        return;
    if (onPlanned_) { // a preview, not a job of its own
        if (r.before)
            model_.permanentRead(r.board, *r.before);
        else if (r.outcome == Outcome::Failed)
            model_.setState(r.board, noAnswerState(r.reason, r.replyBytes));
        planned_.append(r);
        return;
    }
    results_.append(r);
    if (isRetried(r.outcome))
        failed_.insert(r.board);
    switch (last_.kind) {
    case LastJob::Reboot:
        if (r.config)
            model_.answered(r.board, *r.config);
        return model_.setState(r.board, rebootState(r));
    case LastJob::SaveBackups:
        return showRead(r);
    case LastJob::Write:
        if (r.before)
            model_.permanentRead(r.board, *r.before);
        if (r.readBack)
            model_.permanentRead(r.board, *r.readBack);
        return model_.setState(r.board, writeState(r));
    case LastJob::None:
        break;
    }
}

void FleetJobs::showRead(const BoardResult& r)
{
    std::optional<SaveError> problem;
    if (r.config) {
        model_.permanentRead(r.board, *r.config);
        problem = writeBackup(last_.folder, *r.config, r.reply);
        if (problem) { // the file, not the board: tried again by a retry
            failed_.insert(r.board);
            ++notSaved_;
        }
    }
    model_.setState(r.board, backupState(r, problem));
}

} // namespace talvik::fleet
