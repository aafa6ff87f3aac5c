#pragma once
// Files the program takes in: backups, hosts files, earlier exports. Whoever made one, it
// is read with bounds: only a regular file (a FIFO would block, a device never end), no
// larger than its kind may be, and never more than that read into memory.

#include <QByteArray>
#include <QString>
#include <optional>

class QFile;

namespace talvik {

constexpr qint64 MostBackupBytes = 64 * 1024;
constexpr qint64 MostHostsBytes = 16 << 20;
constexpr qint64 MostExportBytes = 64 << 20; // a survey of every board the table may hold

// The whole file; nullopt and why ("FILE: not a regular file ...", "FILE: ... bytes, more than
// a backup may hold") when it is not a regular file, is larger than `most` or cannot be read.
// `kind` names it in the message ("a backup").
std::optional<QByteArray> readInputFile(const QString& path, qint64 most, const QString& kind, QString* why);
// The same for a file already open (standard input): at most `most` bytes taken.
std::optional<QByteArray> readBounded(QFile& file, const QString& name, qint64 most, const QString& kind,
                                      QString* why);

} // namespace talvik
