// talvikctl retry: a write, apply, undo or reboot run again, from its --json output, on the
// boards that did not succeed: failed, not tried, cancelled, or written but holding
// something else. A board written successfully, or one the rules refused, is left alone.

#include "arguments.h"
#include "board/untrusted_text.h"
#include "client/job_result.h"
#include "client/journal_plans.h"
#include "commands.h"
#include "job_report.h"
#include "journal/journal.h"
#include "output.h"
#include "wire/board_address.h"
#include "wire/input_file.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>

namespace talvik::ctl {

namespace {
constexpr qint64 MostRunBytes = 64ll << 20; // the output of a run over every board of 256 networks

// What a run's output says: what ran, and which boards and files are done with.
struct Run {
    QString job;
    QString journalJob; // the run's job in the journal, when it began one
    QStringList options, targets;
    QSet<BoardAddress> kept; // succeeded or refused: not run again
    QSet<QString> keptFiles; // apply: the backups of those
};

QStringList strings(const QJsonValue& value)
{
    QStringList out;
    for (const QJsonValue& v : value.toArray())
        out.append(v.toString());
    return out;
}

Run readRun(const QString& path)
{
    QString why;
    const auto text = readInputFile(path, MostRunBytes, QStringLiteral("a run's output"), &why);
    if (!text)
        throw UsageError{why};
    Run run;
    int number = 0;
    for (const QByteArray& raw : text->split('\n')) {
        ++number;
        if (raw.trimmed().isEmpty())
            continue;
        const QJsonObject o = QJsonDocument::fromJson(raw).object();
        const QString where = QStringLiteral("%1:%2: ").arg(quoted(path, 4096)).arg(number);
        if (o.contains(QStringLiteral("summary"))) {
            if (const QString job = o.value(QStringLiteral("summary"))[QStringLiteral("job")].toString();
                !job.isEmpty())
                run.journalJob = job;
            continue;
        }
        if (o.contains(QStringLiteral("job"))) {
            run.job = o.value(QStringLiteral("job")).toString();
            run.journalJob = o.value(QStringLiteral("journal_job")).toString();
            run.options = strings(o.value(QStringLiteral("options")));
            run.targets = strings(o.value(QStringLiteral("targets")));
            continue;
        }
        const auto outcome = outcomeFromKey(o.value(QStringLiteral("outcome")).toString());
        const auto address = parseDottedDecimal(o.value(QStringLiteral("address")).toString());
        if (!outcome || !address)
            throw UsageError{where +
                             QStringLiteral("not a line of a write, apply, undo or reboot run's --json "
                                            "output: %1")
                                 .arg(quoted(QString::fromUtf8(raw), 100))};
        if (isRetried(*outcome))
            continue;
        run.kept.insert(BoardAddress(*address));
        if (o.contains(QStringLiteral("file")))
            run.keptFiles.insert(o.value(QStringLiteral("file")).toString());
    }
    static const QStringList jobs{QStringLiteral("write"), QStringLiteral("apply"), QStringLiteral("undo"),
                                  QStringLiteral("reboot"), QStringLiteral("retry")};
    if (!jobs.contains(run.job))
        throw UsageError{
            QStringLiteral("%1 does not say what ran: its first line is not that of a write, apply, "
                           "undo, retry or reboot run with --json")
                .arg(quoted(path, 4096))};
    return run;
}

// The targets of the run that are run again.
QStringList again(const Run& run)
{
    QStringList out;
    if (run.job == QLatin1String("apply")) {
        const bool replacement = run.options.filter(QStringLiteral("--to=")).size() > 0;
        if (replacement && !run.kept.isEmpty())
            return out;
        for (const QString& file : backupFilesOf(run.targets))
            if (!run.keptFiles.contains(QFileInfo(file).absoluteFilePath()))
                out.append(file);
        return out;
    }
    for (BoardAddress board : targetsArgument(run.targets))
        if (!run.kept.contains(board))
            out.append(dottedText(board));
    return out;
}
} // namespace

int runRetry(const QStringList& args)
{
    CommandLine line(
        QStringLiteral("retry"),
        QStringLiteral("Runs again the write, apply, undo or reboot whose --json output FILE holds, "
                       "with the same options, on the boards whose outcome was failed, not tried "
                       "or cancelled, or that hold something else than was written (and on any the "
                       "output does not name, as when the run was killed). A board written "
                       "successfully, or refused by the rules, is never written again. With --job, "
                       "the job of the journal instead (and its retries before), from the journal "
                       "alone: also one cut off by kill -9 or a power cut."),
        Output | Requests | Ports | DryRun);
    line.parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("The --json output of a run."));
    addOperatorOption(line);
    line.parser.addOption(
        {QStringLiteral("job"),
         QStringLiteral("Retry this job of the journal (an id of history --jobs, or \"last\")."),
         QStringLiteral("id")});
    line.parser.addOption(
        {QStringLiteral("force"),
         QStringLiteral("With --job: write also a board another job changed since the job began, in a "
                        "field the retry writes (and what the rules let a force through).")});
    line.parse(args);
    if (line.isSet(QStringLiteral("job"))) {
        if (!line.positional().isEmpty())
            throw UsageError{QStringLiteral("retry --job ID takes no FILE")};
        JournalProblem problem;
        const std::optional<JobPlan> plan = retryPlan(Journal(), line.value(QStringLiteral("job")),
                                                      QStringLiteral("talvikctl retry"), &problem);
        if (!plan)
            throw UsageError{journalProblemText(problem)};
        return runPlan(line, *plan, QStringLiteral("retry"), line.isSet(QStringLiteral("force")), {});
    }
    if (line.positional().size() != 1)
        throw UsageError{QStringLiteral("retry takes one FILE, or --job ID")};
    const Run run = readRun(line.positional().first());
    const CommonOptions options = line.common();
    const auto withOutput = [&](QStringList command) {
        if (options.json)
            command.append(QStringLiteral("--json"));
        if (options.quiet)
            command.append(QStringLiteral("--quiet"));
        return command;
    };
    // An undo or a retry ran from the journal: the journal finishes it, board by board.
    const bool fromJournal =
        run.job == QLatin1String("retry") ||
        (run.job == QLatin1String("undo") && (!run.journalJob.isEmpty() || run.targets.isEmpty()));
    if (fromJournal) {
        QString job = run.journalJob;
        if (job.isEmpty()) // it began no job: the one it was asked to undo or retry, once more
            for (const QString& option : run.options)
                if (option.startsWith(QLatin1String("--job=")))
                    job = option.mid(6);
        if (job.isEmpty())
            throw UsageError{QStringLiteral("%1 names no job of the journal to run again")
                                 .arg(quoted(line.positional().first(), 4096))};
        // Sent as the run was: from its port and adapter, to its boards' ports, with its waits.
        QStringList sending;
        for (const QString& option : run.options)
            for (const char* name : {"--local-port=", "--ports=", "--timeout=", "--retries=", "--interface="})
                if (option.startsWith(QLatin1String(name)))
                    sending.append(option);
        if (run.journalJob.isEmpty() && run.job == QLatin1String("undo"))
            return runUndo(
                withOutput(QStringList{args.value(0), run.job, QStringLiteral("--job"), job} + sending));
        return runRetry(withOutput(QStringList{args.value(0), QStringLiteral("--job"), job} + sending));
    }
    const QStringList targets = again(run);
    if (targets.isEmpty()) {
        err() << "talvikctl: nothing to retry: every board of the run succeeded or was refused" << Qt::endl;
        return Success;
    }
    const QStringList command = withOutput(QStringList{args.value(0), run.job} + run.options + targets);
    if (run.job == QLatin1String("write"))
        return runWrite(command);
    if (run.job == QLatin1String("apply"))
        return runApply(command);
    if (run.job == QLatin1String("undo"))
        return runUndo(command);
    return runReboot(command);
}

} // namespace talvik::ctl
