#pragma once
// Reading what arrives on the listening port. Positions (frame_layout.h) are 1-based
// as boards count them, and a read past the end of a datagram sees 0: no read ever
// leaves the buffer, whatever its length.

#include "wire/frames.h"

#include <QByteArray>
#include <QString>
#include <optional>

namespace talvik {

// "ikl" first and its flag byte not 0: bytes 1..12 in decimal, joined by '*', ended by '#'.
std::optional<QString> diagnosticDump(const QByteArray& datagram);

// First "ide" anywhere, at p: byte p+4 + 256 * byte p+5.
std::optional<int> identifierField(const QByteArray& datagram);
// The same, only when the datagram holds both of the identifier's bytes: a board that sent
// "iden" and stopped sent no identifier, though identifierField() reads it as 0.
std::optional<int> sentIdentifier(const QByteArray& datagram);

constexpr int MaxConfigReply = 100;
// "iden" somewhere, none of "vzo", "otv", "ort", at most 100 bytes.
bool passesConfigGate(const QByteArray& datagram);

enum class ReplyKind { Other, RebootAck, StatusOnly, Configuration };
ReplyKind classify(const QByteArray& datagram);

// The identifier, console flag and reserves of the configuration block, when "iden"
// stands at its place.
struct IdentBlock {
    int ident = 0;
    bool consoleDynamic = false;
    Ipv4 reserve1{};
    Ipv4 reserve2{};
};
std::optional<IdentBlock> identBlock(const QByteArray& datagram);

// The branch number that follows "NL".
std::optional<int> branchNumber(const QByteArray& datagram);

// After "VER": the characters up to the first '#', 30 at most.
std::optional<QString> versionText(const QByteArray& datagram);

// The board's DHCP flag as the window shows it: byte 76, and only beside a shown
// (non-empty) version.
bool boardDhcpShown(const QByteArray& datagram, const QString& shownVersion);

// How much of a board's configuration a configuration reply carries.
enum class Completeness {
    Partial,  // short of the whole block (positions 1..40 with "iden" at 26)
    Block,    // the whole block, but no version (so no DHCP flag, as the window shows it)
    Complete, // the block, a version and the DHCP flag: enough to write back
};
Completeness completeness(const QByteArray& configurationReply);

} // namespace talvik
