#pragma once
// Where everything stands in the frames the configurator sends and the replies it
// reads. Positions are 1-based, as the boards count them: position 1 is the first
// byte of a datagram. This header is the one place that names them.

#include <QByteArray>

namespace talvik::pos {

// The configuration block, positions 1..40, laid out alike in the write frame and in
// a board's configuration reply.
constexpr int Dispatcher = 1; // 4 bytes, most significant first
constexpr int BoardIp = 5;    // 4
constexpr int Mask = 9;       // 4
constexpr int Gateway = 13;   // 4
constexpr int Mac = 17;       // 6, first byte first
constexpr int BranchTag = 23; // "NL"
constexpr int Branch = 25;    // network branch number
constexpr int IdentTag = 26;  // "iden"; the fields after it are read only when it stands here
constexpr int IdentLow = 30;  // identifier, low byte first
constexpr int IdentHigh = 31;
constexpr int ConsoleFlag = 32; // 0 static, else dynamic
constexpr int Reserve1 = 33;    // 4
constexpr int Reserve2 = 37;    // 4
constexpr int ConfigBlockEnd = 40;

// The write frame after the block: zeros, the preamble, the tag, the board's flag.
constexpr int WriteZeros = 41;
constexpr int WriteZerosEnd = 45;
constexpr int WriteTag = 60; // "epwr" four times, to 75
constexpr int WriteTagEnd = 75;
constexpr int BoardDhcp = 76; // write frame: "1" or 0; reply: 0 static, else DHCP
constexpr int WritePreambleTail = 77;

// The read frame: "epr" and the letter that says which memory is read.
constexpr int ReadTag = 60;
constexpr int ReadLetter = 63;

// What a datagram begins with: "rzt" (reboot frame, acknowledgement), "ikl" (dump),
// "msi" and "vsi" (word frames).
constexpr int KindTag = 1;

// Replies.
constexpr int StatusMarker = 11; // 4 here: a status-only reply
constexpr int DumpFlag = 5;      // a dump shows only when this byte is not 0
constexpr int DumpEnd = 12;      // a dump shows bytes 1..12
constexpr int VersionTag = 43;   // "VER"
constexpr int Version = 46;      // up to 30 characters, ended early by '#'
constexpr int VersionEnd = 75;
constexpr int VersionLength = VersionEnd - Version + 1;

} // namespace talvik::pos

namespace talvik {

// The byte at a 1-based position; 0 past either end, so no read leaves the datagram.
inline quint8 byteAt(const QByteArray& datagram, int position)
{
    return position >= 1 && position <= datagram.size() ? quint8(datagram.at(position - 1)) : 0;
}

// Whether `text` stands at a 1-based position.
inline bool textAt(const QByteArray& datagram, int position, const char* text)
{
    for (int i = 0; text[i]; ++i)
        if (byteAt(datagram, position + i) != quint8(text[i]))
            return false;
    return true;
}

// Writes `bytes` over a frame from a 1-based position; the frame must reach that far.
inline void putAt(QByteArray& frame, int position, const QByteArray& bytes)
{
    frame.replace(position - 1, bytes.size(), bytes);
}

} // namespace talvik
