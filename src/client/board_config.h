#pragma once
// A board's configuration as talvikctl shows it, saves it and reads it back: the
// fields of a configuration reply (the window's own reader and its DHCP rule), in a
// table row, a JSON object or a backup file.

#include "wire/frames.h"

#include <QByteArray>
#include <QJsonObject>
#include <QList>
#include <QString>
#include <optional>

namespace talvik {

// Which memory a configuration was read from. A backup written by talvikctl 1.1 says
// neither (its survey read the working configuration).
enum class Memory { Working, Permanent, Unknown };
QString memoryText(Memory memory); // "working", "permanent", "unknown"

struct BoardConfig {
    quint32 address = 0; // the board the configuration came from or goes to
    WriteFields fields;
    std::optional<QString> version; // when the reply carried "VER"
    Memory memory = Memory::Unknown;
};

// The board's DHCP flag counts only beside a shown version, as in the window.
BoardConfig configFromReply(quint32 address, const QByteArray& reply, Memory memory);

// Field names and their texts, in the order every output uses.
QList<QPair<QString, QString>> fieldTexts(const BoardConfig& config);

// Why a file is not a backup: the file, the line where there is one, and what is wrong.
struct BackupError {
    QString message;
};

// JSON keys: address, ip, mask, router, mac, dhcp (true/false), console ("static" or
// "dynamic"), dispatcher, ident (number), reserve1, reserve2, branch (number),
// version (text or null), memory ("working" or "permanent").
QJsonObject toJson(const BoardConfig& config);

// The backup file `survey --save` writes and `apply` reads: "key=value" lines, '#'
// comments, "address", "memory" and the keys of fieldTexts(). Throws BackupError naming
// the file and line when it is not such a file: a key missing, unknown or given twice,
// a bad value, DHCP with a static console, or a file named for another board's address.
QByteArray backupText(const BoardConfig& config);
BoardConfig parseBackup(const QByteArray& text, const QString& fileName);
// The same, read from the file with the bounds of input_file.h.
BoardConfig readBackupFile(const QString& path);

// A survey's rows, as talvikctl and the fleet window print and export them: the header
// ("address", the field names, "version", "error") and one board's cells (a board that did
// not answer: its address and the error).
QStringList surveyHeader();
QStringList surveyCells(const BoardConfig& config, const QString& error = {});
QStringList silentCells(quint32 address, const QString& error);

// Writes the backup of a board's permanent memory, ADDRESS.conf in `folder`, whole or not
// at all. Empty when written, else why not (a reply without a version is no base for a
// backup: its DHCP flag cannot be read).
QString saveBackup(const QString& folder, const BoardConfig& config, const QByteArray& reply);

// Every field whose text differs between two configurations: its name (as fieldTexts()
// names it), its text in the first and in the second.
struct ChangedField {
    QString field, now, next;
};
QList<ChangedField> changedFields(const BoardConfig& now, const BoardConfig& next);

// What a write should have stored and what the board reports, field by field. The
// branch number is not compared: boards need not report it.
struct Difference {
    QString field, sent, read;
};
QList<Difference> differences(const BoardConfig& sent, const BoardConfig& read);
// The same for a write frame sent to `read.address`: what the frame carried (a static
// console sends no dispatcher, identifier or reserves) against the board's permanent memory.
QList<Difference> differencesAfterWrite(const QByteArray& frame, const BoardConfig& read);

} // namespace talvik
