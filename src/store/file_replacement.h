#pragma once
// What a file replaced by a save keeps, and the last check before the rename. Where
// the platform has no owner or mode bits (Windows: the folder's access rules apply to
// the new file), there is nothing to keep.

#include <QFileDevice>
#include <QString>
#include <functional>

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

enum class ReplaceResult {
    Saved,
    ReadOnly,     // its mode lets no one write it: left alone
    OwnerNotKept, // the new file could not be given the old one's owner and mode
    WriteFailed,  // a write, the flush or the rename failed (a full disk, say)
};
// Writes `path` anew with `write`: beside it first, unbuffered so that every write reports
// its own failure, with the old file's owner and mode, forced onto the disk, then renamed
// over it. Anything but Saved leaves the old file byte for byte as it was, and no
// temporary file; `why` gets the system's words.
ReplaceResult replaceFile(const QString& path, const std::function<bool(QIODevice& out)>& write,
                          QString* why);

} // namespace talvik
