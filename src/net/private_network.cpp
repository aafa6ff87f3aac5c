#include "net/private_network.h"

#include "wire/board_address.h"

#include <QNetworkInterface>

namespace talvik {

bool networkIsLoopbackOnly()
{
    for (const QNetworkInterface& i : QNetworkInterface::allInterfaces())
        if (!(i.flags() & QNetworkInterface::IsLoopBack))
            return false;
    return true;
}

bool addressStaysLocal(quint32 address)
{
    return isLoopback(address) || networkIsLoopbackOnly();
}

} // namespace talvik
