#pragma once
// How many datagrams the system dropped for a socket because its receive buffer was
// full: the socket's own drop counter (on Linux; elsewhere none is read, and it is 0).

#include <QtGlobal>

namespace talvik {

quint64 socketDrops(qintptr descriptor);

} // namespace talvik
