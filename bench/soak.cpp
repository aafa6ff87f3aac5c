// Identifier mode under a steady stream: make soak SOAK_SECONDS=600 SOAK_RATE=20000.
// A thousand boards announce themselves at the given rate for the given time; every
// ten seconds the window's handling and its memory are printed. Memory must level off.

#include "bench_window.h"
#include "board_simulator.h"

#include <QApplication>
#include <QTextStream>
#include <QUdpSocket>
#include <atomic>
#include <chrono>
#include <thread>

using namespace bench;

namespace {
long residentKb()
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : f.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    return 0;
}
} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
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
            << QString::number(residentKb() / 1024.0, 'f', 1) << "  " << win.w->Memo1->blockCount()
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
