#include "fleet/fleet_survey.h"

#include "fleet/fleet_wording.h"
#include "wire/board_address.h"
#include "wire/datagram.h"

#include <QNetworkInterface>
#include <QSet>

namespace talvik::fleet {

QList<Adapter> networksOf(const QList<Adapter>& adapters, const QString& only)
{
    QList<Adapter> out;
    QSet<QPair<quint32, int>> seen;
    for (const Adapter& a : adapters) {
        const bool linkLocal = (a.address >> 16) == 0xA9FE;
        if (isLoopback(a.address) || linkLocal || a.prefix < 16 || a.prefix > 30 ||
            (!only.isEmpty() && a.name != only))
            continue;
        if (!seen.contains({a.network(), a.prefix})) {
            seen.insert({a.network(), a.prefix});
            out.append(a);
        }
    }
    return out;
}

QStringList hostsOf(const QList<Adapter>& networks)
{
    QStringList out;
    for (const Adapter& a : networks) {
        const quint32 first = a.network() + 1, last = (a.network() | ~a.mask()) - 1;
        // Around the PC's own address, as two ranges.
        if (a.address > first)
            out.append(dottedText(first) + u'-' + dottedText(a.address - 1));
        if (a.address < last)
            out.append(dottedText(a.address + 1) + u'-' + dottedText(last));
    }
    return out;
}

qint64 hostCount(const QList<Adapter>& networks)
{
    qint64 n = 0;
    for (const Adapter& a : networks)
        n += qint64(~a.mask()) - 1 - (a.reaches(a.address) ? 1 : 0);
    return n;
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
    : QObject(parent), model_(model), ownPort_(ownPort), mostRows_(mostRows), client_(client),
      timer_(new QTimer(this))
{
    timer_->setSingleShot(true);
    connect(timer_, &QTimer::timeout, this, &Discovery::show);
    connect(&client, &BoardClient::othersArrived, this, [this](const QList<Datagram>& datagrams) {
        for (const Datagram& d : datagrams) {
            if (!identifierField(d.data) || isOwn(d))
                continue;
            const int prefix = client_.prefixOf(d.sender);
            if (addressUse(d.sender, prefix > 0 ? prefix : 24) != AddressUse::Board)
                continue;
            heard_.insert(d.sender, sentIdentifier(d.data));
            if (classify(d.data) == ReplyKind::Configuration && completeness(d.data) != Completeness::Partial)
                answered_.insert(d.sender, configFromReply(BoardAddress(d.sender), d.data, Memory::Working));
        }
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
    for (auto it = heard_.cbegin(); it != heard_.cend(); ++it) {
        const BoardAddress board(it.key());
        if (model_.rowOf(board) < 0 && model_.rowCount() >= mostRows_)
            continue;
        if (const auto config = answered_.constFind(it.key()); config != answered_.cend())
            model_.answered(board, *config);
        else
            model_.seen(board, it.value());
    }
    heard_.clear();
    answered_.clear();
}

} // namespace talvik::fleet
