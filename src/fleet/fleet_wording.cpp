#include "fleet/fleet_wording.h"

#include "fleet/fleet_model.h"
#include "fleet/fleet_texts.h"
#include "wire/board_address.h"

namespace talvik::fleet {

QString fieldTitles(const QStringList& fields)
{
    QStringList titles;
    for (const QString& field : fields) {
        const int column = columnOf(field);
        titles.append(column < 0 ? field : texts::Columns[column]);
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
        return texts::ShortReply.arg(texts::bytes(bytes));
    case Reason::NoVersion:
        return texts::NoVersion;
    default:
        break;
    }
    return texts::Silent;
}

QString ipProblemsText(const WriteFields& f, BoardAddress board)
{
    QStringList out;
    const QString ip = dottedText(f.ip), mask = dottedText(f.mask);
    for (IpProblem problem : ipProblems(f, board)) {
        switch (problem) {
        case IpProblem::Zero:
            out.append(texts::IpZero);
            break;
        case IpProblem::Broadcast:
            out.append(texts::IpBroadcast);
            break;
        case IpProblem::Multicast:
            out.append(texts::IpMulticast.arg(ip));
            break;
        case IpProblem::Loopback:
            out.append(texts::IpLoopback.arg(ip));
            break;
        case IpProblem::NetworkOfMask:
            out.append(texts::IpNetworkOfMask.arg(ip, mask));
            break;
        case IpProblem::BroadcastOfMask:
            out.append(texts::IpBroadcastOfMask.arg(ip, mask));
            break;
        case IpProblem::MaskNotContiguous:
            out.append(texts::MaskWithGap.arg(mask));
            break;
        }
    }
    return out.join(QStringLiteral("; "));
}

QString refusalText(const Refusal& refusal, const WriteFields& fields, BoardAddress board)
{
    switch (refusal.kind) {
    case Reason::ConsoleOnlyFields:
        return texts::ConsoleOnlyFields;
    case Reason::DhcpWithStaticConsole:
        return texts::DhcpWithStaticConsole;
    case Reason::NotCarried:
        return texts::WouldBeLost.arg(fieldTitles(refusal.fields));
    case Reason::Unreachable:
        return ipProblemsText(fields, board);
    case Reason::NotPermanentMemory:
        return texts::WorkingMemoryBackup;
    case Reason::ChangedSince:
        return texts::ChangedSince;
    case Reason::OldBoardAnswers:
        return texts::OldBoardAnswers.arg(dottedText(fields.ip));
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
        return texts::CancelledState;
    return texts::NotTried.arg(r.reason == Reason::JournalFailed ? texts::StoppedByJournal
                                                                 : texts::StoppedAtLimit);
}
} // namespace

QString writeState(const BoardResult& r)
{
    const QString notWritten =
        r.notWritten.isEmpty() ? QString() : texts::NotWritten.arg(fieldTitles(r.notWritten));
    const WriteFields planned = r.config ? r.config->fields : WriteFields{};
    switch (r.outcome) {
    case Outcome::Done:
        return texts::Verified + notWritten;
    case Outcome::Unverified:
    case Outcome::Planned:
        return texts::Unverified + notWritten;
    case Outcome::Mismatch: {
        QStringList differ;
        for (const Difference& d : r.differences)
            differ.append(d.field);
        return texts::Mismatch.arg(fieldTitles(differ)) + notWritten;
    }
    case Outcome::Refused:
        return texts::NotWrittenBecause.arg(refusalsText(r.refusals, planned, r.board));
    case Outcome::NotTried:
    case Outcome::Cancelled:
        return notTried(r);
    case Outcome::Failed:
        break;
    }
    switch (r.reason) {
    case Reason::NotJournaled:
        return texts::NotWrittenBecause.arg(r.detail);
    case Reason::NotSent:
        return texts::NotSent;
    case Reason::NoReadBack:
        return texts::NoReadBack + notWritten;
    default:
        break;
    }
    return texts::NoBase;
}

QString rebootState(const BoardResult& r)
{
    if (r.outcome == Outcome::NotTried || r.outcome == Outcome::Cancelled)
        return notTried(r);
    if (r.outcome == Outcome::Done)
        return texts::BackUp;
    return r.reason == Reason::NotBack ? texts::NotBack : texts::NotAcknowledged;
}

QString backupState(const BoardResult& r, const QString& saveProblem)
{
    if (r.outcome == Outcome::Cancelled)
        return texts::CancelledState;
    if (!r.config)
        return texts::BackupNotSaved.arg(noAnswerState(r.reason, r.replyBytes));
    return saveProblem.isEmpty() ? texts::BackupSaved : texts::BackupNotSaved.arg(saveProblem);
}

QString stoppedText(const JobSummary& s)
{
    switch (s.stoppedBy) {
    case Reason::FailureLimit:
        return texts::JobStoppedAtLimit.arg(s.failuresAtStop).arg(s.triedAtStop).arg(s.notTried);
    case Reason::JournalFailed:
        return texts::JobStoppedByJournal.arg(s.notTried);
    case Reason::Cancelled:
        return texts::JobCancelled.arg(s.cancelled);
    default:
        break;
    }
    return {};
}

} // namespace talvik::fleet
