#include "client/field_change.h"

namespace talvik {

bool FieldChange::empty() const
{
    return !ip && !mask && !router && !dispatcher && !reserve1 && !reserve2 && !mac && !ident && !branch &&
           !consoleDynamic && !dhcp;
}

WriteFields withChange(WriteFields f, const FieldChange& change)
{
    const auto set = [](auto& field, const auto& value) {
        if (value)
            field = *value;
    };
    set(f.ip, change.ip);
    set(f.mask, change.mask);
    set(f.gateway, change.router);
    set(f.dispatcher, change.dispatcher);
    set(f.reserve1, change.reserve1);
    set(f.reserve2, change.reserve2);
    set(f.mac, change.mac);
    set(f.ident, change.ident);
    set(f.branch, change.branch);
    set(f.boardDhcp, change.dhcp);
    set(f.consoleDynamic, change.consoleDynamic);
    if (change.dhcp.value_or(false))
        f.consoleDynamic = true;
    if (!change.consoleDynamic.value_or(true))
        f.boardDhcp = false;
    return f;
}

QStringList consoleOnlyGiven(const WriteFields& after, const FieldChange& change)
{
    QStringList given;
    if (after.consoleDynamic)
        return given;
    if (change.dispatcher)
        given.append(QStringLiteral("dispatcher"));
    if (change.ident)
        given.append(QStringLiteral("ident"));
    if (change.reserve1)
        given.append(QStringLiteral("reserve1"));
    if (change.reserve2)
        given.append(QStringLiteral("reserve2"));
    return given;
}

WriteFields replacementFields(const WriteFields& backup, const WriteFields& replacement, bool takeMac)
{
    WriteFields f = backup;
    if (!takeMac)
        f.mac = replacement.mac;
    return f;
}

} // namespace talvik
