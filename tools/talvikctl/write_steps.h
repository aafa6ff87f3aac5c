#pragma once
// The steps every write of talvikctl takes (write, apply, undo): the values checked, the
// frame journaled before it leaves, sent, the permanent memory read back and compared,
// and the result printed.

#include "arguments.h"
#include "client/field_change.h"
#include "journal/journal.h"

#include <QStringList>

namespace talvik::ctl {

class Session;

enum class Outcome { Verified, Written, NoReadBack, Mismatch, NotSent, NotJournaled };

struct Result {
    Outcome outcome;
    QList<Difference> differences;
    QString detail;         // why there was no read-back, or why the journal refused
    QStringList notWritten; // what the configuration held and the frame could not carry (--force)
};

// One write: journaled with `before` (the permanent memory it was built on, when known)
// before its frame is sent, and its result after. A write the journal refuses is not sent.
Result writeAndVerify(Session& session, Journal& journal, const QString& by,
                      const std::optional<BoardConfig>& before, const BoardConfig& config, bool verify);
QString outcomeText(const Result& result);
int exitOf(Outcome outcome);
void report(quint32 board, const Result& result, bool json);

BoardConfig readBackup(const QString& path);

// The options that change one field, each value checked before anything is sent.
void addFieldOptions(CommandLine& line);
FieldChange changeOptions(const CommandLine& line);
// What the window would never write: options the frame would drop, or DHCP with a static console.
QString refusal(const WriteFields& after, const FieldChange& change);
// What --force lets through: an address at which the board would be out of reach, and
// values that the frame cannot carry (they would be lost, not restored).
QString unlessForced(const BoardConfig& config);

} // namespace talvik::ctl
