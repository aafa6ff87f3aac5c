#pragma once
// One change to a board's fields, as talvikctl's write options and the fleet window's
// "Змінити поля…" make it, and the rules both hold it to.

#include "client/board_config.h"

#include <QStringList>
#include <optional>

namespace talvik {

// The fields set replace the board's own; the others stay.
struct FieldChange {
    std::optional<Ipv4> ip, mask, router, dispatcher, reserve1, reserve2;
    std::optional<Mac> mac;
    std::optional<quint16> ident;
    std::optional<quint8> branch;
    std::optional<bool> consoleDynamic, dhcp;
    bool empty() const;
};

// `fields` with the change and the configurator's coupling of the two address types: a
// DHCP board makes the console dynamic, a static console makes the board static.
WriteFields withChange(WriteFields fields, const FieldChange& change);

// The fields the change sets that a write frame carries only with a dynamic console, by
// name ("dispatcher", "ident", "reserve1", "reserve2"), when `after` has a static one. The
// change is then refused: those values would not reach the board.
QStringList consoleOnlyGiven(const WriteFields& after, const FieldChange& change);

// A failed board's backup for its replacement: the replacement keeps its own MAC unless
// it is to take the old one.
WriteFields replacementFields(const WriteFields& backup, const WriteFields& replacement, bool takeMac);

} // namespace talvik
