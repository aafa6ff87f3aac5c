#pragma once
// A board's configuration reply written out byte by byte, independently of the code
// under test: dispatcher 10.0.0.1, board 192.168.1.20 / 255.255.255.0 via
// 192.168.1.1, MAC 00:1E:AF:05:C0:FF, "NL" and branch 3, "iden" and identifier 12345,
// the console flag, reserves 1.2.3.4 and 5.6.7.8, "VER" and the version, and the
// board's DHCP flag at position 76.

#include "bytes.h"

namespace talvik::test {

inline QByteArray goldenReply(int consoleFlag = 2, const QByteArray& version = "2.17#", int dhcp = '1',
                              int length = 80)
{
    QByteArray r(length, '\0');
    const QByteArray head =
        bytes({10,   0,           0,    1,    192,  168,  1,    20,  255, 255, 255, 0,   192, 168, 1,
               1,    0x00,        0x1E, 0xAF, 0x05, 0xC0, 0xFF, 'N', 'L', 3,   'i', 'd', 'e', 'n', 0x39,
               0x30, consoleFlag, 1,    2,    3,    4,    5,    6,   7,   8,   0,   0,   'V', 'E', 'R'}) +
        version;
    r.replace(0, qMin(head.size(), qsizetype(length)), head.left(length));
    if (length >= 76)
        r[75] = char(dhcp);
    return r;
}

} // namespace talvik::test
