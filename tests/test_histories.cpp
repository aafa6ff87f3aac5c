// Random histories of jobs on simulated boards: writes, applies, undos and retries of jobs
// and of boards, reboots, Ctrl-C once or twice, kill -9, boards that go silent, ignore
// writes, answer late or are written elsewhere, a journal that cannot grow, two programs at
// once. After every step the boards, the frames that left and the journal are checked
// against a model (history_world.h). A history is made from its seed alone, so a failing
// one is run again with --seed.
//
//   test_histories                       300 histories from seed 1 (the suite), 4 processes
//   test_histories --seed 4711 --histories 1 --verbose
//   test_histories --seconds 600 --seed 0   as many as fit, from a seed of the clock

#include "history_world.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTextStream>
#include <random>

using namespace talvik;
using namespace talvik::histories;

namespace {

QTextStream& out()
{
    static QTextStream s(stdout);
    return s;
}

class Generator {
  public:
    Generator(quint32 seed, World& world) : random_(seed), world_(world) {}

    // One step, done: its words for the record.
    QString step()
    {
        const int roll = pick(100);
        if (roll < 22)
            return job(change());
        if (roll < 28)
            return job(apply());
        if (roll < 44)
            return job(ofJob(JobStep::UndoJob));
        if (roll < 58)
            return job(ofJob(JobStep::RetryJob));
        if (roll < 66)
            return job(ofBoard(JobStep::UndoBoard));
        if (roll < 68) // a reboot's words take 400 ms: seldom, and one board
            return job(reboot());
        if (roll < 73)
            return job(configuratorWrite());
        if (roll < 87)
            return behaviour();
        if (roll < 93)
            return elsewhere();
        return together();
    }

  private:
    int pick(int n) { return int(std::uniform_int_distribution<int>(0, n - 1)(random_)); }
    bool chance(int percent) { return pick(100) < percent; }

    QList<int> someBoards()
    {
        QList<int> boards;
        for (int b = 0; b < world_.boardCount(); ++b)
            if (chance(55))
                boards.append(b);
        if (boards.isEmpty())
            boards.append(pick(world_.boardCount()));
        return boards;
    }

    FieldChange someChange()
    {
        static const char* masks[] = {"255.0.0.0", "255.255.0.0", "255.255.255.0"};
        static const char* routers[] = {"127.0.0.1", "127.0.0.254", "10.9.9.9"};
        static const char* others[] = {"127.0.0.1", "10.0.0.5", "0.0.0.0"};
        FieldChange c;
        do {
            switch (pick(5)) {
            case 0:
                c.mask = octetsOf(*parseDottedDecimal(masks[pick(3)]));
                break;
            case 1:
                c.router = octetsOf(*parseDottedDecimal(routers[pick(3)]));
                break;
            case 2:
                c.dispatcher = octetsOf(*parseDottedDecimal(others[pick(3)]));
                break;
            case 3:
                c.reserve1 = octetsOf(*parseDottedDecimal(others[pick(3)]));
                break;
            default:
                c.branch = quint8(pick(4));
            }
        } while (chance(30));
        return c;
    }

    void interruptions(JobStep& s)
    {
        const auto moment = [this] { return chance(50) ? pick(5) : pick(60); };
        const int roll = pick(100);
        if (roll < 12)
            s.stopAtMs = moment();
        else if (roll < 20) {
            s.stopAtMs = moment();
            s.cancelAtMs = s.stopAtMs + pick(30);
        }
        else if (roll < 26)
            s.killAtMs = moment();
        if (chance(4))
            s.journalRoom = pick(700);
        s.defaultLimit = chance(30);
    }

    JobStep change()
    {
        JobStep s;
        s.kind = JobStep::Change;
        s.boards = someBoards();
        s.change = someChange();
        s.force = chance(10);
        interruptions(s);
        return s;
    }

    JobStep apply()
    {
        JobStep s;
        s.kind = JobStep::Apply;
        s.boards = someBoards();
        for (int b : s.boards)
            s.backups.append(withChange(world_.permanent(b), someChange()));
        s.force = chance(10);
        interruptions(s);
        return s;
    }

    JobStep ofJob(JobStep::Kind kind)
    {
        JobStep s;
        s.kind = kind;
        const QStringList jobs = world_.jobIds();
        s.job = jobs.isEmpty() || chance(8) ? QString("last")
                : chance(40)                ? jobs.last()
                                            : jobs.value(pick(int(jobs.size())));
        s.force = kind == JobStep::UndoJob && chance(8);
        interruptions(s);
        return s;
    }

    JobStep ofBoard(JobStep::Kind kind)
    {
        JobStep s;
        s.kind = kind;
        s.boards = {pick(world_.boardCount())};
        s.force = chance(8);
        interruptions(s);
        return s;
    }

    JobStep reboot()
    {
        JobStep s;
        s.kind = JobStep::Reboot;
        s.boards = {pick(world_.boardCount())};
        interruptions(s);
        return s;
    }

    JobStep configuratorWrite()
    {
        JobStep s;
        s.kind = JobStep::ConfiguratorWrite;
        s.boards = {pick(world_.boardCount())};
        s.change = someChange();
        s.force = chance(50); // the window knew the memory before
        return s;
    }

    QString job(const JobStep& s)
    {
        world_.run(s);
        return s.text();
    }

    QString behaviour()
    {
        const int b = pick(world_.boardCount());
        const bool on = chance(40);
        switch (pick(3)) {
        case 0:
            world_.setSilent(b, on);
            return QString("board %1 %2").arg(b).arg(on ? "goes silent" : "answers");
        case 1:
            world_.setIgnoresWrites(b, on);
            return QString("board %1 %2").arg(b).arg(on ? "ignores writes" : "takes writes");
        default:
            world_.setLate(b, on);
            return QString("board %1 %2").arg(b).arg(on ? "answers late" : "answers in time");
        }
    }

    QString elsewhere()
    {
        const int b = pick(world_.boardCount());
        const FieldChange c = someChange();
        world_.writeElsewhere(b, withChange(world_.permanent(b), c));
        QStringList fields;
        for (const auto& [name, value] : fieldTexts(c))
            fields.append(name + '=' + value);
        return QString("board %1 written elsewhere: %2").arg(b).arg(fields.join(' '));
    }

    QString together()
    {
        JobStep a = chance(50) ? change() : ofJob(chance(50) ? JobStep::UndoJob : JobStep::RetryJob);
        JobStep b = chance(50) ? change() : ofJob(chance(50) ? JobStep::UndoJob : JobStep::RetryJob);
        for (JobStep* s : {&a, &b}) {
            s->killAtMs = -1;    // a kill is a step of its own
            s->journalRoom = -1; // the limit is the whole process's
        }
        world_.runTogether(a, b);
        return "at once: " + a.text() + " | " + b.text();
    }

    std::mt19937 random_;
    World& world_;
};

// One history: its steps until the first fault, or all of them.
QString history(quint32 seed, int mostSteps, QStringList* steps)
{
    std::mt19937 lengths(seed ^ 0x5bd1e995u);
    const int count = 1 + int(lengths() % quint32(mostSteps));
    World world(5, seed);
    Generator generator(seed, world);
    for (int i = 0; i < count && world.fault().isEmpty(); ++i) {
        QElapsedTimer took;
        took.start();
        const QString step = generator.step();
        steps->append(QString("%1 (%2 ms)").arg(step).arg(took.elapsed()));
        world.checkJournal();
    }
    return world.fault();
}

// Each worker runs every `workers`-th history from `first`: histories mostly wait for
// boards, so several processes at once take a fraction of the time.
int runHistories(quint32 first, int workers, int most, qint64 seconds, int mostSteps, bool verbose,
                 bool asWorker)
{
    QElapsedTimer clock;
    clock.start();
    int run = 0, failed = 0;
    for (quint32 s = first;; s += quint32(workers)) {
        if (seconds > 0 ? clock.elapsed() >= seconds * 1000 : run >= most)
            break;
        QStringList steps;
        const QString fault = history(s, mostSteps, &steps);
        ++run;
        if (verbose || !fault.isEmpty()) {
            out() << (fault.isEmpty() ? "history" : "FAILED history") << " --seed " << s << Qt::endl;
            for (int i = 0; i < steps.size(); ++i)
                out() << "  " << i + 1 << ". " << steps[i] << Qt::endl;
        }
        if (!fault.isEmpty()) {
            ++failed;
            out() << "  fault: " << fault << Qt::endl;
            if (seconds <= 0)
                break;
        }
    }
    if (asWorker)
        out() << "worker: " << run << " " << failed << Qt::endl;
    else
        out() << "histories: " << run << ", seed " << first << ", " << failed << " failed, "
              << clock.elapsed() / 1000.0 << " s" << Qt::endl;
    return failed == 0 ? 0 : 1;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription("Random histories of jobs, each checked step by step.");
    parser.addHelpOption();
    parser.addOptions({
        {"seed", "The first history's seed (0: from the clock).", "n", "1"},
        {"histories", "How many histories.", "n", "300"},
        {"seconds", "Run histories until this much time has passed instead.", "s"},
        {"steps", "Steps of a history at most.", "n", "30"},
        {"workers", "Processes running histories at once.", "n", "4"},
        {"worker", "(A worker's own: its first history.)", "n"},
        {"verbose", "Print each history's steps."},
    });
    parser.process(app);
    quint32 seed = parser.value("seed").toUInt();
    if (seed == 0)
        seed = quint32(QDateTime::currentMSecsSinceEpoch());
    const int most = parser.value("histories").toInt();
    const qint64 seconds = parser.value("seconds").toLongLong();
    const int mostSteps = qMax(1, parser.value("steps").toInt());
    const int workers = qBound(1, parser.value("workers").toInt(), 64);
    if (parser.isSet("worker")) {
        const int k = parser.value("worker").toInt();
        return runHistories(seed + quint32(k), workers, most / workers + (k < most % workers), seconds,
                            mostSteps, parser.isSet("verbose"), true);
    }
    if (most == 1 || workers == 1) // one process: a history replayed, or a debugger
        return runHistories(seed, 1, most, seconds, mostSteps, parser.isSet("verbose"), false);
    QElapsedTimer clock;
    clock.start();
    std::vector<std::unique_ptr<QProcess>> children;
    for (int k = 0; k < workers; ++k) {
        auto child = std::make_unique<QProcess>();
        child->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        child->start(QCoreApplication::applicationFilePath(),
                     app.arguments().mid(1) +
                         QStringList{"--seed", QString::number(seed), "--worker", QString::number(k)});
        children.push_back(std::move(child));
    }
    int run = 0, failed = 0;
    for (auto& child : children) {
        child->waitForFinished(-1);
        for (const QByteArray& line : child->readAllStandardOutput().split('\n')) {
            if (line.startsWith("worker: ")) {
                const QList<QByteArray> n = line.mid(8).split(' ');
                run += n.value(0).toInt();
                failed += n.value(1).toInt();
            }
            else if (!line.isEmpty())
                out() << line << Qt::endl;
        }
        if (child->exitStatus() != QProcess::NormalExit) {
            ++failed;
            out() << "a worker crashed: " << child->errorString() << Qt::endl;
        }
    }
    out() << "histories: " << run << ", seed " << seed << ", " << failed << " failed, "
          << clock.elapsed() / 1000.0 << " s" << Qt::endl;
    return failed == 0 ? 0 : 1;
}
