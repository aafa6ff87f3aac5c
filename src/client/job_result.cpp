#include "client/job_result.h"

namespace talvik {

namespace {
const QString Keys[] = {
    QStringLiteral("done"),      QStringLiteral("unverified"), QStringLiteral("mismatch"),
    QStringLiteral("refused"),   QStringLiteral("failed"),     QStringLiteral("not-tried"),
    QStringLiteral("cancelled"), QStringLiteral("planned"),
};
} // namespace

QString outcomeKey(Outcome outcome)
{
    return Keys[int(outcome)];
}

std::optional<Outcome> outcomeFromKey(const QString& key)
{
    for (int i = 0; i <= int(Outcome::Planned); ++i)
        if (Keys[i] == key)
            return Outcome(i);
    return std::nullopt;
}

bool succeeded(Outcome outcome)
{
    return outcome == Outcome::Done || outcome == Outcome::Unverified || outcome == Outcome::Planned;
}

bool isRetried(Outcome outcome)
{
    return outcome == Outcome::Mismatch || outcome == Outcome::Failed || outcome == Outcome::NotTried ||
           outcome == Outcome::Cancelled;
}

QString resultText(const BoardResult& r)
{
    const QString notWritten =
        r.notWritten.isEmpty() ? QString()
                               : QStringLiteral("; not written: ") + r.notWritten.join(QLatin1String(", "));
    switch (r.outcome) {
    case Outcome::Done:
        return QStringLiteral("written, verified") + notWritten;
    case Outcome::Unverified:
        return QStringLiteral("written, not verified") + notWritten;
    case Outcome::Mismatch:
        return QStringLiteral("written, the board holds something else");
    case Outcome::Cancelled:
        return r.sent ? QStringLiteral("written, cancelled before the read-back")
                      : QStringLiteral("cancelled");
    case Outcome::Failed:
        if (r.reason == Reason::NoReadBack)
            return QStringLiteral("written, no read-back (%1)").arg(r.detail);
        if (r.reason == Reason::NotJournaled)
            return QStringLiteral("not written: ") + r.detail;
        if (r.reason == Reason::NotSent)
            return QStringLiteral("could not be sent");
        break;
    default:
        break;
    }
    return outcomeKey(r.outcome);
}

bool FailureLimit::reached(int failed, int tried) const
{
    if (most == 0)
        return false;
    if (most > 0)
        return failed >= most;
    return tried < ShareFrom ? failed >= DefaultMost : 3 * failed >= tried;
}

} // namespace talvik
