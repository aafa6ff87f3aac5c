#pragma once
// What stands against writing a configuration to a board, checked before anything is sent,
// the same for talvikctl and the fleet window. The configurator's own write group is not
// held to these: its operator may write any octets.

#include "client/board_config.h"

#include <QList>
#include <QStringList>
#include <optional>

namespace talvik {

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
QList<IpProblem> ipProblems(const WriteFields& fields, quint32 board);
QString ipProblemText(IpProblem problem, const WriteFields& fields); // "ip 0.0.0.0 is no host's address"

// The fields whose values the write frame cannot carry (with a static console it holds
// zeros for the dispatcher, the identifier and the reserves), by name ("ident").
QStringList notCarried(const WriteFields& fields);

// A backup file and what it holds.
struct Backup {
    QString path;
    BoardConfig config;
};
// Two backups for one board: the first pair of files found, else nullopt.
struct SameBoard {
    QString first, second;
    quint32 board = 0;
};
std::optional<SameBoard> sameBoardTwice(const QList<Backup>& backups);

} // namespace talvik
