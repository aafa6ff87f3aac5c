#pragma once
// How a UDP socket's receive buffer fares: what the system dropped because it was full,
// and how much of it is taken now (read on Linux, from the socket's own counters;
// elsewhere nothing is known, and the load says so).

#include <QtGlobal>

namespace talvik {

struct SocketLoad {
    quint64 drops = 0;  // datagrams dropped since the socket was opened
    qint64 queued = -1; // bytes waiting in its buffer; -1: not known
    qint64 size = -1;   // the buffer's size; -1: not known
};
SocketLoad socketLoad(qintptr descriptor);

} // namespace talvik
