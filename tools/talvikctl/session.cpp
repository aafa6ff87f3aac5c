#include "session.h"

namespace talvik::ctl {

Session::Session(const CommonOptions& options, bool broadcast, Journal* journal)
    : options_(options), link_(options.localPort), client_(link_, options.commandPorts, options.wordPort),
      jobs_(client_, journal)
{
    link_.setBroadcastAllowed(broadcast);
    if (!link_.openListener())
        throw PortBusyError{options.localPort};
}

} // namespace talvik::ctl
