#pragma once
// A board's configuration as talvikctl shows it and the fleet window lists it: the
// fields of a configuration reply (the window's own reader and its DHCP rule), in a
// table row or a JSON object, and what differs between two of them.

#include "wire/board_address.h"
#include "wire/frames.h"

#include <QByteArray>
#include <QJsonObject>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace talvik {

QString memoryText(Memory memory); // "working", "permanent", "unknown"

struct BoardConfig {
    BoardAddress address; // the board the configuration came from or goes to
    WriteFields fields;
    std::optional<QString> version; // when the reply carried "VER"
    Memory memory = Memory::Unknown;
};

// The board's DHCP flag counts only beside a shown version, as in the window.
BoardConfig configFromReply(BoardAddress address, const QByteArray& reply, Memory memory);

// Field names and their texts, in the order every output uses.
QList<QPair<QString, QString>> fieldTexts(const BoardConfig& config);

// JSON keys: address, ip, mask, router, mac, dhcp (true/false), console ("static" or
// "dynamic"), dispatcher, ident (number), reserve1, reserve2, branch (number),
// version (text or null), memory ("working" or "permanent").
QJsonObject toJson(const BoardConfig& config);

// A survey's rows, as talvikctl and the fleet window print and export them: the header
// ("address", the field names, "version", "error", "site") and one board's cells (a board
// that did not answer: its address, the error and its site).
QStringList surveyHeader();
QStringList surveyCells(const BoardConfig& config, const QString& error = {}, const QString& site = {});
QStringList silentCells(BoardAddress address, const QString& error, const QString& site = {});

// Every field whose text differs between two configurations: its name (as fieldTexts()
// names it), its text in the first and in the second.
struct ChangedField {
    QString field, now, next;
};
QList<ChangedField> changedFields(const BoardConfig& now, const BoardConfig& next);

// The fields the boards of one site share (never the address, IP, MAC or identifier):
// mask, router, dispatcher, console, dhcp, reserve1, reserve2, branch.
const QStringList& sharedFields();
// Those of them in which a board differs from a reference board: the field, the
// reference's text and the board's.
QList<ChangedField> differencesFromReference(const BoardConfig& reference, const BoardConfig& board);

// What a write should have stored and what the board reports, field by field. The
// branch number is not compared: boards need not report it.
struct Difference {
    QString field, sent, read;
};
QList<Difference> differences(const BoardConfig& sent, const BoardConfig& read);
// The same for a write frame sent to `read.address`: what the frame carried (a static
// console sends no dispatcher, identifier or reserves) against the board's permanent memory.
QList<Difference> differencesAfterWrite(const QByteArray& frame, const BoardConfig& read);
// Every field, the branch number too, in which the board holds something else than the frame
// carried: whether anyone changed it since (an undo's guard is never lenient).
QList<Difference> changesSinceWrite(const QByteArray& frame, const BoardConfig& read);

// A board works with its working configuration and takes its permanent memory at its next
// reboot: the fields (by name) in which the two differ, so that a write of them has not
// taken effect yet.
QStringList takenAtReboot(const BoardConfig& working, const BoardConfig& permanent);

} // namespace talvik
