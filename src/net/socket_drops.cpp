#include "net/socket_drops.h"

#ifdef Q_OS_LINUX
#include <linux/sock_diag.h>
#include <sys/socket.h>
#endif

namespace talvik {

quint64 socketDrops(qintptr descriptor)
{
#ifdef Q_OS_LINUX
    // The same counter SO_RXQ_OVFL hands over with each datagram, read whenever asked.
    quint32 meminfo[SK_MEMINFO_VARS] = {};
    socklen_t size = sizeof meminfo;
    if (::getsockopt(int(descriptor), SOL_SOCKET, SO_MEMINFO, meminfo, &size) == 0 &&
        size > SK_MEMINFO_DROPS * sizeof(quint32))
        return meminfo[SK_MEMINFO_DROPS];
#else
    Q_UNUSED(descriptor)
#endif
    return 0;
}

} // namespace talvik
