#pragma once
// The fleet window's jobs on the boards of its table: reboots, backups saved and written
// back, one change on many boards, a board replaced, a write undone. Each runs on the one
// engine (client/board_jobs.h), which decides, journals, verifies and stops at the failure
// limit; here each board's result is shown in its row, in the window's words, and the
// last job's failures can be run once more.

#include "client/board_jobs.h"
#include "client/journal_plans.h"
#include "fleet/fleet_model.h"

#include <QObject>
#include <functional>

namespace talvik::fleet {

// Who wrote, as the journal records it (beside "talvikctl write", "configurator").
namespace by {
inline const QString Apply = QStringLiteral("fleet window: apply");
inline const QString Change = QStringLiteral("fleet window: change fields");
inline const QString Replace = QStringLiteral("fleet window: replace board");
inline const QString Undo = QStringLiteral("fleet window: undo");
inline const QString UndoJob = QStringLiteral("fleet window: undo job");
inline const QString RetryJob = QStringLiteral("fleet window: retry job");
inline const QString Reboot = QStringLiteral("fleet window: reboot");
} // namespace by

class FleetJobs : public QObject {
    Q_OBJECT
  public:
    FleetJobs(BoardClient& client, FleetModel& model, QObject* parent = nullptr);

    // The configurator's reboot sequence on each board, then its working configuration
    // read each second until it answers (rebootWaitSeconds).
    void reboot(const QList<BoardAddress>& boards);
    // Each board's permanent memory (a whole reply, with a version) into folder/ADDRESS.conf.
    void saveBackups(const QList<BoardAddress>& boards, const QString& folder);
    // Writes of any plan: a change, backups, a replacement, an undo; `force` writes also
    // what the rules let a force through (the operator was asked). Each board's working
    // configuration, where its row knows it, tells the engine what waits for a reboot.
    // `undone`: the single writes an undo takes back, for the journal's line of the job.
    void write(const QList<WriteTarget>& targets, const QString& by, bool force = false,
               const QStringList& undone = {});
    // A job of the journal run again (its undo, its retry) with the plan's own options;
    // `force` over them.
    void run(const JobPlan& plan, bool force);
    // The engine's dry run of the same writes: each board's permanent memory read into
    // the table, then `done` with what each would come to (its changes, refusals and frames).
    // A preview asked while another runs ends that one, whose `done` is never called; none is
    // asked while a job runs (`done` gets nothing). A preview never writes.
    void plan(const QList<WriteTarget>& targets, bool force,
              const std::function<void(const QList<BoardResult>&)>& done);
    // The last job once more, on its boards that failed, were not tried or were cancelled.
    void retryFailed();
    bool canRetry() const { return !failed_.isEmpty() && !running(); }
    // The boards under way finish (a write is read back), no other starts; the second
    // time, or for a read, everything ends at once.
    void stop();
    void cancel();
    bool running() const { return engine_.running(); }
    bool stopping() const { return stopping_; }
    // What the last job came to, and each of its boards.
    const JobSummary& lastSummary() const { return summary_; }
    const QList<BoardResult>& lastResults() const { return results_; }

    void setJournal(Journal* journal);
    Journal* journal() const { return journal_; }
    Timing timing; // each reply; the reboot's wait is its own
    int rebootWaitSeconds = JobOptions::RebootWaitSeconds;
    FailureLimit limit;
    QString operatorName; // who runs the window's jobs, for the journal ("Оператор…")

  signals:
    void started();
    void progress(int done, int total);
    // Also when a job is cancelled, and when it stops at the failure limit.
    void finished();

  private:
    // What to run again for a retry.
    struct LastJob {
        enum Kind { None, Reboot, SaveBackups, Write } kind = None;
        QList<BoardAddress> boards;
        QList<WriteTarget> targets;
        QString folder;
        JobOptions options; // by, force, the failure limit, what it undoes or retries
    };
    void start(const LastJob& job);
    void shown(const BoardResult& result);
    void showRead(const BoardResult& result);
    QList<WriteTarget> withWorking(QList<WriteTarget> targets) const;

    BoardClient& client_;
    FleetModel& model_;
    Journal* journal_ = nullptr;
    BoardJobs engine_;
    LastJob last_;
    QList<BoardResult> results_;
    QSet<BoardAddress> failed_; // of the last job: what a retry takes
    JobSummary summary_;
    bool stopping_ = false;
    int notSaved_ = 0; // backups of the last job read but not written to their files
    // A dry run in progress: its results, and who waits for them.
    std::function<void(const QList<BoardResult>&)> onPlanned_;
    QList<BoardResult> planned_;
    bool discarding_ = false; // a preview ended for a newer one: nothing of it is shown
};

} // namespace talvik::fleet
