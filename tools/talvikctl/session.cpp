#include "session.h"

namespace talvik::ctl {

Session::Session(const LinkOptions& options)
    : options_(options), link_(options.localPort), client_(link_, options.commandPorts, options.wordPort)
{
    if (!link_.openListener())
        throw PortBusyError{options.localPort};
}

} // namespace talvik::ctl
