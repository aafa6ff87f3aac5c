#include "fleet/fleet_jobs.h"

#include "board/backup_file.h"
#include "fleet/fleet_texts.h"
#include "fleet/fleet_wording.h"

namespace talvik::fleet {

FleetJobs::FleetJobs(BoardClient& client, FleetModel& model, QObject* parent)
    : QObject(parent), client_(client), model_(model), engine_(client, nullptr)
{
    connect(&engine_, &BoardJobs::progress, this, &FleetJobs::progress);
    connect(&engine_, &BoardJobs::boardStarted, this, [this](BoardAddress board) {
        if (last_.kind == LastJob::Reboot)
            model_.setState(board, texts::Rebooting());
    });
    connect(&engine_, &BoardJobs::boardDone, this, &FleetJobs::shown);
    connect(&engine_, &BoardJobs::finished, this, [this](const JobSummary& summary) {
        if (onReadDone_) {
            const auto done = std::exchange(onReadDone_, {});
            onRead_ = {};
            done();
            return;
        }
        summary_ = summary;
        emit finished();
    });
}

void FleetJobs::setJournal(Journal* journal)
{
    journal_ = journal;
    engine_.setJournal(journal);
}

void FleetJobs::start(const LastJob& job)
{
    last_ = job;
    results_.clear();
    failed_.clear();
    summary_ = {};
    JobOptions o;
    o.timing = timing;
    o.limit = limit;
    o.force = job.force;
    o.by = job.by;
    switch (job.kind) {
    case LastJob::Reboot: {
        o.rebootWaitSeconds = rebootWaitSeconds;
        QList<RebootTarget> targets;
        for (BoardAddress board : job.boards)
            targets.append({board, std::nullopt});
        return engine_.reboot(targets, o);
    }
    case LastJob::SaveBackups:
        return engine_.read(job.boards, ReadSpec{Memory::Permanent, Completeness::Complete, false, {}},
                            timing);
    case LastJob::Write:
        return engine_.write(job.targets, o);
    case LastJob::None:
        break;
    }
}

void FleetJobs::reboot(const QList<BoardAddress>& boards)
{
    LastJob job;
    job.kind = LastJob::Reboot;
    job.boards = boards;
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

void FleetJobs::applyBackups(const QList<BoardConfig>& backups, bool force)
{
    QList<WriteTarget> targets;
    for (const BoardConfig& backup : backups)
        targets.append({backup.address, WritePlan::ofBackup(backup)});
    write(targets, by::Apply, force);
}

void FleetJobs::write(const QList<WriteTarget>& targets, const QString& by, bool force)
{
    LastJob job;
    job.kind = LastJob::Write;
    job.targets = targets;
    job.by = by;
    job.force = force;
    start(job);
}

void FleetJobs::readPermanent(const QList<BoardAddress>& boards,
                              const std::function<void(const QHash<BoardAddress, BoardConfig>&)>& done)
{
    auto read = std::make_shared<QHash<BoardAddress, BoardConfig>>();
    onRead_ = [read](const BoardResult& r) {
        if (r.config)
            read->insert(r.board, *r.config);
    };
    onReadDone_ = [read, done] { done(*read); };
    engine_.read(boards, ReadSpec{Memory::Permanent, Completeness::Complete, false, {}}, timing);
}

void FleetJobs::retryFailed()
{
    if (!canRetry())
        return;
    LastJob job = last_;
    const auto again = [this](BoardAddress board) { return failed_.contains(board); };
    job.boards.removeIf([&](BoardAddress b) { return !again(b); });
    job.targets.removeIf([&](const WriteTarget& t) { return !again(t.board); });
    start(job);
}

void FleetJobs::cancel()
{
    engine_.cancel();
}

void FleetJobs::shown(const BoardResult& r)
{
    if (onRead_) { // a read for a preview, not a job of its own
        if (r.config)
            model_.permanentRead(r.board, *r.config);
        else
            model_.setState(r.board, noAnswerState(r.reason, r.replyBytes));
        onRead_(r);
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
        return model_.setState(r.board, writeState(r, waitsForReboot(r)));
    case LastJob::None:
        break;
    }
}

// A board takes its permanent memory at a reboot: until then it works with what its row shows.
bool FleetJobs::waitsForReboot(const BoardResult& r) const
{
    const int row = model_.rowOf(r.board);
    if (r.outcome != Outcome::Done || !r.readBack || row < 0 || !model_.rowAt(row).working)
        return false;
    return !differences(*r.readBack, *model_.rowAt(row).working).isEmpty();
}

void FleetJobs::showRead(const BoardResult& r)
{
    std::optional<SaveError> problem;
    if (r.config) {
        model_.permanentRead(r.board, *r.config);
        problem = writeBackup(last_.folder, *r.config, r.reply);
        if (problem) // the file, not the board: tried again by a retry
            failed_.insert(r.board);
    }
    model_.setState(r.board, backupState(r, problem));
}

} // namespace talvik::fleet
