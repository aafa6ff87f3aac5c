#include "net/socket_load.h"

#ifdef Q_OS_LINUX
#include <linux/sock_diag.h>
#include <sys/socket.h>
#endif

namespace talvik {

SocketLoad socketLoad(qintptr descriptor)
{
#ifdef Q_OS_LINUX
    // The drop counter is the one SO_RXQ_OVFL hands over with each datagram, read whenever asked.
    quint32 meminfo[SK_MEMINFO_VARS] = {};
    socklen_t size = sizeof meminfo;
    if (::getsockopt(int(descriptor), SOL_SOCKET, SO_MEMINFO, meminfo, &size) == 0 &&
        size > SK_MEMINFO_DROPS * sizeof(quint32))
        return {meminfo[SK_MEMINFO_DROPS], meminfo[SK_MEMINFO_RMEM_ALLOC], meminfo[SK_MEMINFO_RCVBUF]};
#else
    Q_UNUSED(descriptor)
#endif
    return {};
}

} // namespace talvik
