#include "fleet/field_change.h"

#include "client/write_checks.h"
#include "fleet/fleet_texts.h"
#include "fleet/fleet_wording.h"

namespace talvik::fleet {

std::optional<WriteFields> changed(const BoardConfig& now, const FieldChange& change, QString* refused)
{
    const WriteFields f = withChange(now.fields, change);
    QString why;
    if (!consoleOnlyGiven(f, change).isEmpty())
        why = texts::ConsoleOnlyFields;
    else if (const QStringList lost = notCarried(f); !lost.isEmpty())
        why = texts::WouldBeLost.arg(fieldTitles(lost));
    else
        why = ipProblemsText(f, now.address);
    if (why.isEmpty())
        return f;
    if (refused)
        *refused = why;
    return std::nullopt;
}

QList<ChangedField> preview(const BoardConfig& now, const WriteFields& next)
{
    QList<ChangedField> rows =
        changedFields(now, BoardConfig{now.address, next, now.version, Memory::Permanent});
    for (ChangedField& row : rows)
        row.field = fieldTitles({row.field});
    return rows;
}

} // namespace talvik::fleet
