#pragma once
// The table to a file and an earlier survey from one: exports in talvikctl's survey
// formats (CSV with its header, JSON Lines with its keys), so files pass between the two;
// and an earlier export, or a folder of backups, read back for a comparison.

#include "fleet/fleet_model.h"

#include <QHash>
#include <QString>
#include <optional>

namespace talvik::fleet {

enum class Format { Csv, JsonLines };
Format formatOf(const QString& path); // by its suffix: .jsonl and .json are JSON Lines

// Rows with a configuration as talvikctl prints a board that answered, the others as one
// that did not (their state as the error).
QByteArray exportText(const QList<const Row*>& rows, Format format);
// Written whole or not at all; false with the system's reason.
bool exportRows(const QList<const Row*>& rows, const QString& path, QString* why);

// An earlier export (CSV or JSON Lines) or a folder of backups (a backup file stands for
// its folder), as records by board address. Boards that did not answer are left out;
// nullopt with the reason when the file or folder cannot be read as one of those.
std::optional<QHash<BoardAddress, Record>> loadEarlier(const QString& path, QString* why);

} // namespace talvik::fleet
