#include "fleet/fleet_survey.h"

#include "client/configuration_reply.h"
#include "fleet/fleet_texts.h"
#include "fleet/fleet_wording.h"
#include "wire/datagram.h"

#include <QNetworkInterface>
#include <QSet>

namespace talvik::fleet {

QList<AddressRange> networksOf(const QList<QPair<quint32, int>>& addresses)
{
    QList<AddressRange> out;
    QSet<quint32> seen;
    for (const auto& [address, prefix] : addresses) {
        const bool loopback = (address >> 24) == 127, linkLocal = (address >> 16) == 0xA9FE;
        if (loopback || linkLocal || prefix > 24 || prefix <= 0)
            continue;
        const quint32 network = address & 0xFFFFFF00u;
        if (!seen.contains(network)) {
            seen.insert(network);
            out.append({network | 1u, network | 254u});
        }
    }
    return out;
}

QList<AddressRange> myNetworks()
{
    QList<QPair<quint32, int>> addresses;
    for (const QNetworkInterface& i : QNetworkInterface::allInterfaces())
        if (i.flags().testFlag(QNetworkInterface::IsUp))
            for (const QNetworkAddressEntry& e : i.addressEntries())
                if (e.ip().protocol() == QAbstractSocket::IPv4Protocol)
                    addresses.append({e.ip().toIPv4Address(), e.prefixLength()});
    return networksOf(addresses);
}

FleetSurvey::FleetSurvey(BoardClient& client, FleetModel& model, QObject* parent)
    : QObject(parent), client_(client), model_(model)
{
}

void FleetSurvey::start(const QList<quint32>& boards, bool bothMemories, const Timing& timing)
{
    running_ = true;
    done_ = 0;
    total_ = int(boards.size());
    droppedBefore_ = client_.link().dropped();
    lost_ = 0;
    model_.holdUpdates(true);
    const quint64 generation = ++generation_;
    auto shortOf = std::make_shared<ShortReplies>();
    const auto current = [this, generation] { return generation == generation_; };
    emit progress(0, total_);
    client_.requestMany(
        boards, [](quint32) { return buildReadFrame('C'); },
        acceptConfiguration(Completeness::Block, shortOf.get()), timing,
        [=](quint32 board, const std::optional<BoardReply>& reply) {
            if (!current())
                return;
            if (!reply) {
                model_.noAnswer(board, shortReplyText(*shortOf, board));
                boardDone();
                return;
            }
            model_.answered(board, configFromReply(board, reply->datagram, Memory::Working));
            if (!bothMemories) {
                boardDone();
                return;
            }
            // Once the answers to this read are in, so that none is taken for the next.
            client_.requestMany(
                {board}, [](quint32) { return buildReadFrame('d'); },
                acceptConfiguration(Completeness::Block, nullptr), timing,
                [=](quint32, const std::optional<BoardReply>& permanent) {
                    if (!current())
                        return;
                    if (permanent)
                        model_.permanentRead(board,
                                             configFromReply(board, permanent->datagram, Memory::Permanent));
                    boardDone();
                },
                {});
        },
        {});
    if (total_ == 0)
        boardDone();
}

void FleetSurvey::boardDone()
{
    if (total_ > 0)
        emit progress(++done_, total_);
    lost_ = client_.link().dropped() - droppedBefore_;
    if (done_ >= total_ && running_) {
        running_ = false;
        model_.holdUpdates(false);
        emit finished();
    }
}

void FleetSurvey::cancel()
{
    if (!running_)
        return;
    ++generation_;
    running_ = false;
    client_.cancelAll();
    model_.holdUpdates(false);
    emit finished();
}

Discovery::Discovery(Link& link, FleetModel& model, quint16 ownPort, int mostRows, QObject* parent)
    : QObject(parent), model_(model), ownPort_(ownPort), mostRows_(mostRows), timer_(new QTimer(this))
{
    timer_->setSingleShot(true);
    connect(timer_, &QTimer::timeout, this, &Discovery::show);
    connect(&link, &Link::datagramsArrived, this, [this](const QList<Datagram>& datagrams) {
        for (const Datagram& d : datagrams)
            if (identifierField(d.data) && !isOwn(d))
                if (addressUse(d.sender) == AddressUse::Board)
                    heard_.insert(d.sender, sentIdentifier(d.data));
        if (!heard_.isEmpty() && !timer_->isActive())
            timer_->start(heard_.size() == 1 && datagrams.size() == 1 ? 0 : IntervalMs);
    });
}

bool Discovery::isOwn(const Datagram& d)
{
    if (isWriteFrame(d.data))
        return true;
    if (d.port != ownPort_)
        return false;
    // The listening port is bound exclusively: from one of this PC's addresses, it is ours.
    if (!sinceLookup_.isValid() || sinceLookup_.hasExpired(10000)) {
        ownAddresses_.clear();
        for (const QHostAddress& a : QNetworkInterface::allAddresses())
            if (a.protocol() == QAbstractSocket::IPv4Protocol)
                ownAddresses_.insert(a.toIPv4Address());
        sinceLookup_.start();
    }
    return isLoopback(d.sender) || ownAddresses_.contains(d.sender);
}

void Discovery::show()
{
    for (auto it = heard_.cbegin(); it != heard_.cend(); ++it)
        if (model_.rowOf(it.key()) >= 0 || model_.rowCount() < mostRows_)
            model_.seen(it.key(), it.value());
    heard_.clear();
}

} // namespace talvik::fleet
