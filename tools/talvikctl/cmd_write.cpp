// talvikctl write: one change on one board or many, each built on its own permanent
// memory (or on a backup file), decided by the rules, journaled, sent, read back and
// compared, in waves with a failure limit; --dry-run shows each board's changes and writes
// nothing.

#include "commands.h"
#include "field_options.h"
#include "job_report.h"
#include "journal/journal.h"
#include "output.h"
#include "session.h"
#include "sites.h"
#include "wire/board_address.h"

namespace talvik::ctl {

int runWrite(const QStringList& args)
{
    CommandLine line(
        QStringLiteral("write"),
        QStringLiteral("Writes a configuration to boards with the window's write frame, then reads each "
                       "one's permanent memory back and compares field by field. The values are the options "
                       "given, on top of a backup file (--from, one board) or else of what each board's "
                       "permanent memory holds now (a whole configuration reply with a version: anything "
                       "less is no base for a write). Boards are written in waves in address order (1, 2, "
                       "4, ... at once), and a run stops at its failure limit. Every write is journaled "
                       "first (talvikctl history). With --dry-run and no --from, each board's permanent "
                       "memory is read and the changes shown; nothing is written."),
        Output | Requests | Ports | DryRun);
    line.parser.addPositionalArgument(QStringLiteral("ADDRESS|RANGE..."),
                                      QStringLiteral("The boards the frame goes to."));
    addFieldOptions(line);
    addJobOptions(line);
    addSiteOptions(line);
    line.parse(args);
    const bool force = line.isSet(QStringLiteral("force"));
    if (line.positional().isEmpty() && !line.isSet(QStringLiteral("site")))
        throw UsageError{QStringLiteral("write takes ADDRESS or RANGE..., or --site NAME")};
    const QList<BoardAddress> boards = boardsArgument(line);
    const CommonOptions options = line.common();
    const FailureLimit limit = limitOption(line);
    std::optional<BoardConfig> base;
    if (line.isSet(QStringLiteral("from"))) {
        if (boards.size() != 1)
            throw UsageError{QStringLiteral("--from writes one board: give one ADDRESS")};
        base = readBackup(line.value(QStringLiteral("from")));
    }
    const WritePlan plan = WritePlan::ofChange(changeOptions(line), base); // every value checked first
    const bool verify = !line.isSet(QStringLiteral("no-verify"));
    QList<WriteTarget> targets;
    for (BoardAddress board : boards)
        targets.append({board, plan});
    refuseBeforehand(targets, force, {});

    Journal journal;
    Session session(options, false, &journal);
    JobOptions job;
    job.timing = options.timing;
    job.verify = verify;
    job.force = force;
    job.dryRun = options.dryRun;
    job.skipUnchanged = line.isSet(QStringLiteral("skip-unchanged"));
    job.limit = limit;
    job.by = QStringLiteral("talvikctl write");
    job.operatorName = operatorOption(line);
    Progress progress(QStringLiteral("write"), int(boards.size()));
    JobReport report(JobReport::Write, QStringLiteral("write"), line, line.positional(),
                     {QStringLiteral("from")});
    const JobSummary summary = runJob(
        session, [&] { session.jobs().write(targets, job); },
        [&](const BoardResult& r) {
            progress.step();
            report.board(r);
        },
        true, &report);
    return report.finish(summary);
}

} // namespace talvik::ctl
