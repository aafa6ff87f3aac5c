#include "job_report.h"

#include "client/configuration_reply.h"
#include "client/journal_plans.h"
#include "commands.h"
#include "interrupt.h"
#include "journal/journal.h"
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
    if (r.outcome == Outcome::Unchanged)
        return QStringLiteral("unchanged: it holds these values");
    if (!r.takenAtReboot.isEmpty())
        return resultText(r) + QStringLiteral("; takes effect at the next reboot");
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

QJsonArray framesJson(const QList<PlannedFrame>& frames)
{
    QJsonArray out;
    for (const PlannedFrame& f : frames)
        out.append(QJsonObject{{QStringLiteral("port"), int(f.port)},
                               {QStringLiteral("frame"), QString::fromLatin1(f.datagram.toHex())}});
    return out;
}

QJsonArray refusalsJson(const BoardResult& r)
{
    QJsonArray out;
    const WriteFields planned = r.config ? r.config->fields : WriteFields{};
    for (const Refusal& refusal : r.refusals)
        out.append(QJsonObject{{QStringLiteral("reason"), reasonKey(refusal.kind)},
                               {QStringLiteral("fields"), QJsonArray::fromStringList(refusal.fields)},
                               {QStringLiteral("may_be_forced"), refusal.mayBeForced()},
                               {QStringLiteral("text"), refusalText(refusal, planned, r.board)}});
    return out;
}

// "3 written and verified" for each kind of end a job's boards came to, in one order.
QStringList counts(const JobSummary& s)
{
    const bool reboot = s.kind == JobKind::Reboot, read = s.kind == JobKind::Read;
    const QList<QPair<int, QString>> parts{
        {s.done, read     ? QStringLiteral("answered")
                 : reboot ? QStringLiteral("rebooted")
                          : QStringLiteral("written and verified")},
        {s.awaitingReboot, QStringLiteral("written and verified, taking effect at the next reboot")},
        {s.unverified, QStringLiteral("written, not verified")},
        {s.planned, reboot || read ? QStringLiteral("would be sent") : QStringLiteral("would be written")},
        {s.mismatch, QStringLiteral("written but holding something else")},
        {s.failed, read ? QStringLiteral("silent") : QStringLiteral("failed")},
        {s.refused, QStringLiteral("refused")},
        {s.notTried, QStringLiteral("not tried")},
        {s.cancelled, QStringLiteral("cancelled")},
        {s.unchanged, QStringLiteral("unchanged (they hold these values)")},
    };
    QStringList out;
    for (const auto& [n, words] : parts)
        if (n > 0)
            out.append(QString::number(n) + u' ' + words);
    return out;
}
} // namespace

void refuseBeforehand(const QList<WriteTarget>& targets, bool force,
                      const std::function<QString(BoardAddress)>& fileOf)
{
    const QList<BoardResult> refused = BoardJobs::refusedBeforehand(targets, force);
    if (refused.isEmpty())
        return;
    const BoardResult& r = refused.first();
    const QString file = fileOf ? fileOf(r.board) : QString();
    throw UsageError{(file.isEmpty() ? QString() : file + QStringLiteral(": ")) + dottedText(r.board) +
                     QStringLiteral(": ") + refusalText(r.refusals.first(), r.config->fields, r.board)};
}

void printFrames(const BoardResult& planned, bool json)
{
    for (const PlannedFrame& f : planned.frames)
        printFrame(planned.board, f.port, f.datagram, json);
}

QString summaryText(const JobSummary& s)
{
    const QStringList parts = counts(s);
    return QStringLiteral("%1 %2: %3")
        .arg(s.total)
        .arg(s.total == 1 ? QStringLiteral("board") : QStringLiteral("boards"))
        .arg(parts.isEmpty() ? QStringLiteral("nothing done") : parts.join(QLatin1String(", ")));
}

namespace {
// The boards a job ended at once left without their read-back (or reboot's end).
QString addressList(const QList<BoardAddress>& boards)
{
    QStringList names;
    for (BoardAddress b : boards)
        names.append(dottedText(b));
    return names.join(QLatin1String(", "));
}
} // namespace

JobSummary runJob(Session& session, const std::function<void()>& start,
                  const std::function<void(const BoardResult&)>& each, bool gently, JobReport* report)
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
            err() << "talvikctl: interrupted: nothing new is sent; the boards already sent a write are "
                     "read back (Ctrl-C again ends at once, leaving them unverified)"
                  << Qt::endl;
            stopGentlyOnInterrupt([&jobs] {
                err() << "talvikctl: interrupted again: ending at once" << Qt::endl;
                jobs.cancel();
            });
            jobs.stop();
        });
    start();
    if (report)
        report->begin(jobs.jobId());
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
    addOperatorOption(line);
}

void addOperatorOption(CommandLine& line)
{
    line.parser.addOption({QStringLiteral("operator"),
                           QStringLiteral("Who runs it, for the journal beside the system's user and the PC "
                                          "(default: the TALVIK_OPERATOR environment variable)."),
                           QStringLiteral("name")});
}

QString operatorOption(const CommandLine& line)
{
    return line.isSet(QStringLiteral("operator")) ? line.value(QStringLiteral("operator"))
                                                  : qEnvironmentVariable("TALVIK_OPERATOR");
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
    case Reason::WrittenSince:
        return QStringLiteral(
                   "job %1 wrote it since (talvikctl history --job %1): --force writes over it anyway")
            .arg(refusal.other);
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
    case Outcome::Unchanged:
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
      job_(job), replay_(line.replayOptions(fileOptions)), targets_(targets), sites_(sites)
{
}

void JobReport::begin(const QString& journalJob)
{
    if (std::exchange(begun_, true) || !options_.json || options_.dryRun)
        return;
    QJsonObject head{{QStringLiteral("job"), job_},
                     {QStringLiteral("options"), QJsonArray::fromStringList(replay_)},
                     {QStringLiteral("targets"), QJsonArray::fromStringList(targets_)}};
    if (!journalJob.isEmpty())
        head.insert(QStringLiteral("journal_job"), journalJob);
    printJson(head);
}

void JobReport::board(const BoardResult& r, const QString& file)
{
    begin({});
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

void JobReport::plannedLine(const BoardResult& r)
{
    const QList<ChangedField> changes =
        r.before && r.config ? changedFields(*r.before, BoardConfig{r.board, r.config->fields,
                                                                    r.before->version, Memory::Permanent})
                             : QList<ChangedField>{};
    if (options_.json) {
        QJsonArray rows;
        for (const ChangedField& c : changes)
            rows.append(QJsonObject{{QStringLiteral("field"), c.field},
                                    {QStringLiteral("now"), c.now},
                                    {QStringLiteral("new"), c.next}});
        QJsonObject o{
            {QStringLiteral("address"), dottedText(r.board)},
            {QStringLiteral("outcome"), outcomeKey(r.outcome)},
            {QStringLiteral("reason"), r.reason == Reason::None ? QJsonValue() : reasonKey(r.reason)},
            {QStringLiteral("result"), lineText(r)},
            {QStringLiteral("ok"), succeeded(r.outcome)},
            {QStringLiteral("refusals"), refusalsJson(r)},
            {QStringLiteral("changes"), rows},
            {QStringLiteral("not_written"), QJsonArray::fromStringList(r.notWritten)},
            {QStringLiteral("frames"), framesJson(r.frames)}};
        if (const QString site = sites_.label(r.board); !site.isEmpty())
            o.insert(QStringLiteral("site"), site);
        return printJson(o);
    }
    if (r.outcome != Outcome::Planned) // said on stderr
        return;
    table_->row({dottedText(r.board), QStringLiteral("would change")});
    for (const ChangedField& c : changes)
        table_->row({QString(), c.field, c.now, QStringLiteral("-> ") + c.next});
    if (changes.isEmpty())
        table_->row({QString(), QStringLiteral("(nothing: it holds these values)")});
    for (const PlannedFrame& f : r.frames)
        table_->row({QString(), QStringLiteral("port ") + QString::number(f.port),
                     QString::fromLatin1(f.datagram.toHex())});
}

void JobReport::writeLine(const BoardResult& r, const QString& file)
{
    if (options_.dryRun)
        return plannedLine(r);
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
            {QStringLiteral("not_written"), QJsonArray::fromStringList(r.notWritten)},
            {QStringLiteral("taken_at_reboot"), QJsonArray::fromStringList(r.takenAtReboot)},
            {QStringLiteral("refusals"), refusalsJson(r)}};
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
    if (options_.dryRun)
        return printFrames(r, options_.json);
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
    begin(s.jobId);
    if (!options_.quiet || s.unsuccessful() > 0)
        err() << "talvikctl: "
              << (s.jobId.isEmpty() ? QString() : QStringLiteral("job ") + s.jobId + QStringLiteral(": "))
              << summaryText(s) << Qt::endl;
    if (!s.journalProblem.isEmpty() && s.kind == JobKind::Reboot)
        err() << "talvikctl: the job is not in the journal (" << s.journalProblem
              << "): retry --job cannot find it" << Qt::endl;
    if (options_.json && !options_.dryRun) {
        QJsonArray left;
        for (BoardAddress b : s.leftUnverified)
            left.append(dottedText(b));
        printJson(
            {{QStringLiteral("summary"),
              QJsonObject{{QStringLiteral("job"), s.jobId.isEmpty() ? QJsonValue() : QJsonValue(s.jobId)},
                          {QStringLiteral("total"), s.total},
                          {QStringLiteral("counts"),
                           [&] {
                               QJsonObject counts;
                               for (const auto& [key, n] : s.byKey())
                                   counts.insert(key, n);
                               return counts;
                           }()},
                          {QStringLiteral("stopped_by"),
                           s.stoppedBy == Reason::None ? QJsonValue() : QJsonValue(reasonKey(s.stoppedBy))},
                          {QStringLiteral("left_unverified"), left}}}});
    }
    if (!s.leftUnverified.isEmpty())
        err() << "talvikctl: ended at once: " << (kind_ == Reboot ? "the reboot of " : "the write to ")
              << addressList(s.leftUnverified)
              << (kind_ == Reboot ? " was sent and not waited for" : " was sent and not read back")
              << " (talvikctl retry runs them again)" << Qt::endl;
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
    default:
        break;
    }
    if (interrupted())
        return InterruptedExit;
    if (s.total == 1)
        return only_;
    return combinedExit(succeeded_, failed_, worst_);
}

namespace {
// The boards an undo or a retry of a job leaves alone, on stderr.
void sayLeftAlone(const QList<LeftAlone>& left)
{
    int succeeded = 0;
    for (const LeftAlone& l : left) {
        if (l.why == LeftAlone::Succeeded) { // the usual case: counted, not listed
            ++succeeded;
            continue;
        }
        const char* why = l.why == LeftAlone::Refused      ? "the rules refused it"
                          : l.why == LeftAlone::NotWritten ? "the job wrote it nothing that succeeded"
                          : l.why == LeftAlone::NoMemoryBefore
                              ? "its memory before is not in the journal"
                              : "a configurator's write is run again from the configurator";
        err() << "talvikctl: " << dottedText(l.board) << ": left alone: " << why << Qt::endl;
    }
    if (succeeded > 0)
        err() << "talvikctl: " << succeeded << (succeeded == 1 ? " board" : " boards")
              << " of the job succeeded already and " << (succeeded == 1 ? "is" : "are") << " left alone"
              << Qt::endl;
}
} // namespace

int runPlan(const CommandLine& line, const JobPlan& plan, const QString& command, bool force,
            const FailureLimit& limit)
{
    // Where and how patiently the job talked to its boards, unless told otherwise now.
    CommonOptions options = line.common();
    if (!line.isSet(QStringLiteral("ports")) && !plan.job.ports.isEmpty())
        options.commandPorts = plan.job.ports;
    if (!line.isSet(QStringLiteral("timeout")) && !line.isSet(QStringLiteral("retries")) &&
        plan.job.timeoutMs > 0)
        options.timing = plan.options.timing;
    if (plan.job.wordPort > 0) // a reboot's words go where the job sent them
        options.wordPort = plan.job.wordPort;
    sayLeftAlone(plan.leftAlone);
    if (plan.empty()) {
        err() << "talvikctl: nothing to " << command << ": no board of the job is left to" << Qt::endl;
        return Success;
    }
    Journal journal;
    Session session(options, false, &journal);
    JobOptions job = plan.options;
    job.timing = options.timing;
    job.dryRun = options.dryRun;
    job.operatorName = operatorOption(line);
    job.force = job.force || force;
    job.overwriteOthers = force; // the operator's own, never the job's of old
    if (limit.most != FailureLimit::Default)
        job.limit = limit;
    const bool reboot = !plan.reboots.isEmpty();
    Progress progress(command, int(plan.writes.size() + plan.reboots.size()));
    JobReport report(reboot ? JobReport::Reboot : JobReport::Write, command, line, line.positional());
    QStringList replay = line.replayOptions();
    for (QString& option : replay) // the job as the journal knows it, never "last"
        if (option.startsWith(QLatin1String("--job=")))
            option = QStringLiteral("--job=") +
                     (command == QLatin1String("undo") ? plan.options.undoes : plan.options.retryOf);
    report.setReplayOptions(replay);
    const JobSummary summary = runJob(
        session,
        [&] {
            if (reboot)
                session.jobs().reboot(plan.reboots, job);
            else
                session.jobs().write(plan.writes, job);
        },
        [&](const BoardResult& r) {
            progress.step();
            report.board(r);
        },
        true, &report);
    return report.finish(summary);
}

} // namespace talvik::ctl
