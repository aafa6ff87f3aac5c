#pragma once
// Many datagrams onto a UDP socket in few system calls where the system has one (sendmmsg
// on Linux): a survey of ten thousand boards is twenty thousand frames, and one call each
// was most of its time in the kernel. Elsewhere nothing is sent here and the caller sends
// one at a time.

#include "net/link.h"

#include <QList>
#include <QtGlobal>
#include <optional>

namespace talvik {

// Each datagram to each port in turn, as Link::sendManyFromListener: a board whose frame
// fails to go is not sent its others. Returns how many datagrams, from the first, were
// handed over or failed for good, stopping at the first that found no room in the socket's
// send buffer; nullopt where there is no such call (nothing was sent).
std::optional<int> sendBatch(qintptr descriptor, const QList<Link::Outgoing>& datagrams,
                             const QList<quint16>& ports);

} // namespace talvik
