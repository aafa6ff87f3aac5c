#pragma once

#include <QtGlobal>

namespace talvik {

// True when this machine has no network interface but loopback (a test's own network
// namespace): whatever is sent to any address stays on the machine.
bool networkIsLoopbackOnly();

// Where tests and the simulator may send and listen: loopback, or any address while
// the network is loopback only.
bool addressStaysLocal(quint32 address);

} // namespace talvik
