#pragma once
// Command frames sent to a board, and the configuration block that the write frame
// and a board's reply share. Positions are in frame_layout.h.

#include "wire/frame_layout.h"

#include <QByteArray>
#include <QString>
#include <array>
#include <cstdint>

namespace talvik {

using Ipv4 = std::array<quint8, 4>; // most significant octet first
using Mac = std::array<quint8, 6>;

constexpr int ReadFrameLength = 100;
constexpr int WriteFrameLength = 110;
constexpr int RebootFrameLength = 103;
constexpr int WordFrameLength = 100;

// "1234567890" ten times: the character at position p is the last digit of p.
QByteArray readPattern();
// "rzt" followed by the read pattern. Sent unchanged.
QByteArray rebootFrame();
// Forty characters that close the write frame; partly covered by the tag bytes.
QByteArray writePreamble();

// Which memory a configuration is read from. A backup written by talvikctl 1.1 says
// neither (its survey read the working configuration).
enum class Memory { Working, Permanent, Unknown };

// The window's read buttons: tag 0 reads the permanent memory, any other the working one.
Memory readMemoryForTag(int requesterTag);
// A read of the permanent memory carries 'd', of the working configuration 'C'.
QByteArray buildReadFrame(Memory memory);
// What a read frame asks for (a board's side of it).
Memory memoryAsked(const QByteArray& readFrame);

// The reboot sequence: each word frame ("msi", "vsi", "msi", "vsi") to the word port,
// WordPauseMs apart, then the reboot frame to the command ports.
constexpr int WordPauseMs = 100;
constexpr const char* RebootWords[] = {"msi", "vsi", "msi", "vsi"};

// Everything the write frame carries, already encoded from the window's editors.
struct WriteFields {
    Ipv4 dispatcher{};
    Ipv4 ip{};
    Ipv4 mask{};
    Ipv4 gateway{};
    Mac mac{};
    quint8 branch = 0;
    quint16 ident = 0;
    bool consoleDynamic = false; // dispatcher, ident and reserves travel only when set
    Ipv4 reserve1{};
    Ipv4 reserve2{};
    bool boardDhcp = false;

    bool operator==(const WriteFields& o) const
    {
        return dispatcher == o.dispatcher && ip == o.ip && mask == o.mask && gateway == o.gateway &&
               mac == o.mac && branch == o.branch && ident == o.ident && consoleDynamic == o.consoleDynamic &&
               reserve1 == o.reserve1 && reserve2 == o.reserve2 && boardDhcp == o.boardDhcp;
    }
    bool operator!=(const WriteFields& o) const { return !(*this == o); }
};

// The window's coupling of the two address types: a board that takes its address by
// DHCP has a dynamic console. A configuration against it is one the window never writes.
inline bool addressTypesAgree(const WriteFields& f)
{
    return !f.boardDhcp || f.consoleDynamic;
}

// Positions 1..40 as both the write frame and a board's configuration reply lay
// them out: addresses, MAC, "NL" and branch, "iden", identifier, console flag, reserves.
QByteArray configFields(const WriteFields& fields);
// The exact inverse of configFields: the block's fields from positions 1..40 (bytes
// past the end read as 0). The board's DHCP flag stands outside the block.
WriteFields readConfigFields(const QByteArray& bytes);
// A whole write frame or configuration reply: the block and the board's DHCP flag.
WriteFields readConfiguration(const QByteArray& frame);

QByteArray buildWriteFrame(const WriteFields& fields);
// Whether a datagram is a write frame as buildWriteFrame() makes them, byte for byte: one
// of this program's own, come back to it (it carries "iden" like a board's reply).
bool isWriteFrame(const QByteArray& datagram);

// Appends 0xFF until the frame is 110 bytes; longer frames stay as they are.
QByteArray padTailFF(QByteArray frame);
// Appends the first decimal digit of 0, 1, 2, ... until the text is 100 characters.
QByteArray padDigits(QByteArray text);

} // namespace talvik
