#pragma once
// The sockets of one talvikctl command: the listening port boards answer to (bound
// exclusively, like the window's), the request client on it and the job engine over that.
// Its sockets may send to no broadcast address, unless the command is a broadcast survey.

#include "arguments.h"
#include "client/board_jobs.h"
#include "net/port_wait.h"
#include "net/udp_link.h"

namespace talvik::ctl {

struct PortBusyError {
    quint16 port;
};

class Session {
  public:
    // Throws PortBusyError when the port stays taken for `portWaitMs` (the exporter's survey
    // ends within it). `journal`: where writes are recorded. A session that sends nothing
    // and waits for no answer (a dry run of reads or reboots) leaves the port alone.
    enum Listening { Listens, SendsNothing };
    explicit Session(const CommonOptions& options, bool broadcast = false, Journal* journal = nullptr,
                     int portWaitMs = PortWaitMs, Listening listening = Listens);
    BoardClient& client() { return client_; }
    BoardJobs& jobs() { return jobs_; }
    Link& link() { return link_; }
    const CommonOptions& options() const { return options_; }

    // Answers are handed to the engine at most every CoalesceMs while they stream in: no
    // window waits for them, and each hand-over wakes both threads. A single answer after
    // a pause still goes at once.
    static constexpr int CoalesceMs = 10;

  private:
    CommonOptions options_;
    UdpLink link_;
    BoardClient client_;
    BoardJobs jobs_;
};

} // namespace talvik::ctl
