// talvikctl apply: backups written back, each verified and journaled; with --to, the
// backup of a failed board written to its replacement.

#include "client/configuration_reply.h"
#include "client/field_change.h"
#include "client/write_checks.h"
#include "commands.h"
#include "output.h"
#include "session.h"
#include "wire/board_address.h"
#include "write_steps.h"

#include <QDir>
#include <QFileInfo>

namespace talvik::ctl {

namespace {
// The replacement: the new board (at `target`, its factory address) answers, nothing
// answers at the backup's address any more, then the backup is written with the new
// board's own MAC (or the old one), verified, and with --reboot the board is restarted
// and waited for at its new address.
int replaceBoard(const CommandLine& line, const CommonOptions& options, const BoardConfig& backup,
                 quint32 target)
{
    const bool force = line.isSet(QStringLiteral("force"));
    const quint32 oldAddress = addressOf(backup.fields.ip);
    if (options.dryRun)
        throw UsageError{QStringLiteral("--to reads the new board first: it has no --dry-run")};
    Session session(options);
    const BoardRead now = readBoard(session, target, Memory::Permanent, Completeness::Complete);
    if (!now.config) {
        err() << "talvikctl: " << dottedText(target) << ": the new board gave no configuration (" << now.error
              << "); nothing was written" << Qt::endl;
        return NoReply;
    }
    if (oldAddress != target && !force) {
        const Timing once{options.timing.timeoutMs, options.timing.retries};
        if (session.client().request(oldAddress, buildReadFrame('C'),
                                     acceptConfiguration(Completeness::Block, nullptr), once)) {
            err() << "talvikctl: a board still answers at " << dottedText(oldAddress)
                  << ", the backup's address: the old board must be gone before its replacement takes the "
                     "address (--force writes anyway); nothing was written"
                  << Qt::endl;
            return Usage;
        }
    }
    const BoardConfig config{
        target, replacementFields(backup.fields, now.config->fields, line.isSet(QStringLiteral("take-mac"))),
        std::nullopt, Memory::Permanent};
    if (const QString why = unlessForced(config); !force && !why.isEmpty()) {
        err() << "talvikctl: " << why << "; nothing was written" << Qt::endl;
        return Usage;
    }
    Journal journal;
    const Result result = writeAndVerify(session, journal, QStringLiteral("talvikctl apply --to"), now.config,
                                         config, !line.isSet(QStringLiteral("no-verify")));
    report(target, result, options.json);
    if (exitOf(result.outcome) != Success || !line.isSet(QStringLiteral("reboot")))
        return exitOf(result.outcome);
    const Rebooted r = rebootOne(session, target, true, 30, oldAddress);
    if (!r.upAfterSeconds) {
        err() << "talvikctl: " << dottedText(target) << " was rebooted but does not answer at "
              << dottedText(oldAddress) << Qt::endl;
        return NoReply;
    }
    err() << "talvikctl: " << dottedText(target) << " rebooted; it answers at " << dottedText(oldAddress)
          << " after " << QString::number(*r.upAfterSeconds, 'f', 1) << " s" << Qt::endl;
    return Success;
}
} // namespace

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
    line.parse(args);
    QStringList files;
    for (const QString& path : line.positional()) {
        if (QFileInfo(path).isDir()) {
            for (const QString& name :
                 QDir(path).entryList({QStringLiteral("*.conf")}, QDir::Files, QDir::Name))
                files.append(QDir(path).filePath(name));
        }
        else {
            files.append(path);
        }
    }
    if (files.isEmpty())
        throw UsageError{QStringLiteral("no backup file given")};
    const bool force = line.isSet(QStringLiteral("force"));
    QList<Backup> backups;
    QList<BoardConfig> configs;
    for (const QString& file : files) { // every file is read before anything is sent
        configs.append(readBackup(file));
        backups.append({file, configs.last()});
        if (configs.last().memory != Memory::Permanent && !force)
            throw UsageError{QStringLiteral("%1 holds the %2 configuration, and apply writes the permanent "
                                            "memory, which the board boots with: use a backup of the "
                                            "permanent memory (survey --save), or --force")
                                 .arg(file, configs.last().memory == Memory::Working
                                                ? QStringLiteral("working")
                                                : QStringLiteral("board's (of unknown memory)"))};
        if (const QString why = unlessForced(configs.last()); !force && !why.isEmpty())
            throw UsageError{file + QStringLiteral(": ") + why};
    }
    if (const auto twice = sameBoardTwice(backups))
        throw UsageError{QStringLiteral("%1 and %2 are both backups of %3: give one")
                             .arg(twice->first, twice->second, dottedText(twice->board))};
    const CommonOptions options = line.common();
    const bool verify = !line.isSet(QStringLiteral("no-verify"));
    if (line.isSet(QStringLiteral("to"))) {
        if (configs.size() != 1)
            throw UsageError{QStringLiteral("--to writes one backup: give one FILE")};
        return replaceBoard(line, options, configs.first(), boardArgument(line.value(QStringLiteral("to"))));
    }
    if (line.isSet(QStringLiteral("take-mac")) || line.isSet(QStringLiteral("reboot")))
        throw UsageError{QStringLiteral("--take-mac and --reboot go with --to")};
    if (options.dryRun) {
        for (const BoardConfig& config : configs) {
            for (quint16 port : options.commandPorts)
                printFrame(config.address, port, buildWriteFrame(config.fields), options.json);
            for (quint16 port : verify ? options.commandPorts : QList<quint16>{})
                printFrame(config.address, port, buildReadFrame('d'), options.json);
        }
        return Success;
    }

    Session session(options);
    Journal journal;
    Progress progress(QStringLiteral("apply"), int(configs.size()));
    int succeeded = 0, failed = 0, worst = NoReply;
    for (const BoardConfig& config : configs) {
        const BoardRead before =
            readBoard(session, config.address, Memory::Permanent, Completeness::Complete);
        const Result result = writeAndVerify(session, journal, QStringLiteral("talvikctl apply"),
                                             before.config, config, verify);
        progress.step();
        report(config.address, result, options.json);
        const int code = exitOf(result.outcome);
        (code == Success ? succeeded : failed)++;
        if (code == Mismatch || code == JournalFailed)
            worst = code;
        if (code == JournalFailed)
            break; // no later write would be journaled either
    }
    return combinedExit(succeeded, failed, worst);
}

} // namespace talvik::ctl
