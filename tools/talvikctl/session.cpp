#include "session.h"

namespace talvik::ctl {

Session::Session(const CommonOptions& options, bool broadcast)
    : options_(options), link_(options.localPort), client_(link_, options.commandPorts, options.wordPort)
{
    link_.setBroadcastAllowed(broadcast);
    if (!link_.openListener())
        throw PortBusyError{options.localPort};
}

} // namespace talvik::ctl
