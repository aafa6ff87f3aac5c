#include "net/socket_batch_send.h"

#include <algorithm>

#ifdef Q_OS_LINUX
#include <cerrno>
#include <netinet/in.h>
#include <sys/socket.h>
#include <vector>
#endif

namespace talvik {

#ifdef Q_OS_LINUX
namespace {
constexpr size_t MostInACall = 256;

struct Message {
    sockaddr_in to{};
    iovec payload{};
    int board = 0;
};
} // namespace

std::optional<int> sendBatch(qintptr descriptor, const QList<Link::Outgoing>& datagrams,
                             const QList<quint16>& ports)
{
    std::vector<Message> messages;
    messages.reserve(size_t(datagrams.size() * ports.size()));
    for (int b = 0; b < datagrams.size(); ++b)
        for (quint16 port : ports) {
            Message m;
            m.to.sin_family = AF_INET;
            m.to.sin_port = htons(port);
            m.to.sin_addr.s_addr = htonl(datagrams[b].host.toIPv4Address());
            m.payload = {const_cast<char*>(datagrams[b].datagram.constData()),
                         size_t(datagrams[b].datagram.size())};
            m.board = b;
            messages.push_back(m);
        }
    std::vector<mmsghdr> headers(std::min(MostInACall, messages.size()));
    size_t next = 0;
    while (next < messages.size()) {
        const size_t count = std::min(headers.size(), messages.size() - next);
        for (size_t i = 0; i < count; ++i) {
            Message& m = messages[next + i];
            headers[i] = {};
            headers[i].msg_hdr.msg_name = &m.to;
            headers[i].msg_hdr.msg_namelen = sizeof m.to;
            headers[i].msg_hdr.msg_iov = &m.payload;
            headers[i].msg_hdr.msg_iovlen = 1;
        }
        const int n = ::sendmmsg(int(descriptor), headers.data(), unsigned(count), MSG_DONTWAIT);
        if (n > 0) {
            next += size_t(n);
            continue;
        }
        const int failed = messages[next].board;
        if (errno == EAGAIN || errno == EWOULDBLOCK || errno == ENOBUFS)
            return failed; // no room: it and the rest wait
        // It did not go and will not: its board's other frames stay unsent too.
        while (next < messages.size() && messages[next].board == failed)
            ++next;
    }
    return int(datagrams.size());
}
#else
std::optional<int> sendBatch(qintptr, const QList<Link::Outgoing>&, const QList<quint16>&)
{
    return std::nullopt;
}
#endif

} // namespace talvik
