#include "net/socket_broadcast.h"

#ifdef Q_OS_WIN
#include <winsock2.h>
#else
#include <sys/socket.h>
#endif

namespace talvik {

bool setSocketBroadcast(qintptr descriptor, bool allowed)
{
    const int value = allowed ? 1 : 0;
#ifdef Q_OS_WIN
    return ::setsockopt(SOCKET(descriptor), SOL_SOCKET, SO_BROADCAST, reinterpret_cast<const char*>(&value),
                        int(sizeof value)) == 0;
#else
    return ::setsockopt(int(descriptor), SOL_SOCKET, SO_BROADCAST, &value, sizeof value) == 0;
#endif
}

} // namespace talvik
