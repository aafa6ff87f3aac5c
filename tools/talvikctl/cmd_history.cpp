// talvikctl history and undo: the journal of writes and of jobs, newest first; a board's
// permanent memory put back as it was before its last journaled write, or every board of a
// job (and its retries) put back as it was before the job.

#include "board/untrusted_text.h"
#include "client/journal_plans.h"
#include "commands.h"
#include "job_report.h"
#include "journal/journal.h"
#include "output.h"
#include "session.h"
#include "wire/board_address.h"

#include <QJsonArray>

namespace talvik::ctl {

namespace {
QString changesText(const std::optional<BoardConfig>& before, const BoardConfig& sent)
{
    if (!before)
        return QStringLiteral("(memory before not known)");
    QStringList changes;
    for (const ChangedField& c : changedFields(*before, sent))
        changes.append(QStringLiteral("%1 %2 -> %3").arg(c.field, c.now, c.next));
    return changes.isEmpty() ? QStringLiteral("(no field changed)") : changes.join(QLatin1String("; "));
}

// "mask 255.0.0.0 -> 255.255.255.0; ident 5 -> 6": what the write changed against its before.
QString changesText(const JournalEntry& e)
{
    return changesText(e.before, e.sent);
}

QJsonArray changesJson(const JournalEntry& e)
{
    QJsonArray out;
    if (e.before)
        for (const ChangedField& c : changedFields(*e.before, e.sent))
            out.append(QJsonObject{{QStringLiteral("field"), c.field},
                                   {QStringLiteral("now"), c.now},
                                   {QStringLiteral("new"), c.next}});
    return out;
}

QJsonValue orNull(const QString& text)
{
    return text.isEmpty() ? QJsonValue() : QJsonValue(text);
}

QJsonObject entryJson(const JournalEntry& e)
{
    return {{QStringLiteral("id"), e.id},
            {QStringLiteral("job"), orNull(e.job)},
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
            {QStringLiteral("result"), orNull(e.resultText)},
            {QStringLiteral("ok"), e.ok}};
}

QString localTime(const QDateTime& time)
{
    return time.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

// What a job writes, in a few words: "change mask=255.255.0.0", "apply 60 backups", ...
QString whatText(const JobRecord& j)
{
    if (j.what == QLatin1String("change") && j.change) {
        QStringList fields;
        for (const auto& [name, text] : fieldTexts(*j.change))
            fields.append(name + u'=' + text);
        return QStringLiteral("change ") + fields.join(QLatin1String(", "));
    }
    if (j.what == QLatin1String("apply"))
        return QStringLiteral("apply %1 backups").arg(j.sources.size());
    if (j.what == QLatin1String("undo"))
        return j.undoes.isEmpty() ? QStringLiteral("undo") : QStringLiteral("undo of ") + j.undoes;
    if (j.what == QLatin1String("reboot") && j.rebootWaitSeconds > 0)
        return QStringLiteral("reboot, waited for");
    return j.what;
}

// "olena@DISPATCH-2 (Олена Коваль)": who ran it, as far as the journal knows.
QString whoText(const JobRecord& j)
{
    QString who = j.user.isEmpty() ? QStringLiteral("?") : j.user;
    if (!j.host.isEmpty())
        who += u'@' + j.host;
    if (!j.operatorName.isEmpty())
        who += QStringLiteral(" (%1)").arg(j.operatorName);
    return escapeControls(who);
}

QString countsText(const JobRecord& j)
{
    QStringList parts;
    for (const auto& [key, n] : j.counts.byKey())
        if (n > 0)
            parts.append(QStringLiteral("%1 %2").arg(n).arg(key));
    if (const int notReached = int(j.boards.size()) - j.reached; !j.ended && notReached > 0)
        parts.append(QStringLiteral("%1 not reached").arg(notReached));
    return parts.join(QLatin1String(", "));
}

QJsonObject jobJson(const JobRecord& j)
{
    QJsonObject counts;
    for (const auto& [key, n] : j.counts.byKey())
        counts.insert(key, n);
    return {
        {QStringLiteral("job"), j.id},
        {QStringLiteral("time"), j.time.toString(Qt::ISODateWithMs)},
        {QStringLiteral("by"), j.by},
        {QStringLiteral("user"), orNull(j.user)},
        {QStringLiteral("host"), orNull(j.host)},
        {QStringLiteral("operator"), orNull(j.operatorName)},
        {QStringLiteral("what"), j.what},
        {QStringLiteral("boards"), int(j.boards.size())},
        {QStringLiteral("counts"), counts},
        {QStringLiteral("not_reached"), j.ended ? 0 : int(j.boards.size()) - j.reached},
        {QStringLiteral("ended"), j.ended},
        {QStringLiteral("stopped_by"), j.stoppedBy == Reason::None ? QJsonValue() : reasonKey(j.stoppedBy)},
        {QStringLiteral("retry_of"), orNull(j.retryOf)},
        {QStringLiteral("undoes"), orNull(j.undoes)}};
}

void printProblems(const QStringList& problems)
{
    for (const QString& problem : problems)
        err() << "talvikctl: " << quoted(problem, 400) << Qt::endl;
}

int listJobs(const Journal& journal, bool json)
{
    Table table({{QStringLiteral("JOB"), 24},
                 {QStringLiteral("TIME"), 19},
                 {QStringLiteral("BY"), 26},
                 {QStringLiteral("WHO"), 24},
                 {QStringLiteral("WHAT"), 24},
                 {QStringLiteral("BOARDS"), 6},
                 {QStringLiteral("ENDED"), 5},
                 {QStringLiteral("OUTCOMES"), 0}});
    QStringList problems;
    journal.forEachJob(
        [&](const JobRecord& j) {
            if (json)
                printJson(jobJson(j));
            else
                table.row({j.id, localTime(j.time), j.by, whoText(j), whatText(j),
                           QString::number(j.boards.size()),
                           j.ended ? QStringLiteral("yes") : QStringLiteral("no"), countsText(j)});
            return true;
        },
        &problems);
    printProblems(problems);
    return Success;
}

// Each board of one job: what became of it in the job, and what its write changed.
int showJob(const Journal& journal, const QString& id, bool json)
{
    JournalProblem problem;
    const std::optional<RollOut> r = journal.rollOut(id, &problem, {}, Journal::JobAlone);
    if (!r)
        throw UsageError{journalProblemText(problem)};
    if (json)
        printJson(QJsonObject{{QStringLiteral("job"), jobJson(r->job)}});
    else
        err() << "talvikctl: job " << r->job.id << ", " << whatText(r->job) << " by "
              << quoted(r->job.by, 100) << ", " << whoText(r->job) << ", " << localTime(r->job.time)
              << (r->job.ended ? "" : ", not ended") << Qt::endl;
    Table table(
        {{QStringLiteral("ADDRESS"), 16}, {QStringLiteral("OUTCOME"), 34}, {QStringLiteral("CHANGES"), 0}});
    for (const RollOutBoard& b : r->boards) {
        const std::optional<JournalEntry>& write = b.lastVerified ? b.lastVerified : b.firstWrite;
        const QString outcome =
            b.sentWithoutResult ? QStringLiteral("sent, no result (the program ended)")
            : !b.last           ? QStringLiteral("not reached")
            : b.last->reason == Reason::None || reasonKey(b.last->reason) == outcomeKey(b.last->outcome)
                ? outcomeKey(b.last->outcome)
                : outcomeKey(b.last->outcome) + QStringLiteral(": ") + reasonKey(b.last->reason);
        if (json)
            printJson(
                {{QStringLiteral("address"), dottedText(b.board)},
                 {QStringLiteral("outcome"), b.last ? QJsonValue(outcomeKey(b.last->outcome)) : QJsonValue()},
                 {QStringLiteral("reason"), b.last && b.last->reason != Reason::None
                                                ? QJsonValue(reasonKey(b.last->reason))
                                                : QJsonValue()},
                 {QStringLiteral("reached"), b.last.has_value() || b.sentWithoutResult},
                 {QStringLiteral("sent_without_result"), b.sentWithoutResult},
                 {QStringLiteral("write"), write ? QJsonValue(write->id) : QJsonValue()},
                 {QStringLiteral("changes"), write ? changesJson(*write) : QJsonArray()}});
        else
            table.row({dottedText(b.board), outcome, write ? changesText(*write) : QString()});
    }
    return Success;
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
                       "the permanent memory before, and the result. With --jobs, the jobs instead "
                       "(each write, apply, undo and reboot run is one), with what came of their "
                       "boards; with --job ID, each board of one job."),
        Output);
    line.parser.addPositionalArgument(QStringLiteral("[ADDRESS]"),
                                      QStringLiteral("Only this board's writes."));
    line.parser.addOptions({
        {QStringLiteral("jobs"), QStringLiteral("List the jobs, newest first.")},
        {QStringLiteral("job"), QStringLiteral("Each board of this job (an id of --jobs, or \"last\")."),
         QStringLiteral("id")},
    });
    line.parse(args);
    const CommonOptions options = line.common();
    const Journal journal;
    if (line.isSet(QStringLiteral("jobs")) || line.isSet(QStringLiteral("job"))) {
        if (!line.positional().isEmpty() ||
            (line.isSet(QStringLiteral("jobs")) && line.isSet(QStringLiteral("job"))))
            throw UsageError{
                QStringLiteral("history --jobs and --job ID take no ADDRESS, and not each other")};
        return line.isSet(QStringLiteral("jobs"))
                   ? listJobs(journal, options.json)
                   : showJob(journal, line.value(QStringLiteral("job")), options.json);
    }
    const std::optional<BoardAddress> board = boardOf(line, QStringLiteral("history"), false);
    Table table({{QStringLiteral("time"), 24},
                 {QStringLiteral("address"), 16},
                 {QStringLiteral("by"), 22},
                 {QStringLiteral("result"), 30},
                 {QStringLiteral("changes"), 0}});
    QStringList problems;
    journal.forEachEntry(
        board ? std::optional(QSet<BoardAddress>{*board}) : std::nullopt,
        [&](const JournalEntry& e) {
            if (options.json)
                printJson(entryJson(e));
            else
                table.row({localTime(e.time), dottedText(e.board), e.by,
                           e.resultText.isEmpty() ? QStringLiteral("(no result)") : e.resultText,
                           changesText(e)});
            return true;
        },
        &problems);
    printProblems(problems);
    return Success;
}

int runUndo(const QStringList& args)
{
    CommandLine line(
        QStringLiteral("undo"),
        QStringLiteral("Writes back the permanent memory a board held before its last journaled "
                       "write, verified and itself journaled (so a second undo redoes). With --job, every "
                       "board a job (and its retries) wrote successfully, each back to its memory from "
                       "before the job, in waves with the failure limit. Refused for a board that holds "
                       "something else than the write left, or that a later job wrote since, unless "
                       "--force."),
        Output | Requests | Ports | DryRun);
    line.parser.addPositionalArgument(QStringLiteral("ADDRESS"), QStringLiteral("The board."));
    line.parser.addOptions(
        {{QStringLiteral("force"),
          QStringLiteral("Undo also when the board was changed or written since, or the "
                         "values are ones a static console's frame cannot carry.")},
         {QStringLiteral("job"), QStringLiteral("Undo this job (an id of history --jobs, or \"last\")."),
          QStringLiteral("id")}});
    addJobOptions(line);
    line.parse(args);
    const Journal journal;
    QString why;
    if (line.isSet(QStringLiteral("job"))) {
        if (!line.positional().isEmpty())
            throw UsageError{QStringLiteral("undo --job ID takes no ADDRESS")};
        JournalProblem problem;
        const std::optional<JobPlan> plan =
            undoPlan(journal, line.value(QStringLiteral("job")), QStringLiteral("talvikctl undo"), &problem);
        if (!plan)
            throw UsageError{journalProblemText(problem)};
        return runPlan(line, *plan, QStringLiteral("undo"), line.isSet(QStringLiteral("force")),
                       limitOption(line));
    }
    const BoardAddress board = *boardOf(line, QStringLiteral("undo"), true);
    const std::optional<JobPlan> plan =
        undoOfBoardPlan(journal, board, QStringLiteral("talvikctl undo"), &why);
    if (!plan)
        throw UsageError{why};
    return runPlan(line, *plan, QStringLiteral("undo"), line.isSet(QStringLiteral("force")),
                   limitOption(line));
}

} // namespace talvik::ctl
