#pragma once
// Why an operation on a board did not simply succeed: one kind for talvikctl, the fleet
// window and the exporter alike, each of which words it in its own language.

#include <QString>
#include <optional>

namespace talvik {

enum class Reason {
    None,
    // The board's answer to a read.
    NoReply,    // nothing came
    ShortReply, // only part of a configuration came
    NoVersion,  // a configuration without "VER", so without the DHCP flag: no base for a write
    // A write.
    NotJournaled, // the journal could not record it, so its frame was not sent
    NotSent,      // the socket would not send it
    NoReadBack,   // sent, but the permanent memory did not answer afterwards
    Mismatch,     // sent, and the permanent memory holds something else
    // A reboot.
    NotAcknowledged, // no "rzt" answer to the reboot frame
    NotBack,         // acknowledged, but it did not answer again in time
    // What the rules refuse (board_rules.h); those marked may be forced.
    ConsoleOnlyFields,     // dispatcher, identifier or reserves given for a static console
    DhcpWithStaticConsole, // a pair the configurator never writes
    NotCarried,            // forced: values a static console's frame carries as zeros
    Unreachable,           // forced: an IP address or mask the board could not be reached at
    NotPermanentMemory,    // forced: a backup of the working configuration, or of unknown memory
    ChangedSince,          // forced: undo, and the board was written since that write
    OldBoardAnswers,       // forced: a replacement, and the old board still answers at its address
    WrittenSince,          // forced: undo, and a later job wrote the board since
    // A board not tried.
    FailureLimit,  // the job stopped: too many boards failed
    JournalFailed, // the job stopped: the journal can no longer be written
    Cancelled,     // the operator stopped it
};

// The word scripts and the journal use: "no-reply", "console-only-fields", ...
QString reasonKey(Reason reason);
// And back; nothing for a word of no kind (an empty one is None).
std::optional<Reason> reasonFromKey(const QString& key);

} // namespace talvik
