#include "session.h"

#include "net/adapters.h"
#include "net/port_wait.h"

namespace talvik::ctl {

Session::Session(const CommonOptions& options, bool broadcast, Journal* journal, int portWaitMs,
                 Listening listening)
    : options_(options), link_(options.localPort), client_(link_, options.commandPorts, options.wordPort),
      jobs_(client_, journal)
{
    link_.setBroadcastAllowed(broadcast);
    link_.setCoalesceMs(CoalesceMs);
    if (options.adapter)
        link_.setAdapterAddress(options.adapter->address);
    client_.setPrefix(prefixesOf(adapters())); // the waits follow each adapter's network
    if (listening == Listens && !openListenerWaiting(link_, portWaitMs))
        throw PortBusyError{options.localPort};
}

} // namespace talvik::ctl
