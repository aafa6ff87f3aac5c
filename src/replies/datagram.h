#pragma once
// Reading what arrives on the listening port. Positions are 1-based as boards
// count them, and a read past the end of a datagram sees 0: no read ever leaves
// the buffer, whatever its length.

#include "protocol/frames.h"

#include <QByteArray>
#include <QString>
#include <optional>

namespace talvik {

quint8 byteAt(const QByteArray& datagram, int position);
bool textAt(const QByteArray& datagram, int position, const char* text);

// "ikl" at 1..3 and byte 5 not 0: bytes 1..12 in decimal, joined by '*', ended by '#'.
std::optional<QString> diagnosticDump(const QByteArray& datagram);

// First "ide" anywhere, at p: byte p+4 + 256 * byte p+5.
std::optional<int> identifierField(const QByteArray& datagram);

constexpr int MaxConfigReply = 100;
// "iden" somewhere, none of "vzo", "otv", "ort", at most 100 bytes.
bool passesConfigGate(const QByteArray& datagram);

enum class ReplyKind { Other, RebootAck, StatusOnly, Configuration };
ReplyKind classify(const QByteArray& datagram);

// Positions 26..40 when "iden" stands at 26..29.
struct IdentBlock {
    int ident = 0;
    bool consoleDynamic = false;
    Ipv4 reserve1{};
    Ipv4 reserve2{};
};
std::optional<IdentBlock> identBlock(const QByteArray& datagram);

// The branch number that follows "NL" at 23..24.
std::optional<int> branchNumber(const QByteArray& datagram);

// "VER" at 43..45: the characters from 46 up to the first '#', 30 at most.
std::optional<QString> versionText(const QByteArray& datagram);

} // namespace talvik
