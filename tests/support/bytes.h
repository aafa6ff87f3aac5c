#pragma once
// Byte literals for tests; header-only so byte tests need no window library.

#include <QByteArray>
#include <initializer_list>

namespace talvik::test {

inline QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray out;
    for (int v : values)
        out.append(char(v));
    return out;
}

// Positions from .. to, 1-based as the frames count them.
inline QByteArray slice(const QByteArray& frame, int from, int to)
{
    return frame.mid(from - 1, to - from + 1);
}

} // namespace talvik::test
