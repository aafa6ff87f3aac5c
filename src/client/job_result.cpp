#include "client/job_result.h"

namespace talvik {

WriteResult writeResultOf(const BoardResult& r)
{
    return {r.outcome, r.reason, r.notWritten, r.detail, !r.takenAtReboot.isEmpty()};
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
    OutcomeCounts::count(r.outcome, !r.takenAtReboot.isEmpty());
    if (r.outcome == Outcome::Cancelled && r.sent)
        leftUnverified.append(r.board);
}

} // namespace talvik
