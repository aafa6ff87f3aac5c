#include "bench_support.h"

#include <QDir>
#include <QFile>
#include <QTemporaryFile>
#include <QTextStream>
#include <QUdpSocket>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace bench {

double cpuSeconds()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
           double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

double peakResidentMb()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return double(u.ru_maxrss) / 1024.0;
}

ProcessUse use(qint64 pid)
{
    ProcessUse u;
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (stat.open(QIODevice::ReadOnly)) {
        const QByteArray text = stat.readAll();
        const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
        // utime and stime: fields 14 and 15 of the line, 12 and 13 after the name
        u.cpuMs = double(fields.value(11).toLongLong() + fields.value(12).toLongLong()) * 1000.0 /
                  double(sysconf(_SC_CLK_TCK));
    }
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (status.open(QIODevice::ReadOnly))
        for (const QByteArray& line : status.readAll().split('\n')) {
            const double mb = line.simplified().split(' ').value(1).toDouble() / 1024.0;
            if (line.startsWith("VmRSS:"))
                u.rssMb = mb;
            else if (line.startsWith("VmHWM:"))
                u.peakMb = mb;
        }
    return u;
}

// Through GNU time, whose own child has a fresh peak: a process started straight from the
// benchmark would report the benchmark's peak as its own, the kernel carrying the peak
// of the memory it left at exec into its count.
Finished runToEnd(const QString& program, const QStringList& arguments, const QString& output)
{
    QTemporaryFile peak;
    peak.open();
    std::vector<QByteArray> texts{
        "/usr/bin/time", "-f", "%M", "-o", QFile::encodeName(peak.fileName()), QFile::encodeName(program)};
    for (const QString& a : arguments)
        texts.push_back(a.toLocal8Bit());
    std::vector<char*> argv;
    for (QByteArray& t : texts)
        argv.push_back(t.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t quiet; // what it says is not the benchmark's
    posix_spawn_file_actions_init(&quiet);
    const QByteArray out = output.isEmpty() ? QByteArray("/dev/null") : QFile::encodeName(output);
    posix_spawn_file_actions_addopen(&quiet, 1, out.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addopen(&quiet, 2, "/dev/null", O_WRONLY, 0);
    QElapsedTimer t;
    t.start();
    pid_t pid = 0;
    Finished f;
    if (posix_spawn(&pid, argv[0], &quiet, nullptr, argv.data(), environ) == 0) {
        int status = 0;
        rusage usage{}; // time's and, once it has waited for it, the program's
        wait4(pid, &status, 0, &usage);
        const auto ms = [](const timeval& v) { return double(v.tv_sec) * 1e3 + double(v.tv_usec) / 1e3; };
        // GNU time exits with the program's code, and writes "Command exited with non-zero
        // status N" before the figure when it is not 0.
        const QList<QByteArray> lines = peak.readAll().trimmed().split('\n');
        f = {WIFEXITED(status) ? WEXITSTATUS(status) : -1, double(t.nsecsElapsed()) / 1e6,
             lines.last().toDouble() / 1024.0, ms(usage.ru_utime) + ms(usage.ru_stime)};
    }
    posix_spawn_file_actions_destroy(&quiet);
    return f;
}

Child::Child(const QString& program, const QStringList& arguments) : process_(std::make_unique<QProcess>())
{
    process_->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process_->start(program, arguments);
    process_->waitForStarted();
}

Child::~Child()
{
    if (process_->state() != QProcess::NotRunning) {
        process_->kill();
        process_->waitForFinished();
    }
}

QByteArray Child::line(int timeoutMs)
{
    QElapsedTimer t;
    t.start();
    while (!buffered_.contains('\n')) {
        const int left = timeoutMs - int(t.elapsed());
        if (left <= 0 || (!process_->waitForReadyRead(left) && process_->state() == QProcess::NotRunning &&
                          !process_->bytesAvailable()))
            break;
        buffered_ += process_->readAllStandardOutput();
    }
    const qsizetype end = buffered_.indexOf('\n');
    const QByteArray line = end < 0 ? buffered_ : buffered_.left(end);
    buffered_.remove(0, end < 0 ? buffered_.size() : end + 1);
    return line.trimmed();
}

double Child::number(const QByteArray& word, int timeoutMs)
{
    for (QByteArray l = line(timeoutMs); !l.isEmpty(); l = line(timeoutMs)) {
        const QList<QByteArray> words = l.split(' ');
        const qsizetype at = words.indexOf(word);
        if (at >= 0 && at + 1 < words.size()) {
            QByteArray value = words[at + 1];
            while (value.endsWith(':') || value.endsWith(','))
                value.chop(1);
            return value.toDouble();
        }
    }
    return -1;
}

bool Child::finish(int timeoutMs)
{
    // waitForFinished() says false for a process that had already ended
    return process_->state() == QProcess::NotRunning || process_->waitForFinished(timeoutMs) ||
           process_->state() == QProcess::NotRunning;
}

qint64 Child::pid() const
{
    return process_->processId();
}

quint16 freeUdpPort()
{
    QUdpSocket probe;
    probe.bind(QHostAddress::AnyIPv4, 0);
    return probe.localPort();
}

SimBoards::SimBoards(const QStringList& definitions, double dropRate)
{
    QStringList args{QStringLiteral("--ports"), QStringLiteral("0,0"), QStringLiteral("--drop-rate"),
                     QString::number(dropRate)};
    for (const QString& d : definitions)
        args << (d.section(u',', 0, 0).contains(u'-') ? QStringLiteral("--boards")
                                                      : QStringLiteral("--board"))
             << d;
    sim = std::make_unique<Child>(tool(QStringLiteral("../tools/talvik-board-sim")), args);
    // "board 127.0.5.5 listening on ports 44840, 58568: ident=0 ..."
    const QByteArray line = sim->line();
    const QList<QByteArray> words = line.mid(line.indexOf("ports ") + 6).split(' ');
    first = quint16(words.value(0).replace(',', "").toUInt());
    second = quint16(words.value(1).replace(':', "").toUInt());
    ports = QStringLiteral("%1,%2").arg(first).arg(second);
}

bool Child::running() const
{
    return process_->state() != QProcess::NotRunning;
}

QString tool(const QString& name)
{
    return QDir(QCoreApplication::applicationDirPath()).filePath(name);
}

QString payloadFile(const QByteArray& bytes)
{
    auto* file = new QTemporaryFile(QCoreApplication::instance()); // lives as long as the run
    file->open();
    file->write(bytes);
    file->flush();
    return file->fileName();
}

bool waitUntil(const std::function<bool()>& done, int timeoutMs)
{
    QElapsedTimer t;
    t.start();
    QTimer wake; // an event now and then, so a wait without any still ends
    wake.start(20);
    while (!done()) {
        if (t.elapsed() > timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return true;
}

void progress(const QString& figure)
{
    static QElapsedTimer since;
    static QString last;
    QTextStream err(stderr);
    if (!last.isEmpty())
        err << "  " << last << ": " << since.elapsed() / 1000.0 << " s\n";
    if (!figure.isEmpty())
        err << "measuring " << figure << Qt::endl;
    last = figure;
    since.start();
}

void waitQuiet(const std::function<qint64()>& count, int quietMs, int timeoutMs)
{
    QElapsedTimer total, quiet;
    total.start();
    quiet.start();
    qint64 last = count();
    QEventLoop loop;
    QTimer check;
    QObject::connect(&check, &QTimer::timeout, [&] {
        if (count() != last) {
            last = count();
            quiet.restart();
        }
        if (quiet.elapsed() >= quietMs || total.elapsed() > timeoutMs)
            loop.quit();
    });
    check.start(20);
    loop.exec();
}

namespace {
// floor_udp sending to a port of this machine.
Child floodSender(quint16 port, const QByteArray& datagram, qint64 count, double rate)
{
    return Child(tool(QStringLiteral("floor_udp")),
                 {QStringLiteral("send"), QStringLiteral("127.0.0.1"), QString::number(port),
                  QString::number(count), payloadFile(datagram), QString::number(rate, 'f', 0)});
}
} // namespace

Received sendTo(quint16 port, const QByteArray& datagram, qint64 count, double rate,
                const std::function<qint64()>& handled)
{
    const qint64 before = handled();
    const double cpu = cpuSeconds();
    Child sender = floodSender(port, datagram, count, rate);
    waitUntil([&] { return !sender.running(); }, 120000);
    const qint64 sent = qint64(sender.number("sent", 1000));
    waitQuiet([&] { return handled(); });
    return {sent, handled() - before, cpuSeconds() - cpu};
}

Received toFloor(const QByteArray& datagram, qint64 count, double rate, int receiveBuffer)
{
    Child floor(tool(QStringLiteral("floor_udp")), {QStringLiteral("recv"), QString::number(receiveBuffer)});
    const quint16 port = quint16(floor.number("port"));
    Child sender = floodSender(port, datagram, count, rate);
    sender.finish(120000);
    const qint64 sent = qint64(sender.number("sent", 1000));
    const QList<QByteArray> words = floor.line(120000).split(' '); // "received N cpu_us C"
    return {sent, words.value(1).toLongLong(), words.value(3).toDouble() / 1e6};
}

} // namespace bench
