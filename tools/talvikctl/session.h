#pragma once
// The sockets of one talvikctl command: the listening port boards answer to (bound
// exclusively, like the window's), and the request client on it. Its sockets may send
// to no broadcast address, unless the command is a broadcast survey.

#include "arguments.h"
#include "client/board_client.h"
#include "net/udp_link.h"

namespace talvik::ctl {

struct PortBusyError {
    quint16 port;
};

class Session {
  public:
    // Throws PortBusyError when the port is taken.
    explicit Session(const CommonOptions& options, bool broadcast = false);
    BoardClient& client() { return client_; }
    Link& link() { return link_; }
    const CommonOptions& options() const { return options_; }

  private:
    CommonOptions options_;
    UdpLink link_;
    BoardClient client_;
};

} // namespace talvik::ctl
