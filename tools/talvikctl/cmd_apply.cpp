// talvikctl apply: backups written back, each decided, verified and journaled, in waves
// with a failure limit; with --to, the backup of a failed board written to its replacement.

#include "board/backup_file.h"
#include "commands.h"
#include "field_options.h"
#include "job_report.h"
#include "journal/journal.h"
#include "output.h"
#include "session.h"
#include "sites.h"
#include "wire/board_address.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

namespace talvik::ctl {

namespace {
// The replacement: the new board (at `target`, its factory address) must answer, nothing
// may answer at the backup's address any more, then the backup is written with the new
// board's own MAC (or the old one), verified, and with --reboot the board is restarted and
// waited for at its new address.
int replaceBoard(const CommandLine& line, const CommonOptions& options, const BoardConfig& backup,
                 BoardAddress target)
{
    Journal journal;
    Session session(options, false, &journal);
    JobOptions job;
    job.timing = options.timing;
    job.verify = !line.isSet(QStringLiteral("no-verify"));
    job.force = line.isSet(QStringLiteral("force"));
    job.dryRun = options.dryRun;
    job.by = QStringLiteral("talvikctl apply --to");
    job.operatorName = operatorOption(line);
    const WritePlan plan = WritePlan::ofReplacement(backup, line.isSet(QStringLiteral("take-mac")));
    JobReport report(JobReport::Write, QStringLiteral("apply"), line, line.positional(), {});
    const JobSummary written = runJob(
        session,
        [&] {
            session.jobs().write({{target, plan}}, job);
        },
        [&](const BoardResult& r) { report.board(r); }, true, &report);
    const int code = report.finish(written);
    if (code != Success || !line.isSet(QStringLiteral("reboot")) || options.dryRun)
        return code;
    const BoardAddress newAddress(addressOf(backup.fields.ip));
    job.rebootWaitSeconds = JobOptions::RebootWaitSeconds;
    job.by = QStringLiteral("talvikctl apply --to --reboot");
    job.operatorName = operatorOption(line);
    BoardResult rebooted;
    runJob(
        session,
        [&] {
            session.jobs().reboot({{target, newAddress}}, job);
        },
        [&](const BoardResult& r) { rebooted = r; });
    if (!rebooted.upAfterSeconds) {
        err() << "talvikctl: " << dottedText(target) << " was rebooted but does not answer at "
              << dottedText(newAddress) << Qt::endl;
        return NoReply;
    }
    err() << "talvikctl: " << dottedText(target) << " rebooted; it answers at " << dottedText(newAddress)
          << " after " << QString::number(*rebooted.upAfterSeconds, 'f', 1) << " s" << Qt::endl;
    return Success;
}

} // namespace

QStringList backupFilesOf(const QStringList& paths)
{
    QStringList files;
    for (const QString& path : paths) {
        if (!QFileInfo(path).isDir()) {
            files.append(path);
            continue;
        }
        for (const QString& name : QDir(path).entryList({QStringLiteral("*.conf")}, QDir::Files, QDir::Name))
            files.append(QDir(path).filePath(name));
    }
    return files;
}

int runApply(const QStringList& args)
{
    CommandLine line(
        QStringLiteral("apply"),
        QStringLiteral("Writes each backup file (survey --save) to the board it names, into its "
                       "permanent memory, each verified as write does. A folder stands for its *.conf "
                       "files. Every file is read and checked before anything is sent, and every write "
                       "journaled with the permanent memory it replaces (talvikctl history, undo). With "
                       "--to, one backup goes to a replacement board at another address, keeping that "
                       "board's own MAC unless --take-mac."),
        Output | Requests | Ports | DryRun);
    line.parser.addPositionalArgument(QStringLiteral("DIR|FILE..."),
                                      QStringLiteral("Backup files or folders."));
    line.parser.addOptions({
        {QStringLiteral("no-verify"), QStringLiteral("Do not read the permanent memory back.")},
        {QStringLiteral("force"),
         QStringLiteral("Also apply backups of the working configuration (or of unknown memory), with an "
                        "IP address or mask at which the board would be out of reach, or with values a "
                        "static console's frame cannot carry; with --to, also while something answers at "
                        "the backup's address.")},
        {QStringLiteral("to"),
         QStringLiteral("A board replaced: write the one backup to the new board at this address (its "
                        "factory address). Nothing may answer at the backup's address: the old board must "
                        "be gone."),
         QStringLiteral("address")},
        {QStringLiteral("take-mac"),
         QStringLiteral("With --to: give the new board the old board's MAC too.")},
        {QStringLiteral("reboot"),
         QStringLiteral(
             "With --to: reboot the new board after the write and wait for it at its new address.")},
    });
    addJobOptions(line);
    addSiteOptions(line);
    line.parse(args);
    const QStringList files = backupFilesOf(line.positional());
    if (files.isEmpty())
        throw UsageError{QStringLiteral("no backup file given")};
    // With --site, the backups of that site's boards alone.
    std::optional<QSet<BoardAddress>> only;
    if (line.isSet(QStringLiteral("site"))) {
        const QList<BoardAddress> boards = siteBoards(line);
        only = QSet<BoardAddress>(boards.begin(), boards.end());
    }
    const bool force = line.isSet(QStringLiteral("force"));
    QList<Backup> backups;
    for (const QString& file : files) { // every file is read and decided before anything is sent
        const BoardConfig config = readBackup(file);
        if (only && !only->contains(config.address))
            continue;
        backups.append({QFileInfo(file).absoluteFilePath(), config});
    }
    if (backups.isEmpty())
        throw UsageError{QStringLiteral("none of the backups is of a board of the sites given")};
    if (const auto twice = sameBoardTwice(backups))
        throw UsageError{QStringLiteral("%1 and %2 are both backups of %3: give one")
                             .arg(twice->first, twice->second, dottedText(twice->board))};
    const CommonOptions options = line.common();
    const bool verify = !line.isSet(QStringLiteral("no-verify"));
    if (line.isSet(QStringLiteral("to"))) {
        if (backups.size() != 1)
            throw UsageError{QStringLiteral("--to writes one backup: give one FILE")};
        return replaceBoard(line, options, backups.first().config,
                            boardArgument(line.value(QStringLiteral("to"))));
    }
    if (line.isSet(QStringLiteral("take-mac")) || line.isSet(QStringLiteral("reboot")))
        throw UsageError{QStringLiteral("--take-mac and --reboot go with --to")};
    QList<WriteTarget> targets;
    QHash<BoardAddress, QString> fileOf;
    for (const Backup& b : backups) {
        targets.append({b.config.address, WritePlan::ofBackup(b.config)});
        fileOf.insert(b.config.address, b.path);
    }
    refuseBeforehand(targets, force, [&](BoardAddress board) { return fileOf.value(board); });

    Journal journal;
    Session session(options, false, &journal);
    JobOptions job;
    job.timing = options.timing;
    job.verify = verify;
    job.force = force;
    job.dryRun = options.dryRun;
    job.limit = limitOption(line);
    job.by = QStringLiteral("talvikctl apply");
    job.operatorName = operatorOption(line);
    QStringList absolute;
    for (const QString& path : line.positional())
        absolute.append(QFileInfo(path).absoluteFilePath());
    Progress progress(QStringLiteral("apply"), int(targets.size()));
    JobReport report(JobReport::Write, QStringLiteral("apply"), line, absolute, {}, siteIndex(line));
    const JobSummary summary = runJob(
        session, [&] { session.jobs().write(targets, job); },
        [&](const BoardResult& r) {
            progress.step();
            report.board(r, fileOf.value(r.board));
        },
        true, &report);
    return report.finish(summary);
}

} // namespace talvik::ctl
