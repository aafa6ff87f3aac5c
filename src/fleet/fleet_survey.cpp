#include "fleet/fleet_survey.h"

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
    : QObject(parent), model_(model), engine_(client, nullptr)
{
    connect(&engine_, &BoardJobs::progress, this, &FleetSurvey::progress);
    connect(&engine_, &BoardJobs::boardDone, this, &FleetSurvey::shown);
    connect(&engine_, &BoardJobs::finished, this, [this](const JobSummary& summary) {
        lost_ = summary.lostToOverload;
        model_.holdUpdates(false);
        emit finished();
    });
}

void FleetSurvey::start(const QList<BoardAddress>& boards, bool bothMemories, const Timing& timing)
{
    lost_ = 0;
    model_.holdUpdates(true);
    engine_.read(boards, ReadSpec{Memory::Working, Completeness::Block, bothMemories, Completeness::Block},
                 timing);
}

void FleetSurvey::shown(const BoardResult& r)
{
    if (r.outcome == Outcome::Cancelled)
        return;
    if (!r.config)
        return model_.noAnswer(r.board, r.reason == Reason::NoReply ? QString()
                                                                    : noAnswerState(r.reason, r.replyBytes));
    model_.answered(r.board, *r.config);
    if (r.permanent)
        model_.permanentRead(r.board, *r.permanent);
}

void FleetSurvey::cancel()
{
    engine_.cancel();
}

Discovery::Discovery(BoardClient& client, FleetModel& model, quint16 ownPort, int mostRows, QObject* parent)
    : QObject(parent), model_(model), ownPort_(ownPort), mostRows_(mostRows), timer_(new QTimer(this))
{
    timer_->setSingleShot(true);
    connect(timer_, &QTimer::timeout, this, &Discovery::show);
    connect(&client, &BoardClient::othersArrived, this, [this](const QList<Datagram>& datagrams) {
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
        if (model_.rowOf(BoardAddress(it.key())) >= 0 || model_.rowCount() < mostRows_)
            model_.seen(BoardAddress(it.key()), it.value());
    heard_.clear();
}

} // namespace talvik::fleet
