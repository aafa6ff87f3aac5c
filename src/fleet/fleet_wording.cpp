#include "fleet/fleet_wording.h"

#include "board/untrusted_text.h"
#include "fleet/fleet_jobs.h"
#include "fleet/fleet_model.h"
#include "fleet/fleet_texts.h"
#include "wire/board_address.h"

namespace talvik::fleet {

QString fieldTitles(const QStringList& fields)
{
    QStringList titles;
    for (const QString& field : fields) {
        const int column = columnOf(field);
        titles.append(column < 0 ? field : texts::Columns(column));
    }
    return titles.join(QStringLiteral(", "));
}

QList<ChangedField> titledChanges(const BoardConfig& now, const WriteFields& next)
{
    QList<ChangedField> rows =
        changedFields(now, BoardConfig{now.address, next, now.version, Memory::Permanent});
    for (ChangedField& row : rows)
        row.field = fieldTitles({row.field});
    return rows;
}

QString noAnswerState(Reason why, qsizetype bytes)
{
    switch (why) {
    case Reason::ShortReply:
        return texts::ShortReply().arg(texts::bytes(bytes));
    case Reason::NoVersion:
        return texts::NoVersion();
    default:
        break;
    }
    return texts::Silent();
}

QString ipProblemsText(const WriteFields& f, BoardAddress board)
{
    QStringList out;
    const QString ip = dottedText(f.ip), mask = dottedText(f.mask);
    for (IpProblem problem : ipProblems(f, board)) {
        switch (problem) {
        case IpProblem::Zero:
            out.append(texts::IpZero());
            break;
        case IpProblem::Broadcast:
            out.append(texts::IpBroadcast());
            break;
        case IpProblem::Multicast:
            out.append(texts::IpMulticast().arg(ip));
            break;
        case IpProblem::Loopback:
            out.append(texts::IpLoopback().arg(ip));
            break;
        case IpProblem::NetworkOfMask:
            out.append(texts::IpNetworkOfMask().arg(ip, mask));
            break;
        case IpProblem::BroadcastOfMask:
            out.append(texts::IpBroadcastOfMask().arg(ip, mask));
            break;
        case IpProblem::MaskNotContiguous:
            out.append(texts::MaskWithGap().arg(mask));
            break;
        }
    }
    return out.join(QStringLiteral("; "));
}

QString refusalText(const Refusal& refusal, const WriteFields& fields, BoardAddress board)
{
    switch (refusal.kind) {
    case Reason::ConsoleOnlyFields:
        return texts::ConsoleOnlyFields();
    case Reason::DhcpWithStaticConsole:
        return texts::DhcpWithStaticConsole();
    case Reason::NotCarried:
        return texts::WouldBeLost().arg(fieldTitles(refusal.fields));
    case Reason::Unreachable:
        return ipProblemsText(fields, board);
    case Reason::NotPermanentMemory:
        return texts::WorkingMemoryBackup();
    case Reason::ChangedSince:
        return texts::ChangedSince();
    case Reason::OldBoardAnswers:
        return texts::OldBoardAnswers().arg(dottedText(fields.ip));
    case Reason::WrittenSince:
        return texts::WrittenSince().arg(refusal.other);
    default:
        break;
    }
    return reasonKey(refusal.kind);
}

QString refusalsText(const QList<Refusal>& refusals, const WriteFields& fields, BoardAddress board)
{
    QStringList out;
    for (const Refusal& r : refusals)
        out.append(refusalText(r, fields, board));
    return out.join(QStringLiteral("; "));
}

namespace {
QString notTried(const BoardResult& r)
{
    if (r.outcome == Outcome::Cancelled)
        return texts::CancelledState();
    return texts::NotTried().arg(r.reason == Reason::JournalFailed ? texts::StoppedByJournal()
                                                                   : texts::StoppedAtLimit());
}
} // namespace

QString writeState(const BoardResult& r)
{
    const QString notWritten =
        r.notWritten.isEmpty() ? QString() : texts::NotWritten().arg(fieldTitles(r.notWritten));
    const WriteFields planned = r.config ? r.config->fields : WriteFields{};
    switch (r.outcome) {
    case Outcome::Done:
        return (r.takenAtReboot.isEmpty() ? texts::Verified() : texts::VerifiedTakesEffectAfterReboot()) +
               notWritten;
    case Outcome::Unverified:
    case Outcome::Planned:
        return texts::Unverified() + notWritten;
    case Outcome::Unchanged:
        return texts::NothingChanges();
    case Outcome::Mismatch: {
        QStringList differ;
        for (const Difference& d : r.differences)
            differ.append(d.field);
        return texts::Mismatch().arg(fieldTitles(differ)) + notWritten;
    }
    case Outcome::Refused:
        return texts::NotWrittenBecause().arg(refusalsText(r.refusals, planned, r.board));
    case Outcome::Cancelled:
        if (r.sent) // ended at once between its write and its read-back
            return texts::WrittenCancelled();
        return notTried(r);
    case Outcome::NotTried:
        return notTried(r);
    case Outcome::Failed:
        break;
    }
    switch (r.reason) {
    case Reason::NotJournaled:
        return texts::NotWrittenBecause().arg(r.detail);
    case Reason::NotSent:
        return texts::NotSent();
    case Reason::NoReadBack:
        return texts::NoReadBack() + notWritten;
    default:
        break;
    }
    return texts::NoBase();
}

QString rebootState(const BoardResult& r)
{
    if (r.outcome == Outcome::NotTried || r.outcome == Outcome::Cancelled)
        return notTried(r);
    if (r.outcome == Outcome::Done)
        return texts::BackUp();
    return r.reason == Reason::NotBack ? texts::NotBack() : texts::NotAcknowledged();
}

QString backupState(const BoardResult& r, const std::optional<SaveError>& saveProblem)
{
    if (r.outcome == Outcome::Cancelled)
        return texts::CancelledState();
    if (!r.config)
        return texts::BackupNotSaved().arg(noAnswerState(r.reason, r.replyBytes));
    if (!saveProblem)
        return texts::BackupSaved();
    return texts::BackupNotSaved().arg(
        saveProblem->kind == SaveError::NoVersion
            ? texts::NoVersion()
            : texts::FileNotWritten().arg(QStringLiteral("«%1»").arg(escapeControls(saveProblem->file)),
                                          escapeControls(saveProblem->systemError)));
}

QString byWords(const QString& by)
{
    // The words are looked up at each call: they are in the language installed now.
    using Text = QString (*)();
    static const QHash<QString, Text> words{
        {QStringLiteral("configurator"), texts::ByConfigurator},
        {by::Apply, texts::ByApply},
        {by::Change, texts::ByChange},
        {by::Replace, texts::ByReplace},
        {by::Undo, texts::ByUndo},
        {by::UndoJob, texts::ByUndoJob},
        {by::RetryJob, texts::ByRetryJob},
        {by::Reboot, texts::ByReboot},
    };
    const Text text = words.value(by);
    return text ? text() : escapeControls(by); // talvikctl's commands keep their names
}

QString resultWords(const JournalEntry& e)
{
    if (!e.result)
        return e.resultText.isEmpty() ? texts::NoResult() : escapeControls(e.resultText);
    BoardResult r;
    r.board = e.board;
    r.outcome = e.result->outcome;
    r.reason = e.result->reason;
    r.notWritten = e.result->notWritten;
    r.sent = true; // a journaled write was sent
    if (r.outcome == Outcome::Cancelled)
        return texts::WrittenCancelled();
    if (r.outcome == Outcome::Mismatch)
        return texts::WrittenElse();
    return writeState(r);
}

namespace {
// A file as a message names it: the whole path, in guillemets, nothing raw.
QString fileName(const QString& path)
{
    return QStringLiteral("«%1»").arg(escapeControls(path.left(4096)));
}

// A backup's key as the table titles its field ("mask": "Маска").
QString keyTitle(const QString& key)
{
    return columnOf(key) >= 0 ? fieldTitles({key})
                              : QStringLiteral("«%1»").arg(escapeControls(key.left(100)));
}
} // namespace

QString fileProblemText(const FileProblem& p)
{
    const QString file = fileName(p.file);
    switch (p.kind) {
    case FileProblem::Missing:
        return texts::NoSuchFile().arg(file);
    case FileProblem::NotRegular:
        return texts::NotAFile().arg(file);
    case FileProblem::TooLarge:
        return texts::FileTooLarge().arg(file, texts::bytes(p.size), texts::bytes(p.most));
    case FileProblem::Unreadable:
        break;
    }
    return texts::FileUnreadable().arg(file, escapeControls(p.systemError));
}

QString backupErrorText(const BackupError& e)
{
    const QString file = fileName(e.file);
    const QString value = QStringLiteral("«%1»").arg(escapeControls(e.value.left(100)));
    switch (e.kind) {
    case BackupError::File:
        return fileProblemText(e.fileProblem);
    case BackupError::NotKeyValue:
        return texts::BackupNotKeyValue().arg(file).arg(e.line).arg(value);
    case BackupError::GivenTwice:
        return texts::BackupKeyTwice().arg(file).arg(e.line).arg(keyTitle(e.key)).arg(e.firstLine);
    case BackupError::MissingKey:
        return texts::BackupKeyMissing().arg(file, escapeControls(e.key));
    case BackupError::BadValue:
        return texts::BackupBadValue().arg(file).arg(e.line).arg(keyTitle(e.key), value);
    case BackupError::UnknownKey:
        return texts::BackupUnknownKey().arg(file).arg(e.line).arg(
            QStringLiteral("«%1»").arg(escapeControls(e.key.left(100))));
    case BackupError::DhcpWithStaticConsole:
        return texts::BackupDhcpStatic().arg(file);
    case BackupError::NamedForAnother:
        break;
    }
    return texts::BackupNamedForAnother().arg(file, dottedText(e.namedFor), dottedText(e.holds));
}

namespace {
QString addresses(const QList<BoardAddress>& boards)
{
    QStringList names;
    for (BoardAddress b : boards)
        names.append(dottedText(b));
    return names.join(QStringLiteral(", "));
}
} // namespace

QString countsText(const OutcomeCounts& s, JobKind kind)
{
    const bool read = kind == JobKind::Read, reboot = kind == JobKind::Reboot;
    const QList<QPair<int, QString>> parts{
        {s.done, read     ? texts::SummarySaved()
                 : reboot ? texts::SummaryRebooted()
                          : texts::SummaryVerified()},
        {s.awaitingReboot, texts::SummaryAwaitingReboot()},
        {s.unverified, texts::SummaryUnverified()},
        {s.mismatch, texts::SummaryMismatch()},
        {s.failed, texts::SummaryFailed()},
        {s.refused, texts::SummaryRefused()},
        {s.notTried, texts::SummaryNotTried()},
        {s.cancelled, texts::SummaryCancelled()},
        {s.unchanged, texts::SummaryUnchanged()},
    };
    QStringList counts;
    for (const auto& [n, text] : parts)
        if (n > 0)
            counts.append(text.arg(n));
    return counts.join(QStringLiteral(", "));
}

QString summaryText(const JobSummary& s)
{
    const bool reboot = s.kind == JobKind::Reboot;
    QStringList out;
    if (s.stoppedBy != Reason::Cancelled) // the counts say what was cancelled
        out.append(stoppedText(s));
    out.append(texts::JobSummaryLine().arg(countsText(s, s.kind)));
    if (!s.journalProblem.isEmpty())
        out.append(texts::JobNotJournaled());
    if (!s.leftUnverified.isEmpty())
        out.append((reboot ? texts::RebootLeftUnwaited() : texts::LeftUnverified())
                       .arg(addresses(s.leftUnverified)));
    out.removeAll(QString());
    return out.join(u' ');
}

QString forcedText(const BoardResult& r)
{
    const WriteFields planned = r.config ? r.config->fields : WriteFields{};
    QStringList out;
    for (const Refusal& refusal : r.refusals) {
        switch (refusal.kind) {
        case Reason::NotCarried: {
            QStringList values; // "Ідентифікатор 1234"
            for (const auto& [name, text] : fieldTexts({r.board, planned, std::nullopt, Memory::Unknown}))
                if (refusal.fields.contains(name))
                    values.append(fieldTitles({name}) + u' ' + text);
            out.append((values.size() == 1 ? texts::ForcedNotCarriedOne() : texts::ForcedNotCarriedMany())
                           .arg(values.join(QStringLiteral(", "))));
            break;
        }
        case Reason::Unreachable:
            out.append(texts::ForcedUnreachable().arg(ipProblemsText(planned, r.board)));
            break;
        case Reason::NotPermanentMemory:
            out.append(texts::ForcedWorkingMemory());
            break;
        case Reason::ChangedSince:
            out.append(texts::ForcedChangedSince().arg(fieldTitles(refusal.fields)));
            break;
        case Reason::OldBoardAnswers:
            out.append(texts::ForcedOldBoardAnswers().arg(dottedText(planned.ip)));
            break;
        case Reason::WrittenSince:
            out.append(texts::ForcedWrittenSince().arg(refusal.other));
            break;
        default:
            break;
        }
    }
    return out.join(QStringLiteral("; "));
}

namespace {
// A refusal as the journal keeps it: its kind alone, without the values it concerned.
QString refusalKindText(Reason kind)
{
    switch (kind) {
    case Reason::NotCarried:
        return texts::NotCarriedKind();
    case Reason::Unreachable:
        return texts::UnreachableKind();
    case Reason::OldBoardAnswers:
        return texts::OldBoardAnswersKind();
    case Reason::WrittenSince:
        return texts::WrittenSinceKind();
    default:
        break;
    }
    return refusalText(Refusal{kind, {}, {}, {}, {}}, {}, {});
}

JobKind kindOf(const JobRecord& job)
{
    return job.what == QLatin1String("reboot") ? JobKind::Reboot : JobKind::Write;
}
} // namespace

QString jobWhat(const JobRecord& j)
{
    if (j.what == QLatin1String("change") && j.change) {
        QStringList fields;
        for (const auto& [name, text] : fieldTexts(*j.change))
            fields.append(fieldTitles({name}) + u' ' + text);
        return texts::JobChange().arg(fields.join(QStringLiteral(", ")));
    }
    if (j.what == QLatin1String("apply"))
        return texts::JobApply();
    if (j.what == QLatin1String("replace"))
        return texts::JobReplace();
    if (j.what == QLatin1String("undo"))
        return j.undoes.isEmpty() ? texts::JobUndoWrites() : texts::JobUndo().arg(j.undoes);
    if (j.what == QLatin1String("reboot"))
        return texts::JobReboot();
    if (j.what == QLatin1String("write"))
        return texts::JobWrite();
    return escapeControls(j.what); // a later version's
}

QString jobOutcome(const JobRecord& j)
{
    QStringList out;
    if (const QString counts = countsText(j.counts, kindOf(j)); !counts.isEmpty())
        out.append(counts);
    if (!j.ended)
        out.append(texts::JobNotEnded().arg(qMax(0, int(j.boards.size()) - j.reached)));
    else if (j.stoppedBy == Reason::FailureLimit)
        out.append(texts::JobEndedAtLimit());
    return out.join(QStringLiteral("; "));
}

QString jobBoardOutcome(const RollOutBoard& b, const JobRecord& job)
{
    if (b.sentWithoutResult)
        return texts::SentWithoutResult();
    if (!b.last)
        return texts::NotReached();
    BoardResult r;
    r.board = b.board;
    r.outcome = b.last->outcome;
    r.reason = b.last->reason;
    r.notWritten = b.last->notWritten;
    r.sent = b.firstWrite.has_value();
    if (b.last->takenAtReboot)
        r.takenAtReboot = QStringList{QString()};
    if (kindOf(job) == JobKind::Reboot)
        return rebootState(r);
    if (r.outcome == Outcome::Mismatch)
        return texts::WrittenElse();
    if (r.outcome == Outcome::Refused)
        return texts::NotWrittenBecause().arg(refusalKindText(r.reason));
    return writeState(r);
}

QStringList forcedLines(const QList<BoardResult>& planned)
{
    QStringList lines;
    for (const BoardResult& r : planned)
        if (r.outcome == Outcome::Refused && std::all_of(r.refusals.begin(), r.refusals.end(),
                                                         [](const Refusal& x) { return x.mayBeForced(); }))
            lines.append(dottedText(r.board) + QStringLiteral(": ") + forcedText(r));
    return lines;
}

QString stoppedText(const JobSummary& s)
{
    switch (s.stoppedBy) {
    case Reason::FailureLimit:
        return texts::JobStoppedAtLimit().arg(s.failuresAtStop).arg(s.triedAtStop).arg(s.notTried);
    case Reason::JournalFailed:
        return texts::JobStoppedByJournal().arg(s.notTried);
    case Reason::Cancelled:
        return texts::JobCancelled().arg(s.cancelled + s.notTried);
    default:
        break;
    }
    return {};
}

} // namespace talvik::fleet
