#include "board/outcome.h"

namespace talvik {

namespace {
const QString Keys[] = {
    QStringLiteral("done"),      QStringLiteral("unverified"), QStringLiteral("mismatch"),
    QStringLiteral("refused"),   QStringLiteral("failed"),     QStringLiteral("not-tried"),
    QStringLiteral("cancelled"), QStringLiteral("planned"),    QStringLiteral("unchanged"),
};
} // namespace

QString outcomeKey(Outcome outcome)
{
    return Keys[int(outcome)];
}

std::optional<Outcome> outcomeFromKey(const QString& key)
{
    for (int i = 0; i <= int(Outcome::Unchanged); ++i)
        if (Keys[i] == key)
            return Outcome(i);
    return std::nullopt;
}

bool succeeded(Outcome outcome)
{
    return outcome == Outcome::Done || outcome == Outcome::Unverified || outcome == Outcome::Planned ||
           outcome == Outcome::Unchanged;
}

bool isRetried(Outcome outcome)
{
    return outcome == Outcome::Mismatch || outcome == Outcome::Failed || outcome == Outcome::NotTried ||
           outcome == Outcome::Cancelled;
}

void OutcomeCounts::count(Outcome outcome, bool takenAtReboot)
{
    switch (outcome) {
    case Outcome::Done:
        ++(takenAtReboot ? awaitingReboot : done);
        return;
    case Outcome::Unverified:
        ++unverified;
        return;
    case Outcome::Planned:
        ++planned;
        return;
    case Outcome::Unchanged:
        ++unchanged;
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
        return;
    case Outcome::Failed:
        break;
    }
    ++failed;
}

QList<QPair<QString, int>> OutcomeCounts::byKey() const
{
    return {{QStringLiteral("done"), done},
            {QStringLiteral("awaiting-reboot"), awaitingReboot},
            {QStringLiteral("unverified"), unverified},
            {QStringLiteral("planned"), planned},
            {QStringLiteral("mismatch"), mismatch},
            {QStringLiteral("failed"), failed},
            {QStringLiteral("refused"), refused},
            {QStringLiteral("not-tried"), notTried},
            {QStringLiteral("cancelled"), cancelled},
            {QStringLiteral("unchanged"), unchanged}};
}

void OutcomeCounts::set(const QString& key, int n)
{
    int* fields[] = {&done,   &awaitingReboot, &unverified, &planned,   &mismatch,
                     &failed, &refused,        &notTried,   &cancelled, &unchanged};
    const auto keys = byKey();
    for (int i = 0; i < keys.size(); ++i)
        if (keys[i].first == key)
            *fields[i] = n;
}

} // namespace talvik
