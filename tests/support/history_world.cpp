#include "history_world.h"

#include "client/journal_plans.h"
#include "wire/board_address.h"

#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTimer>
#include <csignal>
#include <sys/resource.h>

namespace talvik::histories {

namespace {
QHash<QString, QString> textsOf(const WriteFields& fields)
{
    QHash<QString, QString> out;
    for (const auto& [name, text] : fieldTexts(BoardConfig{{}, fields, std::nullopt, Memory::Permanent}))
        out.insert(name, text);
    return out;
}

QString boardsText(const QList<int>& boards)
{
    QStringList out;
    for (int b : boards)
        out.append(QString::number(b));
    return out.join(u',');
}

// Refused only because the memory to put back holds what a static console's frame cannot
// carry (an identifier, say): no write can put it back whole, and a force writes the rest.
bool notCarriedOnly(const BoardResult& r)
{
    return r.outcome == Outcome::Refused && !r.refusals.isEmpty() &&
           std::all_of(r.refusals.begin(), r.refusals.end(),
                       [](const Refusal& x) { return x.kind == Reason::NotCarried; });
}

// Silent this time, or read back from an answer to an earlier try: a board that answers may
// be late on a loaded machine, and a job's decision is what is checked, not the network's luck.
bool unanswered(const BoardResult& r)
{
    return r.outcome == Outcome::Mismatch ||
           (r.outcome == Outcome::Failed && (r.reason == Reason::NoReply || r.reason == Reason::ShortReply ||
                                             r.reason == Reason::NoReadBack));
}

bool succeededKey(const QString& outcome)
{
    const auto o = outcomeFromKey(outcome);
    return o && succeeded(*o);
}
} // namespace

// --- the tap

TapLink::TapLink(UdpLink& inner) : inner_(inner)
{
    connect(&inner_, &Link::datagramsArrived, this, &Link::datagramsArrived);
}

void TapLink::watch(const QHostAddress& host, const QByteArray& datagram)
{
    if (beforeWrite && isWriteFrame(datagram))
        beforeWrite(BoardAddress(host.toIPv4Address()), datagram);
}

bool TapLink::sendFromListener(const QHostAddress& host, quint16 port, const QByteArray& datagram)
{
    watch(host, datagram);
    return inner_.sendFromListener(host, port, datagram);
}

int TapLink::sendFromListener(const QHostAddress& host, const QList<quint16>& ports,
                              const QByteArray& datagram)
{
    watch(host, datagram);
    return inner_.sendFromListener(host, ports, datagram);
}

int TapLink::sendManyFromListener(const QList<Outgoing>& datagrams, const QList<quint16>& ports)
{
    for (const Outgoing& o : datagrams)
        watch(o.host, o.datagram);
    return inner_.sendManyFromListener(datagrams, ports);
}

Program::Program(const QList<quint16>& ports, quint16 wordPort, const QString& journalFolder)
    : link(0), tap(link), client(tap, ports, wordPort), journal(journalFolder), jobs(client, &journal)
{
    link.setLoopbackOnly(true);
    link.setBroadcastAllowed(false);
    link.openListener();
}

// --- the journal as the file has it

RawJournal RawJournal::read(const QString& path)
{
    RawJournal j;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return j;
    const QByteArray all = file.readAll();
    const QList<QByteArray> pieces = all.split('\n');
    static const QSet<QString> kinds{"job", "write", "result", "board", "end"};
    for (int i = 0; i + 1 < pieces.size(); ++i) { // the last piece has no line break: torn, or empty
        QJsonParseError error{};
        const QJsonDocument d = QJsonDocument::fromJson(pieces[i], &error);
        const QString kind = d.object().value("kind").toString();
        if (!d.isObject() || !kinds.contains(kind)) {
            if (j.problem.isEmpty())
                j.problem =
                    QString("line %1 is no journal line: %2").arg(i + 1).arg(QString(pieces[i].left(120)));
            continue;
        }
        if (kind == "job")
            j.jobAt.insert(d.object().value("job").toString(), int(j.lines.size()));
        j.lines.append({i + 1, kind, d.object()});
    }
    return j;
}

QString RawJournal::rootOf(const QString& job) const
{
    const int at = jobAt.value(job, -1);
    if (at < 0)
        return job;
    const QString retryOf = lines[at].o.value("retry_of").toString();
    return retryOf.isEmpty() ? job : retryOf;
}

QSet<QString> RawJournal::rollOut(const QString& job) const
{
    const QString root = rootOf(job);
    QSet<QString> out{root};
    for (const Line& l : lines)
        if (l.kind == "job" && l.o.value("retry_of").toString() == root)
            out.insert(l.o.value("job").toString());
    return out;
}

QSet<quint32> RawJournal::succeededIn(const QSet<QString>& jobs, int beforeLine) const
{
    QHash<quint32, bool> last; // a board's last line of the jobs: ended well, or not (a write without result)
    for (const Line& l : lines) {
        if (l.number >= beforeLine)
            break;
        if (!jobs.contains(l.o.value("job").toString()))
            continue;
        const quint32 board = parseDottedDecimal(l.o.value("board").toString()).value_or(0);
        if (l.kind == "write")
            last.insert(board, false);
        else if (l.kind == "result" || l.kind == "board")
            last.insert(board, succeededKey(l.o.value("outcome").toString()));
    }
    QSet<quint32> out;
    for (auto it = last.cbegin(); it != last.cend(); ++it)
        if (it.value())
            out.insert(it.key());
    return out;
}

QSet<quint32> RawJournal::refusedIn(const QSet<QString>& jobs, int beforeLine) const
{
    QSet<quint32> out;
    for (const Line& l : lines)
        if (l.number < beforeLine && jobs.contains(l.o.value("job").toString()) &&
            l.o.value("outcome").toString() == "refused")
            out.insert(parseDottedDecimal(l.o.value("board").toString()).value_or(0));
    return out;
}

QString JobStep::text() const
{
    static const char* names[] = {"change",       "apply",  "undo --job",        "retry --job",
                                  "undo ADDRESS", "reboot", "configurator write"};
    QString out = QString("%1 boards %2").arg(names[kind], boardsText(boards));
    if (kind == Change)
        for (const auto& [name, value] : fieldTexts(change))
            out += QString(" %1=%2").arg(name, value);
    if (!job.isEmpty())
        out += " job " + job;
    if (force)
        out += " --force";
    if (defaultLimit)
        out += " (default failure limit)";
    if (stopAtMs >= 0)
        out += QString(", Ctrl-C at %1 ms").arg(stopAtMs);
    if (cancelAtMs >= 0)
        out += QString(", again at %1 ms").arg(cancelAtMs);
    if (killAtMs >= 0)
        out += QString(", kill -9 at %1 ms").arg(killAtMs);
    if (journalRoom >= 0)
        out += QString(", the journal may grow by %1 bytes").arg(journalRoom);
    return out;
}

// --- the world

struct World::Running {
    JobStep step;
    enum Role { Write, Undo, Retry } role = Write;
    QString jobId;
    bool started = false, stopped = false, killed = false, ended = false, limited = false, alone = true;
    QList<BoardResult> results;
    JobSummary summary;
    QSet<quint32> writtenTo;
    int linesBefore = 0;
    QSet<QString> mayOverwrite; // undo and retry: whose changes it may write over
    quint64 since = 0;          // retry: changes older than its roll-out it may write over too
    QString root;               // retry: the roll-out; undo: the roll-out undone
    QSet<int> shouldUndo;       // undo: boards that hold the undone change and were not written since
    QSet<quint32> succeededBefore, refusedBefore; // retry
    bool rolesKnown = false;
};

World::World(int boards, quint32 seed)
    : sim_([seed] {
          sim::SimOptions o;
          o.ports = {0, 0};
          o.rebootMs = 30;
          o.seed = seed;
          return o;
      }())
{
    std::signal(SIGXFSZ, SIG_IGN); // a journal that may not grow fails its writes, and no more
    if (qEnvironmentVariableIsSet("TALVIK_KEEP_JOURNAL")) {
        dir_.setAutoRemove(false);
        qInfo("journal: %s", qPrintable(journalPath()));
    }
    for (int i = 0; i < boards; ++i) {
        // The last board has a static console and an identifier, which its write frame cannot carry.
        const QString definition = i + 1 == boards && boards > 1
                                       ? QString("127.0.9.%1,console=0,ident=2345").arg(i + 1)
                                       : QString("127.0.9.%1,console=1,ident=%2").arg(i + 1).arg(100 + i);
        QString error;
        if (!sim_.addBoards(definition, &error))
            fail("the simulator: " + error);
        truth_.append(Truth{});
    }
    connect(&sim_, &sim::BoardSimulator::stored, this, &World::onStored);
}

World::~World() = default;

BoardAddress World::address(int board) const
{
    return BoardAddress(0x7F000900u + quint32(board + 1));
}

int World::indexOf(BoardAddress board) const
{
    const int i = int(board.ipv4()) - 0x7F000901;
    return i >= 0 && i < truth_.size() ? i : -1;
}

QString World::journalPath() const
{
    return dir_.filePath("journal/journal.jsonl");
}

const RawJournal& World::raw()
{
    const qint64 size = QFileInfo(journalPath()).size();
    if (size != rawSize_) {
        raw_ = RawJournal::read(journalPath());
        rawSize_ = size;
    }
    return raw_;
}

QStringList World::jobIds() const
{
    QStringList out;
    for (const RawJournal::Line& l : RawJournal::read(journalPath()).lines)
        if (l.kind == "job")
            out.append(l.o.value("job").toString());
    return out;
}

void World::fail(const QString& what)
{
    faults_.append(what);
}

void World::setSilent(int board, bool on)
{
    truth_[board].silent = on;
    sim_.setSilent(board, on);
}

void World::setIgnoresWrites(int board, bool on)
{
    truth_[board].ignoresWrites = on;
    sim_.board(board).setBehaviour(!on, true);
}

void World::setLate(int board, bool on)
{
    truth_[board].late = on;
    sim_.setReplyDelay(board, on ? TimeoutMs * 3 / 2 : -1);
}

void World::writeElsewhere(int board, const WriteFields& fields)
{
    const WriteFields before = permanent(board);
    if (sim_.board(board).handle(buildWriteFrame(fields)).stored)
        noteStored(board, before, "elsewhere");
}

void World::onStored(int board, const QByteArray& frame, const WriteFields& before)
{
    noteStored(board, before, sentBy_.value({board, frame}, "unknown"));
}

void World::noteStored(int board, const WriteFields& before, const QString& job)
{
    Truth& t = truth_[board];
    const Author author{job, ++seq_};
    const QHash<QString, QString> was = textsOf(before), now = textsOf(permanent(board));
    for (auto it = now.cbegin(); it != now.cend(); ++it)
        if (was.value(it.key()) != it.value())
            t.byField.insert(it.key(), author);
    t.last = author;
}

// --- the checks as frames leave

void World::onWrite(Running& r, BoardAddress address, const QByteArray& frame)
{
    const int board = indexOf(address);
    if (board < 0)
        return fail(QString("a write frame to %1, no board of the world").arg(dottedText(address)));
    // Every frame is in the journal before it leaves.
    QFile file(journalPath());
    if (file.open(QIODevice::ReadOnly) && file.seek(journalRead_)) {
        const QByteArray text = file.readAll();
        const qsizetype end = text.lastIndexOf('\n') + 1;
        for (const QByteArray& line : text.left(end).split('\n')) {
            const QJsonObject o = QJsonDocument::fromJson(line).object();
            if (o.value("kind").toString() == "write")
                journaled_.insert(o.value("board").toString() + ' ' + o.value("frame").toString());
        }
        journalRead_ += end;
    }
    if (!journaled_.contains(dottedText(address) + ' ' + QString::fromLatin1(frame.toHex())))
        fail(QString("a write frame left for %1 without its line in the journal").arg(dottedText(address)));
    if (r.stopped)
        fail(QString("a write frame left for %1 after the first Ctrl-C").arg(dottedText(address)));
    r.writtenTo.insert(address.ipv4());
    sentBy_.insert({board, frame}, r.jobId);
    if (!r.rolesKnown) {
        r.rolesKnown = true;
        const RawJournal& j = raw();
        const int at = j.jobAt.value(r.jobId, -1);
        const QJsonObject line = at >= 0 ? j.lines[at].o : QJsonObject();
        if (line.value("what").toString() == "undo") {
            r.role = Running::Undo;
            r.mayOverwrite = j.rollOut(r.jobId);
            if (const QString undone = line.value("undoes").toString(); !undone.isEmpty())
                r.mayOverwrite += j.rollOut(undone);
            for (const QJsonValue& id : line.value("undoes_writes").toArray())
                for (const RawJournal::Line& l : j.lines)
                    if (l.kind == "write" && l.o.value("id") == id)
                        r.mayOverwrite += j.rollOut(l.o.value("job").toString());
        }
        else if (const QString root = line.value("retry_of").toString(); !root.isEmpty()) {
            r.role = Running::Retry;
            r.root = root;
            r.mayOverwrite = j.rollOut(root);
            r.since = startedAt_.value(root, 0);
        }
    }
    if (r.role == Running::Retry && r.succeededBefore.contains(address.ipv4()))
        fail(QString("retry %1 wrote %2 again, whose write the roll-out verified")
                 .arg(r.jobId, dottedText(address)));
    if (!r.step.force)
        checkOverwrite(r, board, permanent(board), readConfiguration(frame));
}

void World::checkOverwrite(const Running& r, int board, const WriteFields& now, const WriteFields& next)
{
    if (r.role == Running::Write)
        return;
    const QHash<QString, QString> was = textsOf(now), will = textsOf(next);
    for (auto it = will.cbegin(); it != will.cend(); ++it) {
        if (was.value(it.key()) == it.value())
            continue;
        const Author a = truth_[board].byField.value(it.key());
        if (r.mayOverwrite.contains(a.job))
            continue;
        // A retry may write over what its roll-out meant to replace, and over what no journal knows.
        if (r.role == Running::Retry && (a.seq < r.since || a.job == "elsewhere"))
            continue;
        fail(QString("%1 %2 writes over %3 of %4 (%5 -> %6), a change of %7, without --force")
                 .arg(r.role == Running::Undo ? "undo" : "retry", r.jobId, it.key(),
                      dottedText(address(board)), was.value(it.key()), it.value(),
                      a.job.isEmpty() ? QString("the board's own memory") : a.job));
    }
}

// --- a step

bool World::start(Program& p, const JobStep& s)
{
    JobOptions o;
    o.timing = Timing{TimeoutMs, 1};
    o.limit.most = s.defaultLimit ? FailureLimit::Default : 0;
    o.force = s.force;
    const auto runPlan = [&](const std::optional<JobPlan>& plan) {
        if (!plan || plan->empty())
            return false;
        JobOptions job = plan->options;
        job.timing = o.timing;
        job.force = job.force || s.force;
        job.overwriteOthers = s.force;
        job.limit = o.limit;
        if (!plan->reboots.isEmpty())
            p.jobs.reboot(plan->reboots, job);
        else
            p.jobs.write(plan->writes, job);
        return true;
    };
    switch (s.kind) {
    case JobStep::Change: {
        QList<WriteTarget> targets;
        for (int b : s.boards)
            targets.append({address(b), WritePlan::ofChange(s.change)});
        o.by = "talvikctl write";
        p.jobs.write(targets, o);
        return true;
    }
    case JobStep::Apply: {
        QList<WriteTarget> targets;
        for (int i = 0; i < s.boards.size(); ++i)
            targets.append({address(s.boards[i]),
                            WritePlan::ofBackup(BoardConfig{address(s.boards[i]), s.backups.value(i), "2.17",
                                                            Memory::Permanent})});
        if (!BoardJobs::refusedBeforehand(targets, s.force).isEmpty())
            return false; // talvikctl apply refuses the whole run
        o.by = "talvikctl apply";
        p.jobs.write(targets, o);
        return true;
    }
    case JobStep::UndoJob: {
        JournalProblem problem;
        const auto plan = undoPlan(p.journal, s.job, "talvikctl undo", &problem);
        if (!plan && problem.kind != JournalProblem::NoJob)
            fail("undo --job: " + journalProblemText(problem));
        return runPlan(plan);
    }
    case JobStep::RetryJob: {
        JournalProblem problem;
        const auto plan = retryPlan(p.journal, s.job, "talvikctl retry", &problem);
        if (!plan && problem.kind != JournalProblem::NoJob)
            fail("retry --job: " + journalProblemText(problem));
        return runPlan(plan);
    }
    case JobStep::UndoBoard:
        return runPlan(undoOfBoardPlan(p.journal, address(s.boards.value(0)), "talvikctl undo", nullptr));
    case JobStep::Reboot: {
        QList<RebootTarget> targets;
        for (int b : s.boards)
            targets.append({address(b), std::nullopt});
        o.by = "talvikctl reboot";
        p.jobs.reboot(targets, o);
        return true;
    }
    case JobStep::ConfiguratorWrite:
        break;
    }
    return false;
}

void World::interrupt(Program& p, const JobStep& s, Running& r)
{
    const auto at = [&](int ms, std::function<void()> what) {
        if (ms >= 0)
            QTimer::singleShot(ms, &p.jobs, std::move(what));
    };
    at(s.stopAtMs, [&] {
        r.stopped = true;
        p.jobs.stop();
    });
    at(s.cancelAtMs, [&] { p.jobs.cancel(); });
}

void World::run(const JobStep& step)
{
    auto program = std::make_unique<Program>(sim_.ports(0), sim_.ports(0).value(0), dir_.filePath("journal"));
    Running r;
    r.step = step;
    r.linesBefore = raw().lines.isEmpty() ? 1 : raw().lines.last().number + 1;
    program->tap.beforeWrite = [this, &r](BoardAddress b, const QByteArray& f) { onWrite(r, b, f); };
    if (step.kind == JobStep::UndoJob) { // the boards that hold the change undone, written by no one since
        const RawJournal& j = raw();
        const QString asked = step.job == "last" && !j.jobAt.isEmpty() ? jobIds().last() : step.job;
        const QSet<QString> undone = j.rollOut(asked);
        for (int b = 0; b < boardCount(); ++b) {
            QByteArray lastFrame;
            for (const RawJournal::Line& l : j.lines)
                if (l.kind == "write" && undone.contains(l.o.value("job").toString()) &&
                    l.o.value("board").toString() == dottedText(address(b)))
                    lastFrame = QByteArray::fromHex(l.o.value("frame").toString().toLatin1());
            if (!lastFrame.isEmpty() && undone.contains(truth_[b].last.job) &&
                textsOf(permanent(b)) == textsOf(readConfiguration(lastFrame)))
                r.shouldUndo.insert(b);
        }
    }
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    if (step.journalRoom >= 0) {
        rlimit limited = old;
        limited.rlim_cur = rlim_t(QFileInfo(journalPath()).size() + step.journalRoom);
        setrlimit(RLIMIT_FSIZE, &limited);
        r.limited = true;
    }
    if (step.kind == JobStep::ConfiguratorWrite) {
        const int b = step.boards.value(0);
        WriteFields fields = permanent(b);
        fields = withChange(fields, step.change);
        const QByteArray frame = buildWriteFrame(fields);
        QString job, why;
        const std::optional<BoardConfig> before =
            step.force ? std::optional(BoardConfig{address(b), permanent(b), "2.17", Memory::Permanent})
                       : std::nullopt;
        const QString id =
            program->journal.recordSingleWrite("configurator", address(b), before, frame, &job, &why);
        r.jobId = job;
        if (!id.isEmpty()) {
            program->client.send(address(b), frame);
            QEventLoop wait;
            QTimer::singleShot(5, &wait, &QEventLoop::quit);
            wait.exec();
            if (!truth_[b].silent)
                program->journal.recordSingleResult(
                    job, id, address(b),
                    permanent(b) == readConfiguration(frame)
                        ? WriteResult{}
                        : WriteResult{Outcome::Mismatch, Reason::Mismatch, {}, {}, false},
                    nullptr);
        }
        setrlimit(RLIMIT_FSIZE, &old);
        return;
    }
    QEventLoop loop;
    connect(&program->jobs, &BoardJobs::boardDone, &loop, [&](const BoardResult& result) {
        r.results.append(result);
        if (result.outcome == Outcome::Done && result.readBack && r.alone && step.kind != JobStep::Reboot)
            if (const int b = indexOf(result.board);
                b >= 0 && textsOf(permanent(b)) != textsOf(result.readBack->fields))
                fail(QString("%1 reported written and verified, but holds something else")
                         .arg(dottedText(result.board)));
    });
    connect(&program->jobs, &BoardJobs::finished, &loop, [&](const JobSummary& summary) {
        r.summary = summary;
        r.ended = true;
        loop.quit();
    });
    if (step.kind == JobStep::RetryJob) {
        const RawJournal& j = raw();
        const QString asked = step.job == "last" && !j.jobAt.isEmpty() ? jobIds().last() : step.job;
        const QSet<QString> rollOut = j.rollOut(asked);
        r.succeededBefore = j.succeededIn(rollOut, r.linesBefore);
        r.refusedBefore = j.refusedIn(rollOut, r.linesBefore);
        r.root = j.rootOf(asked);
    }
    r.started = start(*program, step);
    if (r.started && program->jobs.running()) {
        r.jobId = program->jobs.jobId();
        startedAt_.insert(r.jobId, ++seq_);
        interrupt(*program, step, r);
        if (step.killAtMs >= 0)
            QTimer::singleShot(step.killAtMs, &loop, [&] {
                if (r.ended)
                    return;
                r.killed = true;
                program.reset(); // kill -9: no more lines, no more frames
                loop.quit();
            });
        QTimer::singleShot(30000, &loop, [&] {
            fail("the job did not end in 30 s");
            loop.quit();
        });
        if (!r.ended)
            loop.exec();
    }
    setrlimit(RLIMIT_FSIZE, &old);
    afterJob(step, r, true);
}

void World::runTogether(const JobStep& a, const JobStep& b)
{
    // Two programs at once on the one journal: each started, both waited for.
    std::unique_ptr<Program> programs[2];
    Running runs[2];
    const JobStep* steps[2] = {&a, &b};
    int ended = 0;
    QEventLoop loop;
    for (int i = 0; i < 2; ++i) {
        programs[i] =
            std::make_unique<Program>(sim_.ports(0), sim_.ports(0).value(0), dir_.filePath("journal"));
        Running& r = runs[i];
        r.step = *steps[i];
        r.alone = false;
        programs[i]->tap.beforeWrite = [this, &r](BoardAddress x, const QByteArray& f) { onWrite(r, x, f); };
        connect(&programs[i]->jobs, &BoardJobs::boardDone, &loop,
                [&r](const BoardResult& result) { r.results.append(result); });
        connect(&programs[i]->jobs, &BoardJobs::finished, &loop, [&, i](const JobSummary& s) {
            runs[i].summary = s;
            runs[i].ended = true;
            if (++ended == 2)
                loop.quit();
        });
    }
    for (int i = 0; i < 2; ++i) {
        Running& r = runs[i];
        r.started = steps[i]->kind != JobStep::ConfiguratorWrite && start(*programs[i], *steps[i]);
        if (r.started && programs[i]->jobs.running()) {
            r.jobId = programs[i]->jobs.jobId();
            startedAt_.insert(r.jobId, ++seq_);
            interrupt(*programs[i], *steps[i], r);
        }
        else
            ++ended;
    }
    QTimer::singleShot(30000, &loop, [&] {
        fail("two jobs at once did not end in 30 s");
        loop.quit();
    });
    if (ended < 2)
        loop.exec();
    for (Running& r : runs)
        afterJob(r.step, r, false);
}

// --- the checks after a job

void World::afterJob(const JobStep& step, Running& r, bool alone)
{
    Q_UNUSED(step);
    if (!r.started || r.jobId.isEmpty())
        return;
    if (!r.killed) { // every board sent a write is read back, or named
        for (const BoardResult& result : r.results) {
            if (!r.writtenTo.contains(result.board.ipv4()))
                continue;
            if (result.outcome == Outcome::Cancelled && !r.summary.leftUnverified.contains(result.board))
                fail(QString("%1 was sent a write and ended cancelled without being named unverified")
                         .arg(dottedText(result.board)));
        }
        for (quint32 board : r.writtenTo)
            if (std::none_of(r.results.begin(), r.results.end(),
                             [&](const BoardResult& x) { return x.board.ipv4() == board; }))
                fail(QString("%1 was sent a write and has no result").arg(dottedText(board)));
    }
    const bool normal = alone && r.ended && !r.killed && !r.stopped && !r.limited &&
                        r.summary.stoppedBy == Reason::None && r.summary.journalProblem.isEmpty();
    if (normal && step.kind == JobStep::UndoJob)
        checkUndone(r);
    if (normal && step.kind == JobStep::RetryJob)
        checkRetried(r);
    if (!r.killed && !r.limited)
        checkCounts(r);
    checkPlans(r);
}

void World::checkUndone(const Running& r)
{
    for (int b : r.shouldUndo) {
        if (!truth_[b].healthy())
            continue;
        const auto found = std::find_if(r.results.begin(), r.results.end(),
                                        [&](const BoardResult& x) { return x.board == address(b); });
        if (found == r.results.end())
            fail(QString("undo %1 left %2 alone, which holds the undone change")
                     .arg(r.jobId, dottedText(address(b))));
        else if (found->outcome != Outcome::Done && found->outcome != Outcome::Unchanged &&
                 !notCarriedOnly(*found) && !unanswered(*found))
            fail(QString("undo %1 did not undo %2, which holds the undone change: %3 %4")
                     .arg(r.jobId, dottedText(address(b)), outcomeKey(found->outcome),
                          reasonKey(found->reason)));
    }
}

void World::checkRetried(const Running& r)
{
    const RawJournal& j = raw();
    const int at = j.jobAt.value(r.root, -1);
    if (at < 0 || j.lines[at].o.value("what").toString() == "write" ||
        j.lines[at].o.value("what").toString() == "undo")
        return;
    for (const QJsonValue& v : j.lines[at].o.value("boards").toArray()) {
        const quint32 board = parseDottedDecimal(v.toString()).value_or(0);
        if (r.succeededBefore.contains(board) || r.refusedBefore.contains(board))
            continue;
        const auto found = std::find_if(r.results.begin(), r.results.end(),
                                        [&](const BoardResult& x) { return x.board.ipv4() == board; });
        if (found == r.results.end()) {
            fail(QString("retry %1 missed %2, which the roll-out never wrote successfully")
                     .arg(r.jobId, v.toString()));
            continue;
        }
        const int b = indexOf(BoardAddress(board));
        if (b >= 0 && truth_[b].healthy() && found->outcome != Outcome::Done &&
            found->outcome != Outcome::Unchanged && found->outcome != Outcome::Refused && !unanswered(*found))
            fail(QString("retry %1 did not write %2, which answers and takes writes: %3 %4")
                     .arg(r.jobId, v.toString(), outcomeKey(found->outcome), reasonKey(found->reason)));
    }
}

void World::checkCounts(const Running& r)
{
    if (!r.ended)
        return;
    std::optional<JobRecord> record;
    Journal(dir_.filePath("journal"))
        .forEachJob(
            [&](const JobRecord& j) {
                if (j.id == r.jobId)
                    record = j;
                return !record;
            },
            nullptr);
    if (!record)
        return fail(QString("job %1 is not in history --jobs").arg(r.jobId));
    if (!record->ended || record->counts.byKey() != r.summary.byKey()) {
        QStringList journal, truth;
        for (const auto& [key, n] : record->counts.byKey())
            journal.append(QString("%1 %2").arg(key).arg(n));
        for (const auto& [key, n] : r.summary.byKey())
            truth.append(QString("%1 %2").arg(key).arg(n));
        fail(QString("history --jobs says of %1: %2%3; the job came to %4")
                 .arg(r.jobId, journal.join(", "), record->ended ? "" : " (not ended)", truth.join(", ")));
    }
}

void World::checkPlans(const Running& r)
{
    const Journal journal(dir_.filePath("journal"));
    for (const auto& plan : {&retryPlan, &undoPlan}) {
        JournalProblem problem;
        if (!plan(journal, r.jobId, "check", &problem))
            fail(QString("job %1 cannot be run again: %2").arg(r.jobId, journalProblemText(problem)));
    }
}

void World::checkJournal()
{
    const RawJournal& j = raw();
    if (!j.problem.isEmpty())
        fail("the journal: " + j.problem);
    int jobLines = 0;
    for (const RawJournal::Line& l : j.lines)
        jobLines += l.kind == "job";
    if (jobLines != j.jobAt.size())
        fail("two jobs of the journal have one id");
}

} // namespace talvik::histories
