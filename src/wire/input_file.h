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

// Why a file was not read, for each program to word.
struct FileProblem {
    enum Kind { Missing, NotRegular, TooLarge, Unreadable } kind = Missing;
    QString file;
    qint64 size = 0, most = 0; // TooLarge: what it has (at least) and may have
    QString systemError;       // Unreadable: the system's words
};
// In talvikctl's words, `kind` naming what the file should be ("a backup"): "FILE: not a
// regular file (a folder, a FIFO or a device), so not a backup".
QString fileProblemText(const FileProblem& problem, const QString& kind);

// The whole file; nullopt and why when it is not a regular file, is larger than `most` or
// cannot be read.
std::optional<QByteArray> readInputFile(const QString& path, qint64 most, FileProblem* problem);
// The same, with why in talvikctl's words.
std::optional<QByteArray> readInputFile(const QString& path, qint64 most, const QString& kind, QString* why);
// The same for a file already open (standard input): at most `most` bytes taken.
std::optional<QByteArray> readBounded(QFile& file, const QString& name, qint64 most, const QString& kind,
                                      QString* why);

} // namespace talvik
