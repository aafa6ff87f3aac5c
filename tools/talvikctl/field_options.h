#pragma once
// The options of talvikctl's writes: each field of a change, checked before anything is
// sent, and a backup file given as a value.

#include "arguments.h"
#include "board/board_rules.h"

namespace talvik::ctl {

// --from, each field's option, --no-verify and --force.
void addFieldOptions(CommandLine& line);
// The fields given, each value checked; contradictory address types are a usage error.
FieldChange changeOptions(const CommandLine& line);
// A backup file (survey --save), or a usage error naming the file and line.
BoardConfig readBackup(const QString& path);

} // namespace talvik::ctl
