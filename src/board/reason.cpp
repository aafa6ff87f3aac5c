#include "board/reason.h"

namespace talvik {

QString reasonKey(Reason reason)
{
    switch (reason) {
    case Reason::None:
        return {};
    case Reason::NoReply:
        return QStringLiteral("no-reply");
    case Reason::ShortReply:
        return QStringLiteral("short-reply");
    case Reason::NoVersion:
        return QStringLiteral("no-version");
    case Reason::NotJournaled:
        return QStringLiteral("not-journaled");
    case Reason::NotSent:
        return QStringLiteral("not-sent");
    case Reason::NoReadBack:
        return QStringLiteral("no-read-back");
    case Reason::Mismatch:
        return QStringLiteral("mismatch");
    case Reason::NotAcknowledged:
        return QStringLiteral("not-acknowledged");
    case Reason::NotBack:
        return QStringLiteral("not-back");
    case Reason::ConsoleOnlyFields:
        return QStringLiteral("console-only-fields");
    case Reason::DhcpWithStaticConsole:
        return QStringLiteral("dhcp-with-static-console");
    case Reason::NotCarried:
        return QStringLiteral("not-carried");
    case Reason::Unreachable:
        return QStringLiteral("unreachable");
    case Reason::NotPermanentMemory:
        return QStringLiteral("not-permanent-memory");
    case Reason::ChangedSince:
        return QStringLiteral("changed-since");
    case Reason::OldBoardAnswers:
        return QStringLiteral("old-board-answers");
    case Reason::WrittenSince:
        return QStringLiteral("written-since");
    case Reason::FailureLimit:
        return QStringLiteral("failure-limit");
    case Reason::JournalFailed:
        return QStringLiteral("journal-failed");
    case Reason::Cancelled:
        break;
    }
    return QStringLiteral("cancelled");
}

std::optional<Reason> reasonFromKey(const QString& key)
{
    for (int i = 0; i <= int(Reason::Cancelled); ++i)
        if (reasonKey(Reason(i)) == key)
            return Reason(i);
    return std::nullopt;
}

} // namespace talvik
