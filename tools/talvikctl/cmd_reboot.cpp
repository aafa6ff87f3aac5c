// talvikctl reboot: the window's reboot sequence, in waves with a failure limit.

#include "arguments.h"
#include "commands.h"
#include "job_report.h"
#include "output.h"
#include "session.h"
#include "sites.h"
#include "wire/board_address.h"

namespace talvik::ctl {

int runReboot(const QStringList& args)
{
    CommandLine line(
        QStringLiteral("reboot"),
        QStringLiteral(
            "Reboots boards with the window's sequence: the word frames \"msi\" and \"vsi\" twice, "
            "100 ms apart, then the reboot frame; and waits for each board's acknowledgement. "
            "Boards go in waves in address order (1, 2, 4, ... at once), and a run stops at its "
            "failure limit. Nothing is sent to any other address: a network, broadcast or zero "
            "address is refused, and a range stays inside one /24."),
        Output | Requests | Ports | WordPort | DryRun);
    line.parser.addPositionalArgument(QStringLiteral("ADDRESS|RANGE..."), QStringLiteral("The boards."));
    line.parser.addOptions({
        {QStringLiteral("wait"),
         QStringLiteral("Then read the working configuration each second until the board "
                        "answers again.")},
        {QStringLiteral("wait-seconds"),
         QStringLiteral("How long --wait waits for each board (default %1).")
             .arg(JobOptions::RebootWaitSeconds),
         QStringLiteral("s"), QString::number(JobOptions::RebootWaitSeconds)},
    });
    addJobOptions(line);
    addSiteOptions(line);
    line.parse(args);
    const QList<BoardAddress> boards = boardsArgument(line);
    const bool wait = line.isSet(QStringLiteral("wait"));
    const int waitSeconds =
        numberArgument(QStringLiteral("wait-seconds"), line.value(QStringLiteral("wait-seconds")), 1, 3600);
    const CommonOptions options = line.common();
    const FailureLimit limit = limitOption(line);
    Session session(options, false, nullptr, PortWaitMs,
                    options.dryRun ? Session::SendsNothing : Session::Listens);
    QList<RebootTarget> targets;
    for (BoardAddress board : boards)
        targets.append({board, std::nullopt});
    JobOptions job;
    job.timing = options.timing;
    job.limit = limit;
    job.dryRun = options.dryRun;
    job.by = QStringLiteral("talvikctl reboot");
    job.operatorName = operatorOption(line);
    job.rebootWaitSeconds = wait ? waitSeconds : 0;
    Progress progress(QStringLiteral("reboot"), int(boards.size()));
    JobReport report(JobReport::Reboot, QStringLiteral("reboot"), line, targetsOf(line), {}, siteIndex(line));
    const JobSummary summary = runJob(
        session, [&] { session.jobs().reboot(targets, job); },
        [&](const BoardResult& r) {
            progress.step();
            report.board(r);
        },
        true, &report);
    return report.finish(summary);
}

} // namespace talvik::ctl
