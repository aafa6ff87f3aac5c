#include "client/board_client.h"

#include "wire/board_address.h"
#include "wire/datagram.h"
#include "wire/frames.h"

#include <QEventLoop>
#include <QHostAddress>
#include <QSet>
#include <QTimer>

namespace talvik {

struct BoardClient::Batch {
    QQueue<quint32> waiting;
    std::function<QByteArray(quint32)> frameFor;
    Accept accept;
    Timing timing;
    int inFlight = 1;
    int running = 0;
    Done done;
    std::function<void()> finished;
};

struct BoardClient::Pending {
    std::shared_ptr<Batch> batch;
    QByteArray frame;
    int attempts = 0;
    QTimer* timer = nullptr; // deleted later: a request may end inside its own timeout
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
    wakeTimer_ = new QTimer(this);
    wakeTimer_->setSingleShot(true);
    connect(wakeTimer_, &QTimer::timeout, this, &BoardClient::wake);
    connect(&link_, &Link::datagramsArrived, this, [this](const QList<Datagram>& datagrams) {
        for (const Datagram& d : datagrams)
            onDatagram(d.data, d.sender, d.port);
    });
}

BoardClient::~BoardClient() = default;

bool BoardClient::send(quint32 board, const QByteArray& frame)
{
    const QList<quint16> ports = commandPorts_();
    return link_.sendFromListener(QHostAddress(board), ports, frame) == ports.size();
}

bool BoardClient::sendWord(quint32 board, const QByteArray& word)
{
    return link_.sendFromClient(QHostAddress(board), wordPort_, padDigits(word));
}

BoardClient::Pending* BoardClient::find(quint32 board) const
{
    const auto it = pending_.find(board);
    return it == pending_.end() ? nullptr : it->second.get();
}

void BoardClient::requestMany(const QList<quint32>& boards,
                              const std::function<QByteArray(quint32)>& frameFor, const Accept& accept,
                              const Timing& timing, int inFlight, const Done& done,
                              const std::function<void()>& finished)
{
    auto batch = std::make_shared<Batch>();
    QSet<quint32> listed;
    for (quint32 board : boards)
        if (!listed.contains(board)) {
            listed.insert(board);
            batch->waiting.enqueue(board);
        }
    batch->frameFor = frameFor;
    batch->accept = accept;
    batch->timing = timing;
    batch->inFlight = qMax(1, inFlight);
    batch->done = done;
    batch->finished = finished;
    startNext(batch);
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

void BoardClient::startNext(const std::shared_ptr<Batch>& batch)
{
    bool blocked = false;
    while (batch->running < batch->inFlight && !batch->waiting.isEmpty()) {
        // One request per board at a time: a busy board waits, the others go ahead.
        qsizetype free = 0;
        while (free < batch->waiting.size() && busy(batch->waiting.at(free)))
            ++free;
        if (free == batch->waiting.size()) {
            blocked = true;
            break;
        }
        const quint32 board = batch->waiting.takeAt(free);
        auto pending = std::make_unique<Pending>();
        pending->batch = batch;
        pending->frame = batch->frameFor(board);
        pending->timer = new QTimer(this);
        pending->timer->setSingleShot(true);
        connect(pending->timer, &QTimer::timeout, this, [this, board] { attempt(board); });
        pending_.emplace(board, std::move(pending));
        ++batch->running;
        attempt(board);
    }
    if (blocked) {
        if (!waiting_.contains(batch)) // held here until it can go on
            waiting_.append(batch);
        qint64 next = -1; // the first moment a settling board is free again
        for (const auto& [board, s] : settling_)
            next = next < 0 ? s.until : qMin(next, s.until);
        if (next >= 0)
            wakeTimer_->start(int(qBound(qint64(0), next - clock_.elapsed() + 1, qint64(60000))));
    }
    if (batch->running == 0 && batch->waiting.isEmpty() && batch->finished) {
        auto finished = std::move(batch->finished);
        batch->finished = nullptr;
        finished();
    }
}

void BoardClient::wake()
{
    const QList<std::shared_ptr<Batch>> batches = std::exchange(waiting_, {});
    for (const auto& batch : batches)
        startNext(batch);
}

void BoardClient::attempt(quint32 board)
{
    Pending* p = find(board);
    if (!p)
        return;
    if (p->attempts > p->batch->timing.retries) {
        finish(board, std::nullopt);
        return;
    }
    ++p->attempts;
    send(board, p->frame); // a failed send is a lost datagram: the timeout tries again
    p->timer->start(p->batch->timing.timeoutMs);
}

bool BoardClient::awaits(quint32 board, const QByteArray& datagram) const
{
    if (const Pending* p = find(board))
        return p->batch->accept(board, datagram);
    const auto it = settling_.find(board);
    return it != settling_.end() && it->second.remaining > 0 && clock_.elapsed() < it->second.until &&
           classify(datagram) != ReplyKind::Other;
}

void BoardClient::cancelAll()
{
    QList<std::shared_ptr<Batch>> batches = std::exchange(waiting_, {});
    QList<quint32> asked;
    for (const auto& [board, pending] : pending_) {
        asked.append(board);
        if (!batches.contains(pending->batch))
            batches.append(pending->batch);
    }
    for (const auto& batch : batches)
        batch->waiting.clear();
    for (quint32 board : asked)
        finish(board, std::nullopt);
    for (const auto& batch : batches) // those that had no request out
        startNext(batch);
}

void BoardClient::onDatagram(const QByteArray& datagram, quint32 from, quint16 port)
{
    emit datagramArrived(datagram, from, port);
    Pending* p = find(from);
    if (p && p->batch->accept(from, datagram)) {
        finish(from, BoardReply{datagram, port, p->attempts});
    }
    else if (!p) {
        const auto it = settling_.find(from);
        if (it != settling_.end() && --it->second.remaining <= 0) {
            settling_.erase(it);
            wake();
        }
    }
}

void BoardClient::finish(quint32 board, const std::optional<BoardReply>& reply)
{
    const auto it = pending_.find(board);
    if (it == pending_.end())
        return;
    std::unique_ptr<Pending> p = std::move(it->second);
    pending_.erase(it);
    p->timer->stop();
    p->timer->deleteLater();
    const std::shared_ptr<Batch> batch = p->batch;
    if (reply) // the other answers to what was sent are still to come
        settling_[board] = Settling{int(commandPorts_().size()) * p->attempts - 1,
                                    clock_.elapsed() + batch->timing.timeoutMs};
    --batch->running;
    if (batch->done)
        batch->done(board, reply);
    startNext(batch);
    wake(); // the board is free for a batch that waits for it
}

std::optional<BoardReply> BoardClient::request(quint32 board, const QByteArray& frame, const Accept& accept,
                                               const Timing& timing)
{
    std::optional<BoardReply> result;
    QEventLoop loop;
    bool over = false;
    requestMany(
        {board}, [&](quint32) { return frame; }, accept, timing, 1,
        [&](quint32, const std::optional<BoardReply>& reply) { result = reply; },
        [&] {
            over = true;
            loop.quit();
        });
    if (!over)
        loop.exec();
    return result;
}

void BoardClient::pause(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

} // namespace talvik
