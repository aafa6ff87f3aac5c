#include "net/socket_batch_read.h"

#ifdef Q_OS_LINUX
#include <netinet/in.h>
#include <sys/socket.h>
#include <vector>
#endif

namespace talvik {

#ifdef Q_OS_LINUX
struct BatchReader::Buffers {
    std::vector<char> bytes;
    std::vector<iovec> vectors;
    std::vector<sockaddr_in> senders;
    std::vector<mmsghdr> headers;
};

BatchReader::BatchReader(int largest, int most) : buffers_(new Buffers), largest_(largest), most_(most)
{
    Buffers& b = *buffers_;
    const size_t slot = size_t(largest) + 1; // one byte more shows a larger datagram
    b.bytes.resize(slot * size_t(most));
    b.vectors.resize(size_t(most));
    b.senders.resize(size_t(most));
    b.headers.resize(size_t(most));
    for (size_t i = 0; i < size_t(most); ++i) {
        b.vectors[i] = {b.bytes.data() + i * slot, slot};
        b.headers[i].msg_hdr = {};
        b.headers[i].msg_hdr.msg_iov = &b.vectors[i];
        b.headers[i].msg_hdr.msg_iovlen = 1;
        b.headers[i].msg_hdr.msg_name = &b.senders[i];
    }
}

BatchReader::~BatchReader()
{
    delete buffers_;
}

bool BatchReader::available()
{
    return true;
}

int BatchReader::read(qintptr descriptor, QList<Datagram>& into)
{
    Buffers& b = *buffers_;
    for (int i = 0; i < most_; ++i)
        b.headers[size_t(i)].msg_hdr.msg_namelen = sizeof(sockaddr_in);
    const int n = ::recvmmsg(int(descriptor), b.headers.data(), unsigned(most_), MSG_DONTWAIT, nullptr);
    if (n < 0)
        return errno == EAGAIN || errno == EWOULDBLOCK ? 0 : -1;
    for (int i = 0; i < n; ++i) {
        const mmsghdr& h = b.headers[size_t(i)];
        if (h.msg_len > unsigned(largest_) || (h.msg_hdr.msg_flags & MSG_TRUNC))
            continue;
        const sockaddr_in& from = b.senders[size_t(i)];
        into.append(
            Datagram{QByteArray(static_cast<const char*>(h.msg_hdr.msg_iov->iov_base), qsizetype(h.msg_len)),
                     ntohl(from.sin_addr.s_addr), ntohs(from.sin_port)});
    }
    return n;
}
#else
struct BatchReader::Buffers {};

BatchReader::BatchReader(int largest, int most) : buffers_(nullptr), largest_(largest), most_(most) {}

BatchReader::~BatchReader() = default;

bool BatchReader::available()
{
    return false;
}

int BatchReader::read(qintptr, QList<Datagram>&)
{
    return 0;
}

#endif

} // namespace talvik
