#pragma once
// The sockets of one talvikctl command: the listening port boards answer to (bound
// exclusively, like the window's), and the request client on it.

#include "arguments.h"
#include "protocol/board_client.h"
#include "protocol/udp_link.h"

namespace talvik::ctl {

struct PortBusyError {
    quint16 port;
};

class Session {
  public:
    // Throws PortBusyError when the port is taken.
    explicit Session(const LinkOptions& options);
    BoardClient& client() { return client_; }
    const LinkOptions& options() const { return options_; }

  private:
    LinkOptions options_;
    UdpLink link_;
    BoardClient client_;
};

} // namespace talvik::ctl
