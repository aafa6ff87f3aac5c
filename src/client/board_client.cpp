#include "client/board_client.h"

#include "wire/board_address.h"
#include "wire/datagram.h"
#include "wire/frames.h"

#include <QHostAddress>
#include <QSet>
#include <QTimer>
#include <algorithm>
#include <cmath>

namespace talvik {

struct BoardClient::Batch {
    QQueue<quint32> waiting; // not taken on yet: another request has the board
    std::function<QByteArray(BoardAddress)> frameFor;
    Accept accept;
    Timing timing;
    Done done;
    std::function<void()> finished;
    int running = 0;       // taken on and not done
    qint64 slowestMs = -1; // the slowest answer to a board's first frame
    bool lossSeen = false; // a board answered only when asked again
    // (sent at, board) in the order sent: the first live one has the earliest deadline.
    std::deque<std::pair<qint64, quint32>> asked;

    // With loss seen, twice the attempts: 2 x (1 + retries).
    int retries() const { return lossSeen ? 2 * timing.retries + 1 : timing.retries; }

    qint64 waitMs() const
    {
        if (slowestMs < 0)
            return timing.timeoutMs;
        return std::min(std::max(WaitFactor * slowestMs, qint64(WaitFloorMs)), qint64(timing.timeoutMs));
    }
};

struct BoardClient::Pending {
    std::shared_ptr<Batch> batch;
    QByteArray frame;
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
    if (!frames.isEmpty()) // a failed send is a lost datagram: the wait asks again
        link_.sendManyFromListener(frames, commandPorts_());
    if (!toSend_.empty())
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
    p->batch->asked.emplace_back(p->sentAt, board);
}

void BoardClient::check()
{
    const qint64 now = clock_.elapsed();
    for (const std::shared_ptr<Batch>& batch : QList(batches_)) {
        while (!batch->asked.empty()) {
            const auto [sentAt, board] = batch->asked.front();
            Pending* p = find(board);
            if (!p || p->batch != batch || p->sentAt != sentAt || p->queued) { // answered or asked again
                batch->asked.pop_front();
                continue;
            }
            if (sentAt + batch->waitMs() > now)
                break;
            batch->asked.pop_front();
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
    }
    pump();
}

void BoardClient::armCheck()
{
    qint64 next = -1;
    for (const std::shared_ptr<Batch>& batch : batches_) {
        while (!batch->asked.empty()) {
            const auto [sentAt, board] = batch->asked.front();
            const Pending* p = find(board);
            if (p && p->batch == batch && p->sentAt == sentAt && !p->queued)
                break;
            batch->asked.pop_front();
        }
        if (!batch->asked.empty()) {
            const qint64 deadline = batch->asked.front().first + batch->waitMs();
            next = next < 0 ? deadline : std::min(next, deadline);
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
        if (p->sends == 1 && !p->queued) // an answer to the only frame: a clean sample of the wait
            p->batch->slowestMs = std::max(p->batch->slowestMs, clock_.elapsed() - p->sentAt);
        else if (p->sends > 1)
            p->batch->lossSeen = true;
        finish(from, BoardReply{datagram, port, p->sends});
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
        const qint64 now = clock_.elapsed();
        const qint64 lastDue = p->sentAt + (now - p->firstSentAt) + batch->waitMs();
        settling_[board] =
            Settling{int(commandPorts_().size()) * p->sends - 1, std::max(now + batch->waitMs(), lastDue)};
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
