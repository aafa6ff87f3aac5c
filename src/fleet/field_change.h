#pragma once
// One change on many boards, as the fleet window's "Змінити поля…" makes it: the fields
// the operator chose, applied to each board's own permanent memory, and what the
// configurator would never write refused for that board, in the window's words.

#include "client/field_change.h"

#include <optional>

namespace talvik::fleet {

// The board's fields with the change (withChange()), or nothing and why the configurator
// would not write them: a dispatcher or reserve with a static console, values the frame
// cannot carry, an address at which the board would be out of reach.
std::optional<WriteFields> changed(const BoardConfig& now, const FieldChange& change, QString* refused);

// changedFields() with the window's titles: "Маска", "255.0.0.0", "255.255.255.0".
QList<ChangedField> preview(const BoardConfig& now, const WriteFields& next);

} // namespace talvik::fleet
