#include "board/outcome.h"

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

} // namespace talvik
