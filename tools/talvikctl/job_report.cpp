#include "job_report.h"

#include "client/configuration_reply.h"
#include "commands.h"
#include "interrupt.h"
#include "output.h"
#include "session.h"

#include <QEventLoop>
#include <QJsonArray>
#include <QJsonValue>

namespace talvik::ctl {

namespace {
bool wasInterrupted = false;

QString ipProblemText(IpProblem problem, const WriteFields& f)
{
    const QString ip = dottedText(f.ip), mask = dottedText(f.mask);
    switch (problem) {
    case IpProblem::Zero:
        return QStringLiteral("ip 0.0.0.0 is no host's address");
    case IpProblem::Broadcast:
        return QStringLiteral("ip 255.255.255.255 is the broadcast address");
    case IpProblem::Multicast:
        return QStringLiteral("ip %1 is a multicast or reserved address").arg(ip);
    case IpProblem::Loopback:
        return QStringLiteral("ip %1 is a loopback address: the board would answer no one").arg(ip);
    case IpProblem::NetworkOfMask:
        return QStringLiteral("ip %1 is the network address of mask %2").arg(ip, mask);
    case IpProblem::BroadcastOfMask:
        return QStringLiteral("ip %1 is the broadcast address of mask %2").arg(ip, mask);
    case IpProblem::MaskNotContiguous:
        break;
    }
    return QStringLiteral("mask %1 has a gap in its one bits").arg(mask);
}

// "ident=1002, dispatcher=10.0.0.5": the values of the named fields.
QString valuesOf(const QStringList& names, const WriteFields& fields, BoardAddress board)
{
    QStringList values;
    for (const auto& [name, text] : fieldTexts({board, fields, std::nullopt, Memory::Unknown}))
        if (names.contains(name))
            values.append(name + u'=' + text);
    return values.join(QLatin1String(", "));
}

// Why nothing was written to a board, when the rules refused or it gave no base.
QString notWrittenWhy(const BoardResult& r)
{
    if (r.outcome == Outcome::Refused) {
        const WriteFields planned = r.config ? r.config->fields : WriteFields{};
        QStringList why;
        for (const Refusal& refusal : r.refusals)
            why.append(refusalText(refusal, planned, r.board));
        return why.join(QLatin1String("; "));
    }
    return QStringLiteral("its permanent memory gave no base for a write (%1)")
        .arg(noAnswerText(r.reason, r.replyBytes));
}

bool gaveNoBase(const BoardResult& r)
{
    return r.outcome == Outcome::Failed && !r.sent;
}

// What a board's line says in its "result".
QString lineText(const BoardResult& r)
{
    if (r.outcome == Outcome::Refused)
        return QStringLiteral("refused: ") + notWrittenWhy(r);
    if (gaveNoBase(r))
        return QStringLiteral("not written: ") + notWrittenWhy(r);
    if (r.outcome == Outcome::NotTried)
        return r.reason == Reason::JournalFailed
                   ? QStringLiteral("not tried: the journal cannot be written")
                   : QStringLiteral("not tried: the job stopped at its failure limit");
    if (r.outcome == Outcome::Planned)
        return QStringLiteral("would be written");
    return resultText(r);
}

// The exit code that says most of a run: the journal, a mismatch, a refusal, then no reply.
int severity(int code)
{
    switch (code) {
    case JournalFailed:
        return 5;
    case Mismatch:
        return 4;
    case Usage:
        return 3;
    case InterruptedExit:
        return 2;
    case Success:
        return 0;
    default:
        return 1;
    }
}

// A dry run: what a write would change on a board, field, now and new.
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

QString rebootText(const BoardResult& r)
{
    switch (r.outcome) {
    case Outcome::Done:
        return r.upAfterSeconds ? QStringLiteral("rebooted, back") : QStringLiteral("rebooted");
    case Outcome::NotTried:
        return QStringLiteral("not tried: the job stopped at its failure limit");
    case Outcome::Cancelled:
        return QStringLiteral("cancelled");
    default:
        break;
    }
    return r.reason == Reason::NotBack ? QStringLiteral("acknowledged, not back")
                                       : QStringLiteral("no acknowledgement");
}
} // namespace

JobSummary runJob(Session& session, const std::function<void()>& start,
                  const std::function<void(const BoardResult&)>& each, bool gently)
{
    BoardJobs& jobs = session.jobs();
    QEventLoop loop;
    JobSummary summary;
    const auto done = QObject::connect(&jobs, &BoardJobs::boardDone, &jobs, each);
    const auto end = QObject::connect(&jobs, &BoardJobs::finished, &jobs, [&](const JobSummary& s) {
        summary = s;
        loop.quit();
    });
    if (gently)
        stopGentlyOnInterrupt([&jobs] {
            wasInterrupted = true;
            err() << "talvikctl: interrupted: the boards under way are finished, no other is started"
                  << Qt::endl;
            jobs.stop();
        });
    start();
    if (jobs.running())
        loop.exec();
    stopGentlyOnInterrupt({});
    QObject::disconnect(done);
    QObject::disconnect(end);
    return summary;
}

bool interrupted()
{
    return wasInterrupted;
}

void addJobOptions(CommandLine& line)
{
    line.parser.addOption(
        {QStringLiteral("max-failures"),
         QStringLiteral("Stop after this many boards failed (0: never). Without it: after 3 "
                        "while fewer than 5 were tried, then once a third of those tried failed."),
         QStringLiteral("n")});
}

FailureLimit limitOption(const CommandLine& line)
{
    FailureLimit limit;
    if (line.isSet(QStringLiteral("max-failures")))
        limit.most = numberArgument(QStringLiteral("max-failures"),
                                    line.value(QStringLiteral("max-failures")), 0, int(MostBoards));
    return limit;
}

QString refusalText(const Refusal& refusal, const WriteFields& fields, BoardAddress board)
{
    const QString forced = QStringLiteral(": --force writes it anyway");
    switch (refusal.kind) {
    case Reason::ConsoleOnlyFields: {
        QStringList options;
        for (const QString& name : refusal.fields)
            options.append(QStringLiteral("--") + name);
        return QStringLiteral("%1 travel only with a dynamic console, and this board's is static: add "
                              "--console-dynamic, or leave them out")
            .arg(options.join(QLatin1String(", ")));
    }
    case Reason::DhcpWithStaticConsole:
        return QStringLiteral("the configuration pairs DHCP with a static console, which the window never "
                              "writes: add --console-dynamic or --no-dhcp");
    case Reason::NotCarried:
        return QStringLiteral("%1 cannot be written with a static console (the frame carries zeros instead)")
                   .arg(valuesOf(refusal.fields, fields, board)) +
               forced;
    case Reason::Unreachable: {
        QStringList why;
        for (IpProblem problem : refusal.ipProblems)
            why.append(ipProblemText(problem, fields));
        return why.join(QLatin1String("; ")) + forced;
    }
    case Reason::NotPermanentMemory:
        return QStringLiteral(
                   "the backup holds the working configuration (or does not say which memory), and "
                   "apply writes the permanent memory, which the board boots with: use a backup of the "
                   "permanent memory (survey --save)") +
               forced;
    case Reason::ChangedSince: {
        QStringList since;
        for (const Difference& d : refusal.since)
            since.append(QStringLiteral("%1 is %2, the write left %3").arg(d.field, d.read, d.sent));
        return QStringLiteral("it was changed since that journaled write (%1): --force undoes anyway")
            .arg(since.join(QLatin1String("; ")));
    }
    case Reason::OldBoardAnswers:
        return QStringLiteral("a board still answers at %1, the backup's address: the old board must be gone "
                              "before its replacement takes the address (--force writes anyway)")
            .arg(dottedText(fields.ip));
    default:
        break;
    }
    return reasonKey(refusal.kind);
}

int exitOf(const BoardResult& r)
{
    switch (r.outcome) {
    case Outcome::Done:
    case Outcome::Unverified:
    case Outcome::Planned:
        return Success;
    case Outcome::Mismatch:
        return Mismatch;
    case Outcome::Refused:
        return Usage;
    case Outcome::Cancelled:
        return InterruptedExit;
    case Outcome::Failed:
        if (r.reason == Reason::NotJournaled)
            return JournalFailed;
        break;
    case Outcome::NotTried:
        break;
    }
    return NoReply;
}

JobReport::JobReport(Kind kind, const QString& job, const CommandLine& line, const QStringList& targets,
                     const QStringList& fileOptions, const SiteIndex& sites)
    : kind_(kind), options_(line.common()),
      table_(kind == Reboot
                 ? std::make_unique<Table>(QList<Table::Column>{{QStringLiteral("ADDRESS"), 16},
                                                                {QStringLiteral("ACKNOWLEDGED"), 13},
                                                                {QStringLiteral("UP AFTER (S)"), 13},
                                                                {QStringLiteral("RESULT"), 0}})
                 : std::make_unique<Table>(QList<Table::Column>{{{}, 16}, {{}, 12}, {{}, 18}, {}}, false)),
      sites_(sites)
{
    if (!options_.json || options_.dryRun)
        return;
    printJson({{QStringLiteral("job"), job},
               {QStringLiteral("options"), QJsonArray::fromStringList(line.replayOptions(fileOptions))},
               {QStringLiteral("targets"), QJsonArray::fromStringList(targets)}});
}

void JobReport::board(const BoardResult& r, const QString& file)
{
    const int code = exitOf(r);
    (code == Success ? succeeded_ : failed_)++;
    if (severity(code) > severity(worst_))
        worst_ = code;
    only_ = code;
    messages(r);
    kind_ == Reboot ? rebootLine(r) : writeLine(r, file);
}

void JobReport::messages(const BoardResult& r)
{
    const QString board = QStringLiteral("talvikctl: ") + dottedText(r.board) + QStringLiteral(": ");
    if (kind_ == Write && (r.outcome == Outcome::Refused || gaveNoBase(r)))
        err() << board << notWrittenWhy(r) << "; nothing was written" << Qt::endl;
    if (!r.notWritten.isEmpty() && r.sent)
        err() << board << "not written: " << r.notWritten.join(QLatin1String(", "))
              << " (a write frame with a static console carries none of them)" << Qt::endl;
    if (!r.journalProblem.isEmpty())
        err() << board << "written, but its result is not in the journal: " << r.journalProblem << Qt::endl;
}

void JobReport::writeLine(const BoardResult& r, const QString& file)
{
    if (r.outcome == Outcome::Planned && r.before && r.config)
        return printChanges(*r.before, r.config->fields, options_.json);
    if (options_.json) {
        QJsonArray diffs;
        for (const Difference& d : r.differences)
            diffs.append(QJsonObject{{QStringLiteral("field"), d.field},
                                     {QStringLiteral("sent"), d.sent},
                                     {QStringLiteral("read"), d.read}});
        QJsonObject o{
            {QStringLiteral("address"), dottedText(r.board)},
            {QStringLiteral("outcome"), outcomeKey(r.outcome)},
            {QStringLiteral("reason"), r.reason == Reason::None ? QJsonValue() : reasonKey(r.reason)},
            {QStringLiteral("result"), lineText(r)},
            {QStringLiteral("ok"), succeeded(r.outcome)},
            {QStringLiteral("differences"), diffs},
            {QStringLiteral("not_written"), QJsonArray::fromStringList(r.notWritten)}};
        if (!file.isEmpty())
            o.insert(QStringLiteral("file"), file);
        if (const QString site = sites_.label(r.board); !site.isEmpty())
            o.insert(QStringLiteral("site"), site);
        return printJson(o);
    }
    if (r.outcome == Outcome::Refused || gaveNoBase(r)) // said on stderr
        return;
    table_->row({dottedText(r.board), lineText(r)});
    for (const Difference& d : r.differences)
        table_->row(
            {QString(), d.field, QStringLiteral("written ") + d.sent, QStringLiteral("read back ") + d.read});
}

void JobReport::rebootLine(const BoardResult& r)
{
    if (options_.json)
        return printJson(
            {{QStringLiteral("address"), dottedText(r.board)},
             {QStringLiteral("outcome"), outcomeKey(r.outcome)},
             {QStringLiteral("reason"), r.reason == Reason::None ? QJsonValue() : reasonKey(r.reason)},
             {QStringLiteral("result"), rebootText(r)},
             {QStringLiteral("acknowledged"), r.acknowledged},
             {QStringLiteral("up_after_s"), r.upAfterSeconds ? QJsonValue(*r.upAfterSeconds) : QJsonValue()},
             {QStringLiteral("ok"), succeeded(r.outcome)}});
    table_->row({dottedText(r.board), r.acknowledged ? QStringLiteral("yes") : QStringLiteral("no"),
                 r.upAfterSeconds ? QString::number(*r.upAfterSeconds, 'f', 1) : QStringLiteral("-"),
                 rebootText(r)});
}

int JobReport::finish(const JobSummary& s)
{
    switch (s.stoppedBy) {
    case Reason::FailureLimit:
        err() << "talvikctl: stopped after " << s.failuresAtStop << " of " << s.triedAtStop
              << " boards tried failed; " << s.notTried
              << " not tried (talvikctl retry with the --json output tries the failed ones again)"
              << Qt::endl;
        break;
    case Reason::JournalFailed:
        err() << "talvikctl: the journal cannot be written, so no write is sent; " << s.notTried
              << " not tried" << Qt::endl;
        break;
    case Reason::Cancelled:
        err() << "talvikctl: " << s.cancelled << " of " << s.total << " boards cancelled" << Qt::endl;
        break;
    default:
        break;
    }
    if (interrupted())
        return InterruptedExit;
    if (s.total == 1)
        return only_;
    return combinedExit(succeeded_, failed_, worst_);
}

} // namespace talvik::ctl
