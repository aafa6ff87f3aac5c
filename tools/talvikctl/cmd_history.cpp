// talvikctl history and undo: the journal of writes, newest first, and the permanent
// memory of a board put back as it was before its last journaled write.

#include "client/untrusted_text.h"
#include "commands.h"
#include "output.h"
#include "session.h"
#include "wire/board_address.h"
#include "write_steps.h"

#include <QJsonArray>

namespace talvik::ctl {

namespace {
// "mask 255.0.0.0 -> 255.255.255.0; ident 5 -> 6": what the write changed against its before.
QString changesText(const JournalEntry& e)
{
    if (!e.before)
        return QStringLiteral("(memory before not known)");
    QStringList changes;
    for (const ChangedField& c : changedFields(*e.before, e.sent))
        changes.append(QStringLiteral("%1 %2 -> %3").arg(c.field, c.now, c.next));
    return changes.isEmpty() ? QStringLiteral("(no field changed)") : changes.join(QLatin1String("; "));
}

QJsonObject entryJson(const JournalEntry& e)
{
    return {{QStringLiteral("id"), e.id},
            {QStringLiteral("time"), e.time.toString(Qt::ISODateWithMs)},
            {QStringLiteral("address"), dottedText(e.board)},
            {QStringLiteral("by"), e.by},
            {QStringLiteral("before"), e.before ? QJsonValue(toJson(*e.before)) : QJsonValue()},
            {QStringLiteral("sent"), toJson(e.sent)},
            {QStringLiteral("result"), e.result.isEmpty() ? QJsonValue() : QJsonValue(e.result)},
            {QStringLiteral("ok"), e.ok}};
}

std::optional<quint32> boardOf(const CommandLine& line, const QString& command, bool needed)
{
    if (line.positional().size() > 1 || (needed && line.positional().isEmpty()))
        throw UsageError{
            QStringLiteral("%1 takes %2ADDRESS").arg(command, needed ? QString() : QStringLiteral("one "))};
    return line.positional().isEmpty() ? std::nullopt
                                       : std::optional<quint32>(boardArgument(line.positional()[0]));
}
} // namespace

int runHistory(const QStringList& args)
{
    CommandLine line(
        QStringLiteral("history"),
        QStringLiteral("The journal of writes (talvikctl's, the configurator's and the fleet "
                       "window's), newest first: when, which board, by what, what changed against "
                       "the permanent memory before, and the result."),
        Output);
    line.parser.addPositionalArgument(QStringLiteral("[ADDRESS]"),
                                      QStringLiteral("Only this board's writes."));
    line.parse(args);
    const std::optional<quint32> board = boardOf(line, QStringLiteral("history"), false);
    const CommonOptions options = line.common();
    Journal journal;
    QStringList problems;
    const QList<JournalEntry> entries = journal.entries(board, &problems);
    for (const QString& problem : problems)
        err() << "talvikctl: " << quoted(problem, 400) << Qt::endl;
    Table table({{QStringLiteral("time"), 24},
                 {QStringLiteral("address"), 16},
                 {QStringLiteral("by"), 22},
                 {QStringLiteral("result"), 30},
                 {QStringLiteral("changes"), 0}});
    for (const JournalEntry& e : entries) {
        if (options.json)
            printJson(entryJson(e));
        else
            table.row({e.time.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")),
                       dottedText(e.board), e.by,
                       e.result.isEmpty() ? QStringLiteral("(no result)") : e.result, changesText(e)});
    }
    return Success;
}

int runUndo(const QStringList& args)
{
    CommandLine line(
        QStringLiteral("undo"),
        QStringLiteral("Writes back the permanent memory a board held before its last journaled "
                       "write, verified and itself journaled (so a second undo redoes). Refused "
                       "when the board holds something else than that write left, unless --force."),
        Output | Requests | Ports);
    line.parser.addPositionalArgument(QStringLiteral("ADDRESS"), QStringLiteral("The board."));
    line.parser.addOptions({{QStringLiteral("force"),
                             QStringLiteral("Undo also when the board was changed since, or the values are "
                                            "ones a static console's frame cannot carry.")}});
    line.parse(args);
    const quint32 board = *boardOf(line, QStringLiteral("undo"), true);
    const CommonOptions options = line.common();
    const bool force = line.isSet(QStringLiteral("force"));
    Journal journal;
    QStringList problems;
    const QList<JournalEntry> entries = journal.entries(board, &problems);
    const auto last =
        std::find_if(entries.begin(), entries.end(), [](const JournalEntry& e) { return e.before; });
    if (last == entries.end())
        throw UsageError{
            QStringLiteral("the journal holds no write to %1 with the memory it replaced: nothing "
                           "to undo")
                .arg(dottedText(board))};
    BoardConfig before = *last->before;
    before.address = board;
    if (const QString why = unlessForced(before); !force && !why.isEmpty())
        throw UsageError{why};

    Session session(options);
    const BoardRead now = readBoard(session, board, Memory::Permanent, Completeness::Complete);
    if (!now.config) {
        err() << "talvikctl: " << dottedText(board) << ": no answer to a read of its permanent memory ("
              << now.error << "); nothing was written" << Qt::endl;
        return NoReply;
    }
    if (const QList<Difference> since = differencesAfterWrite(last->frame, *now.config);
        !since.isEmpty() && !force) {
        QStringList fields;
        for (const Difference& d : since)
            fields.append(QStringLiteral("%1 is %2, the write of %3 left %4")
                              .arg(d.field, d.read, last->time.toLocalTime().toString(Qt::ISODate), d.sent));
        err() << "talvikctl: " << dottedText(board) << " was changed since its last journaled write ("
              << fields.join(QLatin1String("; ")) << "): --force undoes anyway; nothing was written"
              << Qt::endl;
        return Usage;
    }
    const Result result =
        writeAndVerify(session, journal, QStringLiteral("talvikctl undo"), now.config, before, true);
    report(board, result, options.json);
    return exitOf(result.outcome);
}

} // namespace talvik::ctl
