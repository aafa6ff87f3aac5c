#include "send_from.h"

#include <QNetworkDatagram>
#include <QUdpSocket>

#ifdef Q_OS_LINUX
#include <cstring>
#include <netinet/in.h>
#include <sys/socket.h>
#endif

namespace talvik::sim {

bool sendFrom(QUdpSocket& socket, const QHostAddress& source, const QHostAddress& to, quint16 port,
              const QByteArray& data)
{
#ifdef Q_OS_LINUX
    // Linux takes the source from ipi_spec_dst, which Qt leaves empty.
    sockaddr_in target{};
    target.sin_family = AF_INET;
    target.sin_port = htons(port);
    target.sin_addr.s_addr = htonl(to.toIPv4Address());
    iovec payload{const_cast<char*>(data.constData()), size_t(data.size())};
    alignas(cmsghdr) char control[CMSG_SPACE(sizeof(in_pktinfo))] = {};
    msghdr message{};
    message.msg_name = &target;
    message.msg_namelen = sizeof target;
    message.msg_iov = &payload;
    message.msg_iovlen = 1;
    message.msg_control = control;
    message.msg_controllen = sizeof control;
    cmsghdr* header = CMSG_FIRSTHDR(&message);
    header->cmsg_level = IPPROTO_IP;
    header->cmsg_type = IP_PKTINFO;
    header->cmsg_len = CMSG_LEN(sizeof(in_pktinfo));
    in_pktinfo info{};
    info.ipi_spec_dst.s_addr = htonl(source.toIPv4Address());
    std::memcpy(CMSG_DATA(header), &info, sizeof info);
    return ::sendmsg(int(socket.socketDescriptor()), &message, 0) == data.size();
#else
    QNetworkDatagram datagram(data, to, port);
    datagram.setSender(source, socket.localPort());
    return socket.writeDatagram(datagram) == data.size();
#endif
}

} // namespace talvik::sim
