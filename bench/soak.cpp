// Identifier mode under a steady stream: make soak SOAK_SECONDS=600 SOAK_RATE=20000.
// A thousand boards announce themselves at the given rate for the given time; every
// ten seconds the window's handling and its memory are printed. Memory must level off.
//
// talvik_soak stall SECONDS: two senders of 8 KB datagrams at full speed while the
// window thread stands still; prints "idle_mb I peak_mb P" (resident memory at rest and
// its peak), which the queue's byte budget bounds.

#include "bench_window.h"
#include "board_simulator.h"

#include <QApplication>
#include <QTextStream>
#include <QThread>
#include <QUdpSocket>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <thread>

using namespace bench;

namespace {
// A figure of /proc/self/status in kB: VmRSS (resident now) or VmHWM (its peak).
long statusKb(const char* field)
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : f.readAll().split('\n'))
        if (line.startsWith(field))
            return line.mid(qsizetype(qstrlen(field))).trimmed().split(' ').value(0).toLong();
    return 0;
}

int stall(int seconds)
{
    BenchWindow win;
    { // at rest after some traffic: the reader's first allocations are made
        Child warmUp(tool(QStringLiteral("floor_udp")),
                     {QStringLiteral("send"), QStringLiteral("127.0.0.1"), QString::number(win.port()),
                      QStringLiteral("1000"), payloadFile(QByteArray(8192, 'x')), QStringLiteral("0")});
        warmUp.finish();
        waitQuiet([&] { return win.handled(); });
    }
    const long idle = statusKb("VmRSS:");
    const QStringList sending{
        QStringLiteral("send"),       QStringLiteral("127.0.0.1"),        QString::number(win.port()),
        QStringLiteral("1000000000"), payloadFile(QByteArray(8192, 'x')), QStringLiteral("0")};
    {
        Child a(tool(QStringLiteral("floor_udp")), sending), b(tool(QStringLiteral("floor_udp")), sending);
        QThread::sleep(unsigned(seconds)); // the window thread stands still; the reader fills the queue
    }
    std::printf("idle_mb %.1f peak_mb %.1f queued %d dropped %llu\n", double(idle) / 1024.0,
                double(statusKb("VmHWM:")) / 1024.0, win.link.queued(),
                static_cast<unsigned long long>(win.link.overflowed()));
    return 0;
}
} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    if (argc > 2 && QByteArray(argv[1]) == "stall")
        return stall(std::atoi(argv[2]));
    const int seconds = argc > 1 ? std::atoi(argv[1]) : 60;
    const double rate = argc > 2 ? std::atof(argv[2]) : 20000;
    BenchWindow win;
    win.w->Ch_Box_Conf_IP->setChecked(true);
    const quint16 port = win.port();
    std::atomic<bool> stop{false};
    std::atomic<qint64> sent{0};
    std::thread boards([&] {
        QUdpSocket s;
        s.bind(QHostAddress::LocalHost, 0);
        const auto start = std::chrono::steady_clock::now();
        for (qint64 i = 0; !stop; ++i) {
            while (std::chrono::steady_clock::now() - start < std::chrono::duration<double>(double(i) / rate))
                ;
            s.writeDatagram(talvik::sim::announcement(quint16(i % 1000)), QHostAddress::LocalHost, port);
            ++sent;
        }
    });
    QTextStream out(stdout);
    out << "identifier mode, " << rate << " datagrams/s from 1000 identifiers, " << seconds << " s\n"
        << "seconds  sent  handled  dropped  resident MB  log lines\n";
    QElapsedTimer t;
    t.start();
    QTimer report;
    QObject::connect(&report, &QTimer::timeout, [&] {
        out << qSetFieldWidth(7) << t.elapsed() / 1000 << qSetFieldWidth(0) << "  " << sent << "  "
            << win.handled() << "  " << win.link.overflowed() << "  "
            << QString::number(statusKb("VmRSS:") / 1024.0, 'f', 1) << "  " << win.w->Memo1->blockCount()
            << Qt::endl;
        if (t.elapsed() >= seconds * 1000)
            QCoreApplication::quit();
    });
    report.start(10000);
    app.exec();
    stop = true;
    boards.join();
    return 0;
}
