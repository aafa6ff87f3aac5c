#pragma once
// The backup file `survey --save` writes and `apply` reads: "key=value" lines, '#'
// comments, "address", "memory" and the keys of fieldTexts(), one board a file.

#include "board/board_config.h"
#include "wire/input_file.h"

#include <QList>
#include <QString>
#include <optional>

namespace talvik {

// Why a file is not a backup: the file, the line where there is one, and what is wrong.
struct BackupError {
    enum Kind {
        File,                  // not read: fileProblem says why
        NotKeyValue,           // `value`: the line
        GivenTwice,            // `key`, again on `line`, first on `firstLine`
        MissingKey,            // `key`
        BadValue,              // `key`, `value`
        UnknownKey,            // `key`
        DhcpWithStaticConsole, // a pair the configurator never writes
        NamedForAnother,       // the file is named for `namedFor` and holds `holds`
    } kind = File;
    QString file;
    int line = 0; // 0: the file as a whole
    QString key, value;
    int firstLine = 0;
    BoardAddress namedFor, holds;
    FileProblem fileProblem;
    // In talvikctl's words, the file and line first: "FILE:6: bad mask '255.255.0'".
    QString message() const;
};

QByteArray backupText(const BoardConfig& config);
// What the file holds of the board, without its first line (when it was read): two backups
// of a board whose configuration did not change have the same body.
QByteArray backupBody(const BoardConfig& config);
// Throws BackupError naming the file and line when it is not such a file: a key missing,
// unknown or given twice, a bad value, DHCP with a static console, or a file named for
// another board's address.
BoardConfig parseBackup(const QByteArray& text, const QString& fileName);
// The same, read from the file with the bounds of input_file.h.
BoardConfig readBackupFile(const QString& path);

// Writes the backup of a board's permanent memory, ADDRESS.conf in `folder`, whole or not
// at all: nothing when written, else why not (a reply without a version is no base for a
// backup: its DHCP flag cannot be read).
struct SaveError {
    enum Kind { NoVersion, CannotWrite } kind = NoVersion;
    QString file, systemError; // CannotWrite
};
std::optional<SaveError> writeBackup(const QString& folder, const BoardConfig& config,
                                     const QByteArray& reply);
// The same, empty when written, else why not in talvikctl's words.
QString saveBackup(const QString& folder, const BoardConfig& config, const QByteArray& reply);

// A backup file and what it holds.
struct Backup {
    QString path;
    BoardConfig config;
};
// Two backups for one board: the first pair of files found, else nullopt.
struct SameBoard {
    QString first, second;
    BoardAddress board;
};
std::optional<SameBoard> sameBoardTwice(const QList<Backup>& backups);

} // namespace talvik
