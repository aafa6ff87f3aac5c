// talvikctl write: one change on one board or many, each built on its own permanent
// memory (or on a backup file), journaled, sent, read back and compared, board after
// board; --dry-run shows each board's changes and writes nothing.

#include "commands.h"
#include "output.h"
#include "session.h"
#include "wire/board_address.h"
#include "write_steps.h"

#include <QJsonArray>

namespace talvik::ctl {

namespace {
// What a write would change on a board: field, now, new.
void printChanges(const BoardConfig& now, const WriteFields& fields, bool json)
{
    const QList<ChangedField> changes =
        changedFields(now, BoardConfig{now.address, fields, now.version, Memory::Permanent});
    if (json) {
        QJsonArray rows;
        for (const ChangedField& c : changes)
            rows.append(QJsonObject{{QStringLiteral("field"), c.field},
                                    {QStringLiteral("now"), c.now},
                                    {QStringLiteral("new"), c.next}});
        printJson({{QStringLiteral("address"), dottedText(now.address)}, {QStringLiteral("changes"), rows}});
        return;
    }
    Table table({{{}, 16}, {{}, 12}, {{}, 18}, {}}, false);
    table.row({dottedText(now.address), QStringLiteral("would change")});
    for (const ChangedField& c : changes)
        table.row({QString(), c.field, c.now, QStringLiteral("-> ") + c.next});
    if (changes.isEmpty())
        table.row({QString(), QStringLiteral("(nothing: it holds these values)")});
}

struct WriteJob {
    const CommonOptions& options;
    const FieldChange& change;
    bool force, verify;
};

// One board of a write without a backup: its permanent memory read as the base, the
// options applied, checked, then written (or, with --dry-run, its changes shown).
int writeOnItsOwnBase(Session& session, Journal& journal, const WriteJob& job, quint32 board)
{
    const BoardRead read = readBoard(session, board, Memory::Permanent, Completeness::Complete);
    if (!read.config) {
        err() << "talvikctl: " << dottedText(board) << ": its permanent memory gave no base for a write ("
              << read.error << "); nothing was written (--from FILE gives every field)" << Qt::endl;
        return NoReply;
    }
    const WriteFields fields = withChange(read.config->fields, job.change);
    QString why = refusal(fields, job.change);
    if (why.isEmpty() && !job.force)
        why = unlessForced({board, fields, std::nullopt, Memory::Permanent});
    if (!why.isEmpty()) {
        err() << "talvikctl: " << dottedText(board) << ": " << why << "; nothing was written" << Qt::endl;
        return Usage;
    }
    if (job.options.dryRun) {
        printChanges(*read.config, fields, job.options.json);
        return Success;
    }
    const Result result =
        writeAndVerify(session, journal, QStringLiteral("talvikctl write"), read.config,
                       BoardConfig{board, fields, std::nullopt, Memory::Permanent}, job.verify);
    report(board, result, job.options.json);
    return exitOf(result.outcome);
}
} // namespace

int runWrite(const QStringList& args)
{
    CommandLine line(
        QStringLiteral("write"),
        QStringLiteral("Writes a configuration to boards with the window's write frame, board after board, "
                       "then reads each one's permanent memory back and compares field by field. The values "
                       "are the options given, on top of a backup file (--from, one board) or else of what "
                       "each board's permanent memory holds now (a whole configuration reply with a "
                       "version: anything less is no base for a write). Every write is journaled first "
                       "(talvikctl history). With --dry-run and no --from, each board's permanent memory is "
                       "read and the changes shown; nothing is written."),
        Output | Requests | Ports | DryRun);
    line.parser.addPositionalArgument(QStringLiteral("ADDRESS|RANGE..."),
                                      QStringLiteral("The boards the frame goes to."));
    addFieldOptions(line);
    line.parse(args);
    const bool force = line.isSet(QStringLiteral("force"));
    if (line.positional().isEmpty())
        throw UsageError{QStringLiteral("write takes ADDRESS or RANGE...")};
    const QList<quint32> boards = targetsArgument(line.positional());
    const CommonOptions options = line.common();
    const bool verify = !line.isSet(QStringLiteral("no-verify"));
    std::optional<BoardConfig> base;
    if (line.isSet(QStringLiteral("from"))) {
        if (boards.size() != 1)
            throw UsageError{QStringLiteral("--from writes one board: give one ADDRESS")};
        base = readBackup(line.value(QStringLiteral("from")));
    }
    const FieldChange change = changeOptions(line); // every value is checked before a board is asked
    const WriteFields fields = withChange(base ? base->fields : WriteFields{}, change);
    if (base) {
        if (const QString why = refusal(fields, change); !why.isEmpty())
            throw UsageError{why};
        if (const QString why = unlessForced({boards.first(), fields, std::nullopt, Memory::Permanent});
            !force && !why.isEmpty())
            throw UsageError{why};
        if (options.dryRun) {
            for (quint16 port : options.commandPorts)
                printFrame(boards.first(), port, buildWriteFrame(fields), options.json);
            for (quint16 port : verify ? options.commandPorts : QList<quint16>{})
                printFrame(boards.first(), port, buildReadFrame('d'), options.json);
            return Success;
        }
    }

    Session session(options);
    Journal journal;
    if (base) {
        const BoardRead before =
            readBoard(session, boards.first(), Memory::Permanent, Completeness::Complete);
        const Result result =
            writeAndVerify(session, journal, QStringLiteral("talvikctl write"), before.config,
                           BoardConfig{boards.first(), fields, std::nullopt, Memory::Permanent}, verify);
        report(boards.first(), result, options.json);
        return exitOf(result.outcome);
    }
    const WriteJob job{options, change, force, verify};
    Progress progress(QStringLiteral("write"), int(boards.size()));
    int succeeded = 0, failed = 0, worst = NoReply;
    for (quint32 board : boards) {
        const int code = writeOnItsOwnBase(session, journal, job, board);
        progress.step();
        (code == Success ? succeeded : failed)++;
        if (code != Success && code != NoReply)
            worst = code;
        if (code == JournalFailed)
            break; // no later write would be journaled either
    }
    return boards.size() == 1 ? (succeeded ? Success : worst) : combinedExit(succeeded, failed, worst);
}

} // namespace talvik::ctl
