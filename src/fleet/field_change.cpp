#include "fleet/field_change.h"

#include "client/write_checks.h"
#include "fleet/fleet_texts.h"
#include "fleet/fleet_wording.h"

namespace talvik::fleet {

bool FieldChange::empty() const
{
    return !dispatcher && !mask && !router && !reserve1 && !reserve2 && !consoleDynamic && !dhcp && !branch;
}

std::optional<WriteFields> changed(const BoardConfig& now, const FieldChange& change, QString* refused)
{
    WriteFields f = now.fields;
    const auto set = [](auto& field, const auto& value) {
        if (value)
            field = *value;
    };
    set(f.dispatcher, change.dispatcher);
    set(f.mask, change.mask);
    set(f.gateway, change.router);
    set(f.reserve1, change.reserve1);
    set(f.reserve2, change.reserve2);
    set(f.branch, change.branch);
    if (change.dhcp)
        f.boardDhcp = *change.dhcp;
    if (change.consoleDynamic)
        f.consoleDynamic = *change.consoleDynamic;
    if (change.dhcp.value_or(false)) // the configurator's coupling of the two address types
        f.consoleDynamic = true;
    if (change.consoleDynamic && !*change.consoleDynamic)
        f.boardDhcp = false;
    QString why;
    if (!f.consoleDynamic && (change.dispatcher || change.reserve1 || change.reserve2))
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
