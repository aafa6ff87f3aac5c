#include "client/job_result.h"

namespace talvik {

WriteResult writeResultOf(const BoardResult& r)
{
    return {r.outcome, r.reason, r.notWritten, r.detail};
}

QString resultText(const BoardResult& r)
{
    if (r.outcome == Outcome::Cancelled && !r.sent)
        return QStringLiteral("cancelled");
    if (r.outcome == Outcome::Failed && r.reason == Reason::NotJournaled)
        return QStringLiteral("not written: ") + r.detail;
    return writeResultText(writeResultOf(r));
}

bool FailureLimit::reached(int failed, int tried) const
{
    if (most == 0)
        return false;
    if (most > 0)
        return failed >= most;
    return tried < ShareFrom ? failed >= DefaultMost : 3 * failed >= tried;
}

void JobSummary::count(const BoardResult& r)
{
    switch (r.outcome) {
    case Outcome::Done:
        ++(r.takenAtReboot.isEmpty() ? done : awaitingReboot);
        return;
    case Outcome::Unverified:
        ++unverified;
        return;
    case Outcome::Planned:
        ++planned;
        return;
    case Outcome::Mismatch:
        ++mismatch;
        return;
    case Outcome::Refused:
        ++refused;
        return;
    case Outcome::NotTried:
        ++notTried;
        return;
    case Outcome::Cancelled:
        ++cancelled;
        if (r.sent && r.outcome == Outcome::Cancelled)
            leftUnverified.append(r.board);
        return;
    case Outcome::Failed:
        break;
    }
    ++failed;
}

} // namespace talvik
