#include "wire/ident_records.h"

namespace talvik {

bool IdentRecords::put(const IdentRecord& record)
{
    if (!records_.contains(record.ident) && isFull())
        return false;
    records_.insert(record.ident, record);
    return true;
}

std::optional<IdentRecord> IdentRecords::find(int ident) const
{
    const auto it = records_.constFind(ident);
    if (it == records_.constEnd())
        return std::nullopt;
    return *it;
}

} // namespace talvik
