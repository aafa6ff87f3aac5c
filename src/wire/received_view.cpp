#include "wire/received_view.h"

namespace talvik {

void takeDatagram(ReceivedView& view, const QByteArray& datagram, bool readBack)
{
    if (auto dump = diagnosticDump(datagram))
        view.dump = std::move(dump);
    if (const auto ident = identifierField(datagram))
        view.ident = ident;
    if (!readBack)
        return;
    switch (classify(datagram)) {
    case ReplyKind::Other:
        return;
    case ReplyKind::RebootAck:
        view.rebootAcknowledged = true;
        break;
    case ReplyKind::StatusOnly:
        break;
    case ReplyKind::Configuration:
        decodeFields(view, datagram);
        break;
    }
    showTypeAndVersion(view, datagram);
}

void decodeFields(ReceivedView& view, const QByteArray& datagram)
{
    // Only the editors whose bytes the reply reaches are written: a short reply leaves
    // the rest as the read request emptied them.
    const WriteFields f = readConfigFields(datagram);
    const auto reaches = [&](int position) { return position <= datagram.size(); };
    const std::pair<int, const Ipv4*> rows[] = {{pos::Dispatcher, &f.dispatcher},
                                                {pos::BoardIp, &f.ip},
                                                {pos::Mask, &f.mask},
                                                {pos::Gateway, &f.gateway}};
    for (size_t r = 0; r < 4; ++r)
        for (size_t i = 0; i < 4; ++i)
            if (reaches(rows[r].first + int(i)))
                view.addresses[r * 4 + i] = (*rows[r].second)[i];
    for (size_t i = 0; i < f.mac.size(); ++i)
        if (reaches(pos::Mac + int(i)))
            view.mac[i] = f.mac[i];
    if (auto block = identBlock(datagram)) {
        view.consoleDynamic = block->consoleDynamic;
        view.identBlock = std::move(block);
    }
    if (const auto branch = branchNumber(datagram))
        view.branch = branch;
}

void showTypeAndVersion(ReceivedView& view, const QByteArray& datagram)
{
    view.typeShown = true;
    if (const auto version = versionText(datagram))
        view.version = version->isEmpty() ? QString() : *version + view.versionSuffix;
    // The board's DHCP flag counts only while a version is shown.
    view.boardDhcp = boardDhcpShown(datagram, view.version);
}

} // namespace talvik
