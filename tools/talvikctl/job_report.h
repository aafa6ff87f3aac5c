#pragma once
// How talvikctl runs a job of the engine under its event loop, and words in English what
// became of each board: a table row or a JSON line as each board is done, messages on
// stderr, the summary and the exit code. With --json the first line says what ran (the
// command, its options and its targets), so that `talvikctl retry` can run it again on
// the boards that did not succeed.

#include "arguments.h"
#include "client/board_jobs.h"
#include "client/journal_plans.h"
#include "output.h"
#include "store/sites_file.h"

#include <QStringList>
#include <functional>
#include <memory>

namespace talvik::ctl {

class Session;

class JobReport;

// Runs `start` (which starts one job on session.jobs()) until the job ends, `each` for every
// board as it is done; `report` says what ran once the job has begun (its id in the journal
// known). With `gently`, the first Ctrl-C lets the boards already sent a write finish and be
// read back and sends nothing new; the rest are reported cancelled (the command then exits
// with 130: see `interrupted`).
JobSummary runJob(Session& session, const std::function<void()>& start,
                  const std::function<void(const BoardResult&)>& each, bool gently = true,
                  JobReport* report = nullptr);
bool interrupted();

// The options that decide for a whole run (what the rules let a force through, the failure
// limit) and who runs it (--operator, or TALVIK_OPERATOR).
void addJobOptions(CommandLine& line);
void addOperatorOption(CommandLine& line);
FailureLimit limitOption(const CommandLine& line);
QString operatorOption(const CommandLine& line);

// What a refusal means, in talvikctl's words: "ip 0.0.0.0 is no host's address: --force
// writes it anyway". `fields`: what was to be written.
QString refusalText(const Refusal& refusal, const WriteFields& fields, BoardAddress board);

// --dry-run of a read or a reboot: each datagram the engine would send, a line each.
void printFrames(const BoardResult& planned, bool json);

// All or nothing: when the engine refuses a target's plan whatever its board holds (a
// backup, a change on a file's fields), a usage error that names it (after `fileOf` its
// board, where given) before anything is sent.
void refuseBeforehand(const QList<WriteTarget>& targets, bool force,
                      const std::function<QString(BoardAddress)>& fileOf);

// What a whole job came to, in a line for stderr: "55 written and verified, 2 failed, ...".
QString summaryText(const JobSummary& summary);

// The output of a write, apply, undo or reboot.
class JobReport {
  public:
    enum Kind { Write, Reboot };
    // `job`: the command; `targets`: its positional arguments, as a retry gives them again.
    JobReport(Kind kind, const QString& job, const CommandLine& line, const QStringList& targets,
              const QStringList& fileOptions = {}, const SiteIndex& sites = {});
    // The options a retry gives again, where they are not the command line's own (a job
    // asked as "last", resolved).
    void setReplayOptions(const QStringList& options) { replay_ = options; }
    // With --json, the first line: what ran and its job in the journal (once it has begun).
    void begin(const QString& journalJob);
    // `file`: the backup a board's write came from (apply), for a retry.
    void board(const BoardResult& result, const QString& file = {});
    // The summary on stderr; the exit code of the whole command.
    int finish(const JobSummary& summary);

  private:
    void writeLine(const BoardResult& r, const QString& file);
    void plannedLine(const BoardResult& r);
    void rebootLine(const BoardResult& r);
    void messages(const BoardResult& r);

    Kind kind_;
    CommonOptions options_;
    std::unique_ptr<Table> table_;
    QString job_;
    QStringList replay_, targets_;
    bool begun_ = false;
    SiteIndex sites_;
    int succeeded_ = 0, failed_ = 0, worst_ = 0, only_ = 0;
};

// A job of the journal run again (an undo or a retry of a job): the boards it leaves alone on
// stderr, then the job, its report and the exit code. `force` and `limit` (when not the
// default) over the plan's own.
int runPlan(const CommandLine& line, const JobPlan& plan, const QString& command, bool force,
            const FailureLimit& limit);

// A board's exit code: 0 for success, else what failed (commands.h).
int exitOf(const BoardResult& result);

} // namespace talvik::ctl
