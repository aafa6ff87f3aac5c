#include "fleet/fleet_jobs.h"

#include "client/configuration_reply.h"
#include "fleet/fleet_texts.h"
#include "fleet/fleet_wording.h"

#include <QTimer>

namespace talvik::fleet {

namespace {
constexpr int WordPauseMs = 100; // the configurator's pause after each word frame

bool isRebootAck(quint32, const QByteArray& d)
{
    return classify(d) == ReplyKind::RebootAck;
}
} // namespace

FleetJobs::FleetJobs(BoardClient& client, FleetModel& model, QObject* parent)
    : QObject(parent), client_(client), model_(model)
{
}

void FleetJobs::run(QList<Step> steps)
{
    ++generation_;
    steps_ = QQueue<Step>();
    for (Step& s : steps)
        steps_.enqueue(std::move(s));
    running_ = true;
    done_ = 0;
    total_ = int(steps_.size());
    emit progress(0, total_);
    step();
}

void FleetJobs::step()
{
    if (steps_.isEmpty()) {
        running_ = false;
        emit finished();
        return;
    }
    const Step next = steps_.dequeue();
    const quint64 generation = generation_;
    next([this, generation] {
        if (generation != generation_)
            return;
        emit progress(++done_, total_);
        step();
    });
}

void FleetJobs::cancel()
{
    if (!running_)
        return;
    ++generation_; // what is still under way stops at its next step
    steps_.clear();
    running_ = false;
    client_.cancelAll();
    emit finished();
}

void FleetJobs::reboot(const QList<quint32>& boards)
{
    QList<Step> steps;
    for (quint32 board : boards)
        steps.append([this, board](std::function<void()> next) { rebootOne(board, next); });
    run(steps);
}

void FleetJobs::rebootOne(quint32 board, const std::function<void()>& next)
{
    const quint64 generation = generation_;
    const auto alive = [this, generation] { return generation == generation_; };
    model_.setState(board, texts::Rebooting);
    for (int i = 0; i < 4; ++i) // "msi", "vsi", "msi", "vsi", 100 ms apart
        QTimer::singleShot(i * WordPauseMs, this, [=] {
            if (alive())
                client_.sendWord(board, QByteArray(i % 2 ? "vsi" : "msi"));
        });
    QTimer::singleShot(4 * WordPauseMs, this, [=] {
        if (!alive())
            return;
        // The reboot frame is never sent twice: a board that took it is restarting.
        client_.requestMany(
            {board}, [](quint32) { return rebootFrame(); }, isRebootAck, Timing{timing.timeoutMs, 0},
            [=](quint32, const std::optional<BoardReply>& ack) {
                if (!alive())
                    return;
                client_.requestMany( // a read each second, as the configurator's follow-up reads
                    {board}, [](quint32) { return buildReadFrame('C'); },
                    acceptConfiguration(Completeness::Block, nullptr), Timing{1000, rebootWaitSeconds - 1},
                    [=](quint32, const std::optional<BoardReply>& back) {
                        if (!alive())
                            return;
                        if (back) {
                            model_.answered(board, configFromReply(board, back->datagram, Memory::Working));
                            model_.setState(board, texts::BackUp);
                        }
                        else {
                            model_.setState(board, ack ? texts::NotBack : texts::NotAcknowledged);
                        }
                        next();
                    },
                    {});
            },
            {});
    });
}

void FleetJobs::saveBackups(const QList<quint32>& boards, const QString& folder)
{
    QList<Step> steps;
    for (quint32 board : boards)
        steps.append([this, board, folder](std::function<void()> next) {
            const quint64 generation = generation_;
            auto shortOf = std::make_shared<ShortReplies>();
            client_.requestMany(
                {board}, [](quint32) { return buildReadFrame('d'); },
                acceptConfiguration(Completeness::Complete, shortOf.get()), timing,
                [=](quint32, const std::optional<BoardReply>& reply) {
                    if (generation != generation_)
                        return;
                    QString problem = shortReplyText(*shortOf, board);
                    if (problem.isEmpty())
                        problem = texts::Silent;
                    if (reply) {
                        const BoardConfig config = configFromReply(board, reply->datagram, Memory::Permanent);
                        model_.permanentRead(board, config);
                        problem = saveBackup(folder, config, reply->datagram);
                    }
                    model_.setState(board, problem.isEmpty() ? texts::BackupSaved
                                                             : texts::BackupNotSaved.arg(problem));
                    next();
                },
                {});
        });
    run(steps);
}

void FleetJobs::applyBackups(const QList<BoardConfig>& backups)
{
    QList<Step> steps;
    for (const BoardConfig& backup : backups)
        steps.append([this, backup](std::function<void()> next) {
            if (backup.memory != Memory::Permanent) { // the board would boot with its working configuration
                model_.setState(backup.address, texts::WorkingBackup);
                next();
                return;
            }
            writeOne(
                backup.address,
                [backup](const BoardConfig&, QString*) { return std::optional(backup.fields); }, by::Apply,
                next);
        });
    run(steps);
}

void FleetJobs::write(const QList<quint32>& boards, const Change& change, const QString& by)
{
    QList<Step> steps;
    for (quint32 board : boards)
        steps.append(
            [this, board, change, by](std::function<void()> next) { writeOne(board, change, by, next); });
    run(steps);
}

void FleetJobs::readPermanent(const QList<quint32>& boards,
                              const std::function<void(const QHash<quint32, BoardConfig>&)>& done)
{
    auto read = std::make_shared<QHash<quint32, BoardConfig>>();
    const quint64 generation = ++generation_;
    running_ = true;
    client_.requestMany(
        boards, [](quint32) { return buildReadFrame('d'); },
        acceptConfiguration(Completeness::Complete, nullptr), timing,
        [this, read](quint32 board, const std::optional<BoardReply>& reply) {
            if (!reply) {
                model_.setState(board, texts::Silent);
                return;
            }
            const BoardConfig config = configFromReply(board, reply->datagram, Memory::Permanent);
            model_.permanentRead(board, config);
            read->insert(board, config);
        },
        [this, read, done, generation] {
            if (generation != generation_)
                return;
            running_ = false;
            done(*read);
        });
}

// One board's permanent memory, into the table; `then` gets it (nothing when the board
// gave none), unless the jobs were cancelled meanwhile.
void FleetJobs::readOnePermanent(quint32 board,
                                 const std::function<void(const std::optional<BoardConfig>&)>& then)
{
    const quint64 generation = generation_;
    client_.requestMany(
        {board}, [](quint32) { return buildReadFrame('d'); },
        acceptConfiguration(Completeness::Complete, nullptr), timing,
        [=](quint32, const std::optional<BoardReply>& reply) {
            if (generation != generation_)
                return;
            std::optional<BoardConfig> read;
            if (reply) {
                read = configFromReply(board, reply->datagram, Memory::Permanent);
                model_.permanentRead(board, *read);
            }
            then(read);
        },
        {});
}

// The board's permanent memory first: the base of the change and the journal's "before".
void FleetJobs::writeOne(quint32 board, const Change& change, const QString& by,
                         const std::function<void()>& next)
{
    readOnePermanent(board, [=](const std::optional<BoardConfig>& now) {
        if (!now) {
            model_.setState(board, texts::NoBase);
            next();
            return;
        }
        QString refused;
        const std::optional<WriteFields> fields = change(*now, &refused);
        if (!fields) {
            model_.setState(board, texts::NotWrittenBecause.arg(refused));
            next();
            return;
        }
        sendAndVerify(board, now, *fields, by, next);
    });
}

void FleetJobs::sendAndVerify(quint32 board, const std::optional<BoardConfig>& before,
                              const WriteFields& fields, const QString& by, const std::function<void()>& next)
{
    const QByteArray frame = buildWriteFrame(fields);
    const QStringList dropped = notCarried(fields);
    const QString notWritten = dropped.isEmpty() ? QString() : texts::NotWritten.arg(fieldTitles(dropped));
    QString why = texts::NoJournal;
    const QString id = journal ? journal->recordWrite(board, by, before, frame, &why) : QString();
    if (id.isEmpty()) {
        model_.setState(board, texts::NotWrittenBecause.arg(why));
        next();
        return;
    }
    const auto finish = [this, board, id, next](const QString& state, bool ok) {
        model_.setState(board, state);
        journal->recordResult(id, state, ok, nullptr);
        next();
    };
    if (!client_.send(board, frame)) {
        finish(texts::NotSent, false);
        return;
    }
    readOnePermanent(board, [=](const std::optional<BoardConfig>& read) {
        if (!read) {
            finish(texts::NoReadBack + notWritten, false);
            return;
        }
        QStringList differ;
        for (const Difference& d : differencesAfterWrite(frame, *read))
            differ.append(d.field);
        finish((differ.isEmpty() ? texts::Verified : texts::Mismatch.arg(fieldTitles(differ))) + notWritten,
               differ.isEmpty());
    });
}

} // namespace talvik::fleet
