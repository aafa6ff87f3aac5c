#include "client/board_client.h"

#include "wire/board_address.h"
#include "wire/datagram.h"
#include "wire/frames.h"

#include <QHostAddress>
#include <QSet>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <map>

namespace talvik {

struct BoardClient::Batch {
    QQueue<quint32> waiting; // not taken on yet: another request has the board
    std::function<QByteArray(BoardAddress)> frameFor;
    Accept accept;
    Timing timing;
    Done done;
    std::function<void()> finished;
    int running = 0;       // taken on and not done
    bool lossSeen = false; // a board answered only when asked again
    // The boards asked, by what their try is waited for (their network and which try it is),
    // each in the order sent: the first of each has the earliest deadline of its kind.
    std::map<std::pair<quint32, int>, std::deque<std::pair<qint64, quint32>>> asked;

    // With loss seen, twice the attempts: 2 x (1 + retries).
    int retries() const { return lossSeen ? 2 * timing.retries + 1 : timing.retries; }
};

struct BoardClient::Pending {
    std::shared_ptr<Batch> batch;
    QByteArray frame;
    quint32 board = 0;
    int attempts = 1;      // counted against the retries
    int askedForDrops = 0; // asked again because answers may have been dropped here
    int sends = 0;
    bool queued = true; // waiting for the pace
    qint64 sentAt = -1; // of the last send
    qint64 firstSentAt = -1;
    quint64 dropsAt = 0; // the link's drop count then
};

BoardClient::BoardClient(Link& link, const QList<quint16>& commandPorts, quint16 wordPort, QObject* parent)
    : BoardClient(
          link, [commandPorts] { return commandPorts; }, wordPort, parent)
{
}

BoardClient::BoardClient(Link& link, Ports commandPorts, quint16 wordPort, QObject* parent)
    : QObject(parent), link_(link), commandPorts_(std::move(commandPorts)), wordPort_(wordPort)
{
    clock_.start();
    const auto timer = [this](void (BoardClient::*slot)()) {
        auto* t = new QTimer(this);
        t->setSingleShot(true);
        t->setTimerType(Qt::PreciseTimer);
        connect(t, &QTimer::timeout, this, slot);
        return t;
    };
    pumpTimer_ = timer(&BoardClient::pump);
    checkTimer_ = timer(&BoardClient::check);
    wakeTimer_ = timer(&BoardClient::wake);
    connect(&link_, &Link::datagramsArrived, this, [this](const QList<Datagram>& datagrams) {
        QList<Datagram> others;
        for (const Datagram& d : datagrams)
            if (!onDatagram(d.data, d.sender, d.port))
                others.append(d);
        if (!others.isEmpty())
            emit othersArrived(others);
    });
}

BoardClient::~BoardClient() = default;

bool BoardClient::send(BoardAddress board, const QByteArray& frame)
{
    const QList<quint16> ports = commandPorts_();
    return link_.sendFromListener(QHostAddress(board.ipv4()), ports, frame) == ports.size();
}

bool BoardClient::sendVia(quint32 source, int adapterIndex, BoardAddress board, const QByteArray& frame)
{
    if (source == 0)
        return send(board, frame);
    for (quint16 port : commandPorts_())
        if (!link_.sendFromListenerVia(source, adapterIndex, QHostAddress(board.ipv4()), port, frame))
            return false;
    return true;
}

bool BoardClient::sendWord(BoardAddress board, const QByteArray& word)
{
    return link_.sendFromClient(QHostAddress(board.ipv4()), wordPort_, padDigits(word));
}

QList<PlannedFrame> BoardClient::planned(const QByteArray& frame) const
{
    QList<PlannedFrame> out;
    for (quint16 port : commandPorts_())
        out.append({port, frame});
    return out;
}

PlannedFrame BoardClient::plannedWord(const QByteArray& word) const
{
    return {wordPort_, padDigits(word)};
}

quint32 BoardClient::networkOf(quint32 board) const
{
    const int given = prefixOf_ ? prefixOf_(board) : 0;
    const int prefix = given > 0 && given <= 32 ? given : 24;
    return prefix == 32 ? board : board & ~(0xFFFFFFFFu >> prefix);
}

BoardClient::NetworkPace BoardClient::paceOf(BoardAddress board) const
{
    const auto it = networks_.find(networkOf(board.ipv4()));
    return it == networks_.end() ? NetworkPace{} : it->second;
}

qint64 BoardClient::roundTripOf(quint32 board) const
{
    const auto it = networks_.find(networkOf(board));
    if (it == networks_.end() || it->second.smoothedMs < 0)
        return FloorMs;
    return std::max<qint64>(FloorMs, qint64(std::ceil(it->second.smoothedMs + 4 * it->second.variationMs)));
}

qint64 BoardClient::waitOf(const Pending& p) const
{
    const Timing& t = p.batch->timing;
    if (t.fixed || p.attempts > p.batch->retries()) // the last try waits for any late answer
        return t.timeoutMs;
    const auto it = networks_.find(networkOf(p.board));
    if (it == networks_.end() || it->second.smoothedMs < 0) // nothing known of its network yet
        return t.timeoutMs;
    const NetworkPace& n = it->second;
    const double rto = std::max({double(FloorMs), n.smoothedMs + 4 * n.variationMs, double(n.neededMs)}) *
                       double(1 << std::min(p.attempts - 1, 16));
    return std::min<qint64>(qint64(std::ceil(rto)), t.timeoutMs);
}

// An answer's round trip, into its network's pace (RFC 6298, 2.2 and 2.3).
void BoardClient::sample(quint32 board, const Pending& p, qint64 now)
{
    NetworkPace& n = networks_[networkOf(board)];
    const qint64 since = now - p.sentAt; // at least what it needed, whichever try it answered
    n.neededMs = std::max(n.neededMs, since);
    if (p.sends != 1 || p.queued) // Karn: a try sent again says nothing of the round trip
        return;
    const double r = double(since);
    if (n.smoothedMs < 0) {
        n.smoothedMs = r;
        n.variationMs = r / 2;
        return;
    }
    n.variationMs = 0.75 * n.variationMs + 0.25 * std::abs(n.smoothedMs - r);
    n.smoothedMs = 0.875 * n.smoothedMs + 0.125 * r;
}

BoardClient::Pending* BoardClient::find(quint32 board) const
{
    const auto it = pending_.find(board);
    return it == pending_.end() ? nullptr : it->second.get();
}

bool BoardClient::settling(quint32 board)
{
    const auto it = settling_.find(board);
    if (it == settling_.end())
        return false;
    if (it->second.remaining > 0 && clock_.elapsed() < it->second.until)
        return true;
    settling_.erase(it);
    return false;
}

void BoardClient::requestMany(const QList<BoardAddress>& boards,
                              const std::function<QByteArray(BoardAddress)>& frameFor, const Accept& accept,
                              const Timing& timing, const Done& done, const std::function<void()>& finished)
{
    auto batch = std::make_shared<Batch>();
    QSet<quint32> listed;
    for (BoardAddress board : boards)
        if (!listed.contains(board.ipv4())) {
            listed.insert(board.ipv4());
            batch->waiting.enqueue(board.ipv4());
        }
    batch->frameFor = frameFor;
    batch->accept = accept;
    batch->timing = timing;
    batch->done = done;
    batch->finished = finished;
    batches_.append(batch);
    wake();
    endIfDone(batch); // an empty list
}

void BoardClient::wake()
{
    qint64 next = -1; // the first moment a settling board is free again
    for (const std::shared_ptr<Batch>& batch : QList(batches_)) {
        for (qsizetype i = 0; i < batch->waiting.size();) {
            const quint32 board = batch->waiting.at(i);
            if (busy(board)) { // one request per board at a time: it waits, the others go ahead
                if (const auto it = settling_.find(board); it != settling_.end())
                    next = next < 0 ? it->second.until : std::min(next, it->second.until);
                ++i;
                continue;
            }
            batch->waiting.removeAt(i);
            auto pending = std::make_unique<Pending>();
            pending->batch = batch;
            pending->board = board;
            pending->frame = batch->frameFor(BoardAddress(board));
            pending_.emplace(board, std::move(pending));
            ++batch->running;
            toSend_.push_back(board);
        }
    }
    if (next >= 0)
        wakeTimer_->start(int(std::clamp(next - clock_.elapsed() + 1, qint64(0), qint64(60000))));
    pump();
}

void BoardClient::pump()
{
    const qint64 now = clock_.elapsed();
    tokens_ = std::min(double(PaceBurst), tokens_ + double(now - tokensAt_) * PaceBoardsPerSecond / 1000.0);
    tokensAt_ = now;
    QList<Link::Outgoing> frames; // in one hand-over to the socket
    while (!toSend_.empty() && tokens_ >= 1) {
        const quint32 board = toSend_.front();
        toSend_.pop_front();
        Pending* p = find(board);
        if (!p || !p->queued) // answered or given up meanwhile, or sent already
            continue;
        tokens_ -= 1;
        ask(board);
        frames.append({QHostAddress(board), p->frame});
    }
    // A failed send is a lost datagram: the wait asks again. One that found no room in the
    // PC's buffers was never sent: no try, asked again when there is room.
    const int handed = frames.isEmpty() ? 0 : link_.sendManyFromListener(frames, commandPorts_());
    for (int i = int(frames.size()) - 1; i >= handed; --i) {
        const quint32 board = frames[i].host.toIPv4Address();
        unask(board);
        toSend_.push_front(board);
        tokens_ += 1;
    }
    if (handed < frames.size())
        pumpTimer_->start(RoomWaitMs);
    else if (!toSend_.empty())
        pumpTimer_->start(std::max(PumpMs, int(std::ceil((1 - tokens_) * 1000.0 / PaceBoardsPerSecond))));
    armCheck();
}

void BoardClient::ask(quint32 board)
{
    Pending* p = find(board);
    p->queued = false;
    ++p->sends;
    p->sentAt = clock_.elapsed();
    if (p->sends == 1)
        p->firstSentAt = p->sentAt;
    p->dropsAt = link_.dropped();
    p->batch->asked[{networkOf(board), p->attempts}].emplace_back(p->sentAt, board);
}

void BoardClient::unask(quint32 board)
{
    Pending* p = find(board);
    p->queued = true; // its entry among the asked is passed over
    if (--p->sends == 0)
        p->firstSentAt = -1;
}

void BoardClient::check()
{
    const qint64 now = clock_.elapsed();
    for (const std::shared_ptr<Batch>& batch : QList(batches_)) {
        for (auto group = batch->asked.begin(); group != batch->asked.end();) {
            auto& asked = group->second;
            while (!asked.empty()) {
                const auto [sentAt, board] = asked.front();
                Pending* p = find(board);
                if (!p || p->batch != batch || p->sentAt != sentAt || p->queued) { // answered or asked again
                    asked.pop_front();
                    continue;
                }
                if (sentAt + waitOf(*p) > now)
                    break;
                asked.pop_front();
                if (link_.dropped() > p->dropsAt && p->askedForDrops < MostAskedForDrops) {
                    ++p->askedForDrops; // its answer may be among those this PC dropped
                }
                else if (p->attempts <= batch->retries()) {
                    ++p->attempts;
                }
                else {
                    finish(board, std::nullopt);
                    continue;
                }
                p->queued = true;
                toSend_.push_back(board);
            }
            group = asked.empty() ? batch->asked.erase(group) : std::next(group);
        }
    }
    pump();
}

void BoardClient::armCheck()
{
    qint64 next = -1;
    for (const std::shared_ptr<Batch>& batch : batches_) {
        for (auto& [key, asked] : batch->asked) {
            while (!asked.empty()) {
                const auto [sentAt, board] = asked.front();
                const Pending* p = find(board);
                if (p && p->batch == batch && p->sentAt == sentAt && !p->queued) {
                    const qint64 deadline = sentAt + waitOf(*p);
                    next = next < 0 ? deadline : std::min(next, deadline);
                    break;
                }
                asked.pop_front();
            }
        }
    }
    if (next < 0)
        checkTimer_->stop();
    else
        checkTimer_->start(int(std::max(qint64(0), next - clock_.elapsed())));
}

bool BoardClient::awaits(BoardAddress address, const QByteArray& datagram) const
{
    const quint32 board = address.ipv4();
    if (const Pending* p = find(board))
        return p->batch->accept(address, datagram);
    const auto it = settling_.find(board);
    return it != settling_.end() && it->second.remaining > 0 && clock_.elapsed() < it->second.until &&
           classify(datagram) != ReplyKind::Other;
}

void BoardClient::cancelAll()
{
    for (const std::shared_ptr<Batch>& batch : batches_)
        batch->waiting.clear();
    toSend_.clear();
    QList<quint32> asked;
    for (const auto& [board, pending] : pending_)
        asked.append(board);
    for (quint32 board : asked)
        finish(board, std::nullopt);
    for (const std::shared_ptr<Batch>& batch : QList(batches_)) // those that had no request out
        endIfDone(batch);
}

bool BoardClient::onDatagram(const QByteArray& datagram, quint32 from, quint16 port)
{
    emit datagramArrived(datagram, from, port);
    Pending* p = find(from);
    if (p && p->batch->accept(BoardAddress(from), datagram)) {
        const qint64 now = clock_.elapsed();
        // Answered only when asked again, and at once: the tries before were lost. A late
        // answer to an earlier try says the board is slow, not that the network loses.
        if (p->sends > 1 && !p->queued && now - p->sentAt <= roundTripOf(from))
            p->batch->lossSeen = true;
        sample(from, *p, now);
        finish(from, BoardReply{datagram, port, p->sends});
        armCheck(); // the waits of its network may be shorter now
        return true;
    }
    if (p)
        return false;
    const auto it = settling_.find(from);
    if (it == settling_.end())
        return false;
    // Another answer to a request just answered (a board answers from each port).
    const bool answer = clock_.elapsed() < it->second.until && classify(datagram) != ReplyKind::Other;
    if (--it->second.remaining <= 0) {
        settling_.erase(it);
        wake();
    }
    return answer;
}

void BoardClient::finish(quint32 board, const std::optional<BoardReply>& reply)
{
    const auto it = pending_.find(board);
    if (it == pending_.end())
        return;
    std::unique_ptr<Pending> p = std::move(it->second);
    pending_.erase(it);
    const std::shared_ptr<Batch> batch = p->batch;
    if (reply) { // the other answers to what was sent are still to come
        // This may be the answer to the first frame: then the answers to the last come as long
        // after it, and one taken for the answer to the next request would be stale.
        const qint64 now = clock_.elapsed(), wait = std::min<qint64>(waitOf(*p), batch->timing.timeoutMs);
        const qint64 lastDue = p->sentAt + (now - p->firstSentAt) + wait;
        settling_[board] =
            Settling{int(commandPorts_().size()) * p->sends - 1, std::max(now + wait, lastDue)};
    }
    --batch->running;
    if (batch->done)
        batch->done(BoardAddress(board), reply);
    endIfDone(batch);
    wake(); // the board is free for a batch that waits for it; the waits may have changed
}

void BoardClient::endIfDone(const std::shared_ptr<Batch>& batch)
{
    if (batch->running > 0 || !batch->waiting.isEmpty() || !batches_.contains(batch))
        return;
    batches_.removeOne(batch);
    if (auto finished = std::move(batch->finished))
        finished();
}

} // namespace talvik
