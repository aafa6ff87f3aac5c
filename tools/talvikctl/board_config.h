#pragma once
// A board's configuration as talvikctl shows it, saves it and reads it back: the
// fields of a configuration reply (the same reader the window uses), in a table row,
// a JSON object or a backup file.

#include "protocol/frames.h"

#include <QByteArray>
#include <QJsonObject>
#include <QList>
#include <QString>
#include <optional>

namespace talvik::ctl {

struct BoardConfig {
    quint32 address = 0; // the board the configuration came from or goes to
    WriteFields fields;
    std::optional<QString> version; // when the reply carried "VER"
};

BoardConfig configFromReply(quint32 address, const QByteArray& reply);

// Field names and their texts, in the order every output uses.
QList<QPair<QString, QString>> fieldTexts(const BoardConfig& config);

// JSON keys: address, ip, mask, router, mac, dhcp (true/false), console ("static" or
// "dynamic"), dispatcher, ident (number), reserve1, reserve2, branch (number),
// version (text or null).
QJsonObject toJson(const BoardConfig& config);

// The backup file `survey --save` writes and `apply` reads: "key=value" lines, '#'
// comments, the keys of fieldTexts() and "address". Throws UsageError naming the file
// and line when it is not such a file.
QByteArray backupText(const BoardConfig& config);
BoardConfig parseBackup(const QByteArray& text, const QString& fileName);

// What a write should have stored and what the board reports, field by field. The
// branch number is not compared: boards need not report it.
struct Difference {
    QString field, sent, read;
};
QList<Difference> differences(const BoardConfig& sent, const BoardConfig& read);

} // namespace talvik::ctl
