#pragma once
// What may be written to a board: one change to its fields, a backup, a board's
// replacement or a write undone, decided against what the board's permanent memory holds
// now. talvikctl, the fleet window and every job decide with decide() alone and only word
// what it says. The configurator's own write group is not held to these: its operator may
// write any octets.

#include "board/board_config.h"
#include "board/reason.h"

#include <QList>
#include <QStringList>
#include <optional>

namespace talvik {

// One change to a board's fields: those set replace the board's own, the others stay.
struct FieldChange {
    std::optional<Ipv4> ip, mask, router, dispatcher, reserve1, reserve2;
    std::optional<Mac> mac;
    std::optional<quint16> ident;
    std::optional<quint8> branch;
    std::optional<bool> consoleDynamic, dhcp;
    bool empty() const;
};

// The fields the change sets, named and worded as fieldTexts() names and words them.
QList<QPair<QString, QString>> fieldTexts(const FieldChange& change);

// `fields` with the change and the configurator's coupling of the two address types: a
// DHCP board makes the console dynamic, a static console makes the board static.
WriteFields withChange(WriteFields fields, const FieldChange& change);

// An IP address and mask at which the board could no longer be reached.
enum class IpProblem {
    Zero,              // 0.0.0.0
    Broadcast,         // 255.255.255.255
    Multicast,         // 224.0.0.0 and above
    Loopback,          // 127.0.0.0/8, for a board that is not on this PC (a simulated one)
    NetworkOfMask,     // the host part all zeros
    BroadcastOfMask,   // the host part all ones
    MaskNotContiguous, // 255.0.255.0
};
// None for a board on DHCP: it takes its address from the network, not from the frame.
// `board`: where the frame goes; a board addressed on loopback is a simulated one, and
// may keep a loopback address.
QList<IpProblem> ipProblems(const WriteFields& fields, BoardAddress board);

// The fields whose values the write frame cannot carry (with a static console it holds
// zeros for the dispatcher, the identifier and the reserves), by name ("ident").
QStringList notCarried(const WriteFields& fields);

// What is to be written to one board.
struct WritePlan {
    enum Kind {
        Change,      // `change` on the board's permanent memory, or on `source` when given (a file)
        Backup,      // `source`, a backup of this board
        Replacement, // `source`, a failed board's backup, keeping this board's MAC unless takeMac
        Undo,        // `source`, the memory before the write whose frame is `undoneFrame`
    } kind = Change;
    FieldChange change;
    std::optional<BoardConfig> source;
    bool takeMac = false;
    QByteArray undoneFrame;
    // Another job that wrote the board since what this plan takes back or finishes (an undo:
    // after the write undone; a retry: since its roll-out began, in fields it writes).
    QString writtenSince;
    // A replacement's old board still answers at the backup's address (asked before deciding).
    bool oldBoardAnswers = false;

    static WritePlan ofChange(const FieldChange& change, const std::optional<BoardConfig>& base = {});
    static WritePlan ofBackup(const BoardConfig& backup);
    static WritePlan ofReplacement(const BoardConfig& backup, bool takeMac);
    static WritePlan ofUndo(const BoardConfig& before, const QByteArray& undoneFrame);
};

// One thing that stands against the write, and what it concerns.
struct Refusal {
    Reason kind = Reason::None;
    QStringList fields;          // by name ("dispatcher", "ident"): given, not carried, or changed since
    QList<IpProblem> ipProblems; // Unreachable
    QList<Difference> since;     // ChangedSince: what the board holds against what that write left
    QString other;               // WrittenSince: the job that wrote the board since
    bool mayBeForced() const;
    // Stands for a change someone else made (ChangedSince, WrittenSince): forced only by the
    // operator of the undo or retry itself, never by a force the job it runs again was given.
    bool guardsOthers() const;
};

struct Decision {
    WriteFields fields;      // what the frame is built from
    QList<Refusal> refusals; // in the order they are named; empty: write it
    // What stops the write: every refusal, or with `force` only those that cannot be forced,
    // and of those that guard others' changes only those `overOthers` does not let through.
    QList<Refusal> blocking(bool force, bool overOthers) const;
    QList<Refusal> blocking(bool force) const { return blocking(force, force); }
    // Written with force: the fields the frame could not carry.
    QStringList notWritten() const;
};

// `now`: the board's permanent memory, read before the write (its address is the board's).
Decision decide(const BoardConfig& now, const WritePlan& plan);
// An undo of a board that holds what it would put back: nothing to write, and nothing
// stands against it.
bool undoneAlready(const BoardConfig& now, const WritePlan& plan);

// What an undo of a job's writes to one board puts back: each field as it was before the
// job first set it, unless someone else changed it between the job's writes (then as the
// job's last write found it). `writes`: the job's writes to the board in order, each the
// memory it was built on and what it sent (as the frame carried it).
struct WriteOfJob {
    WriteFields before, sent;
};
WriteFields undoneFields(const QList<WriteOfJob>& writes);

} // namespace talvik
