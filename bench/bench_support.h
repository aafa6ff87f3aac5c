#pragma once
// What the benchmarks share: repeated measurements and their spread, the processes
// they run beside the window (the floors, the senders, the simulator), the table.

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

namespace bench {

// A figure measured several times: its median and its spread.
struct Sample {
    std::vector<double> values;
    void add(double v) { values.push_back(v); }
    double median() const
    {
        if (values.empty())
            return 0;
        std::vector<double> v = values;
        std::sort(v.begin(), v.end());
        const size_t n = v.size();
        return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
    }
    double min() const { return values.empty() ? 0 : *std::min_element(values.begin(), values.end()); }
    double max() const { return values.empty() ? 0 : *std::max_element(values.begin(), values.end()); }
    // "12.3 (10.1-15.0)": the median and the range of the repetitions.
    QString text(int decimals = 1) const
    {
        return QStringLiteral("%1 (%2-%3)")
            .arg(median(), 0, 'f', decimals)
            .arg(min(), 0, 'f', decimals)
            .arg(max(), 0, 'f', decimals);
    }
};

struct Row {
    QString figure, value, floor, ratio, target;
    bool met = true;
};

// CPU time of this process, all threads, in seconds.
double cpuSeconds();
// Peak resident memory of this process, in MB.
double peakResidentMb();

// A running process's CPU time so far (user + system) and its resident and peak memory.
struct ProcessUse {
    double cpuMs = 0, rssMb = 0, peakMb = 0;
};
ProcessUse use(qint64 pid);

// A program beside the benchmark, on its own, talking through stdout lines.
class Child {
  public:
    Child(const QString& program, const QStringList& arguments);
    ~Child();
    // The next line it prints (empty after `timeoutMs`).
    QByteArray line(int timeoutMs = 20000);
    // The first number after `word` in the next line that holds it.
    double number(const QByteArray& word, int timeoutMs = 20000);
    bool finish(int timeoutMs = 60000); // true once it has ended
    bool running() const;
    qint64 pid() const;

  private:
    std::unique_ptr<QProcess> process_;
    QByteArray buffered_;
};

// A program run to its end: its exit code, wall time and peak resident memory (its own,
// not the largest of all children so far). Its standard output goes to `output` when given.
struct Finished {
    int exit = -1;
    double ms = 0, peakMb = 0, cpuMs = 0;
};
Finished runToEnd(const QString& program, const QStringList& arguments, const QString& output = {});

QString tool(const QString& name); // a program built beside the benchmark
quint16 freeUdpPort();

// Simulated boards in a process of their own, all on the same two ports.
struct SimBoards {
    std::unique_ptr<Child> sim;
    QString ports; // "P1,P2", for talvikctl's --ports
    quint16 first = 0, second = 0;
    // Each definition a --board (one address) or, with a '-', a --boards range.
    explicit SimBoards(const QStringList& definitions, double dropRate = 0);
};
QString payloadFile(const QByteArray& bytes); // a file holding them, for floor_udp

// A figure for the table, with `decimals` places.
inline QString n(double v, int decimals = 0)
{
    return QString::number(v, 'f', decimals);
}
// A difference with its sign: "+3.2", "-0.5".
inline QString plus(double v, int decimals = 0)
{
    return (v >= 0 ? QStringLiteral("+") : QString()) + n(v, decimals);
}

// What reached a receiver from a sender process, and the receiver's CPU time for it.
struct Received {
    qint64 sent = 0, handled = 0;
    double cpu = 0;
    double perCpuSecond() const { return cpu > 0 ? double(handled) / cpu : 0; }
};

// floor_udp sends `count` copies of `datagram` to `port` at `rate` a second (0: as fast as
// it can); `handled` counts what this process has taken so far.
Received sendTo(quint16 port, const QByteArray& datagram, qint64 count, double rate,
                const std::function<qint64()>& handled);
// The same into the plain C receiver, a process of its own: its count and its CPU time;
// with the receive buffer it asks for.
Received toFloor(const QByteArray& datagram, qint64 count, double rate = 0, int receiveBuffer = 8 << 20);

// Runs the event loop, waiting for events (never spinning), until `done` holds or
// `timeoutMs` passes; true when it held.
bool waitUntil(const std::function<bool()>& done, int timeoutMs = 10000);
// Says on stderr which figure is being measured, and how long the last one took.
void progress(const QString& figure);
// Runs the event loop until `count` stops changing for `quietMs`.
void waitQuiet(const std::function<qint64()>& count, int quietMs = 300, int timeoutMs = 60000);

} // namespace bench
