// talvikctl history and undo: the journal of writes, newest first, and the permanent
// memory of a board put back as it was before its last journaled write.

#include "board/untrusted_text.h"
#include "commands.h"
#include "job_report.h"
#include "journal/journal.h"
#include "output.h"
#include "session.h"
#include "wire/board_address.h"

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
            {QStringLiteral("outcome"), e.result ? QJsonValue(outcomeKey(e.result->outcome)) : QJsonValue()},
            {QStringLiteral("reason"), e.result && e.result->reason != Reason::None
                                           ? QJsonValue(reasonKey(e.result->reason))
                                           : QJsonValue()},
            {QStringLiteral("not_written"),
             e.result ? QJsonArray::fromStringList(e.result->notWritten) : QJsonArray()},
            {QStringLiteral("result"), e.resultText.isEmpty() ? QJsonValue() : QJsonValue(e.resultText)},
            {QStringLiteral("ok"), e.ok}};
}

std::optional<BoardAddress> boardOf(const CommandLine& line, const QString& command, bool needed)
{
    if (line.positional().size() > 1 || (needed && line.positional().isEmpty()))
        throw UsageError{
            QStringLiteral("%1 takes %2ADDRESS").arg(command, needed ? QString() : QStringLiteral("one "))};
    return line.positional().isEmpty() ? std::nullopt
                                       : std::optional<BoardAddress>(boardArgument(line.positional()[0]));
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
    const std::optional<BoardAddress> board = boardOf(line, QStringLiteral("history"), false);
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
                       e.resultText.isEmpty() ? QStringLiteral("(no result)") : e.resultText,
                       changesText(e)});
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
        Output | Requests | Ports | DryRun);
    line.parser.addPositionalArgument(QStringLiteral("ADDRESS"), QStringLiteral("The board."));
    line.parser.addOptions({{QStringLiteral("force"),
                             QStringLiteral("Undo also when the board was changed since, or the values are "
                                            "ones a static console's frame cannot carry.")}});
    line.parse(args);
    const BoardAddress board = *boardOf(line, QStringLiteral("undo"), true);
    const CommonOptions options = line.common();
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

    Session session(options, false, &journal);
    JobOptions job;
    job.timing = options.timing;
    job.force = line.isSet(QStringLiteral("force"));
    job.dryRun = options.dryRun;
    job.by = QStringLiteral("talvikctl undo");
    JobReport report(JobReport::Write, QStringLiteral("undo"), line, line.positional());
    const JobSummary summary = runJob(
        session,
        [&] {
            session.jobs().write({{board, WritePlan::ofUndo(before, last->frame)}}, job);
        },
        [&](const BoardResult& r) { report.board(r); });
    return report.finish(summary);
}

} // namespace talvik::ctl
