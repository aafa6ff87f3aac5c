#pragma once
// What a file replaced by a save keeps, and the last check before the rename. Where
// the platform has no owner or mode bits (Windows: the folder's access rules apply to
// the new file), there is nothing to keep.

#include <QFileDevice>
#include <QString>

namespace talvik {

// No write permission for its owner, its group or anyone else: the operator made it
// read-only, and even an administrator's save leaves it alone.
bool isReadOnlyForEveryone(const QString& path);

// Gives `replacement` (open, not yet renamed over `original`) the owner, group and mode
// of `original`. False, with the system's reason, when it cannot.
bool takeOwnerAndMode(QFileDevice& replacement, const QString& original, QString* why);

// Forces what was written onto the disk; false, with the system's reason, when the
// disk refuses (some file systems report a full disk only here).
bool syncToDisk(QFileDevice& file, QString* why);

} // namespace talvik
