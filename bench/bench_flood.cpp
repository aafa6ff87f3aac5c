// Under a flood: the window's sends and its close while two senders go at full speed,
// a burst of 100,000 beside the plain C receiver, the CPU per datagram at a steady
// 10,000 a second, and memory with 8 KB datagrams while the window thread stands still.

#include "bench_window.h"
#include "board_simulator.h"
#include "gui/widgets/rows.h"

#include <QUdpSocket>

using namespace talvik;
using namespace bench;

namespace {
constexpr int Repetitions = 10;

// Two processes sending to the port as fast as they can, until this goes out of scope.
struct Flood {
    Child a, b;
    Flood(quint16 port, const QString& payload)
        : a(tool(QStringLiteral("floor_udp")), arguments(port, payload)),
          b(tool(QStringLiteral("floor_udp")), arguments(port, payload))
    {
        waitUntil([] { return false; }, 300); // under way
    }
    static QStringList arguments(quint16 port, const QString& payload)
    {
        return {QStringLiteral("send"),
                QStringLiteral("127.0.0.1"),
                QString::number(port),
                QStringLiteral("1000000000"),
                payload,
                QStringLiteral("0")};
    }
};

// The operator's read, clicked every 100 ms for 2 s: the longest the window thread waited.
double worstReadClickMs(BenchWindow& win, quint16 boardPort)
{
    auto& w = *win.w;
    w.Ed_0->setBytes({127, 0, 0, 2});
    w.CurEd_Port->setValue(boardPort);
    double worst = 0;
    for (int i = 0; i < 20; ++i) {
        QElapsedTimer t;
        t.start();
        w.Button8->click();
        worst = std::max(worst, double(t.nsecsElapsed()) / 1e6);
        waitUntil([] { return false; }, 100);
    }
    return worst;
}

double closeMs(BenchWindow& win)
{
    QElapsedTimer t;
    t.start();
    win.w->close();
    return double(t.nsecsElapsed()) / 1e6;
}

} // namespace

void floodFigures(std::vector<Row>& rows)
{
    progress(QStringLiteral("sends and the close under a flood"));
    QUdpSocket board; // the read's first port; its other two go nowhere
    board.bind(QHostAddress(QStringLiteral("127.0.0.2")), 0);
    const QString payload = payloadFile(QByteArray(100, 'x'));
    Sample send, sendIdle, close, closeIdle;
    for (int r = 0; r < Repetitions; ++r) {
        {
            BenchWindow idle;
            sendIdle.add(worstReadClickMs(idle, board.localPort()));
            closeIdle.add(closeMs(idle));
        }
        BenchWindow win;
        Flood flood(win.port(), payload);
        send.add(worstReadClickMs(win, board.localPort()));
        close.add(closeMs(win));
    }
    rows.push_back({"worst wait of the window thread for a read's send, two senders at full speed (a click "
                    "every 100 ms for 2 s; was 3.1-11.8 s)",
                    send.text(2) + " ms", sendIdle.text(2) + " ms without the flood", "-", "<= 50 ms",
                    send.median() <= 50});
    rows.push_back({"the window's close under the same flood (was up to 14 s)", close.text(2) + " ms",
                    closeIdle.text(2) + " ms without the flood", "-", "<= 100 ms", close.median() <= 100});

    progress(QStringLiteral("CPU at 10,000 a second"));
    Sample perDatagram, floorPerDatagram;
    for (int r = 0; r < Repetitions; ++r) {
        const Received w = toWindow(configReply(), 20000, 10000);
        const Received f = toFloor(configReply(), 20000, 10000);
        perDatagram.add(w.handled ? w.cpu / double(w.handled) * 1e6 : 0);
        floorPerDatagram.add(f.handled ? f.cpu / double(f.handled) * 1e6 : 0);
    }
    rows.push_back({"CPU per reply at 10,000 a second, all threads (was 20.8 x)", perDatagram.text(1) + " us",
                    floorPerDatagram.text(1) + " us (the C receiver)",
                    n(perDatagram.median() / floorPerDatagram.median(), 1) + " x", "<= 8 x",
                    perDatagram.median() <= 8 * floorPerDatagram.median()});

    progress(QStringLiteral("memory with 8 KB datagrams"));
    Sample peak, idle;
    for (int r = 0; r < Repetitions; ++r) {
        Child stalled(tool(QStringLiteral("talvik_soak")), {QStringLiteral("stall"), QStringLiteral("3")});
        const QList<QByteArray> words = stalled.line(60000).split(' '); // "idle_mb I peak_mb P ..."
        idle.add(words.value(1).toDouble());
        peak.add(words.value(3).toDouble());
    }
    const double budget = double(UdpLink::DefaultByteBudget) / (1 << 20);
    rows.push_back(
        {"peak memory, two senders of 8 KB datagrams, window thread standing still 3 s", peak.text(1) + " MB",
         idle.text(1) + " MB at rest", plus(peak.median() - idle.median(), 1) + " MB",
         "<= rest + " + n(budget) + " MB (the queue's budget)", peak.median() <= idle.median() + budget});
}

// An unpaced burst of replies, the program as it runs.
void burstFigures(std::vector<Row>& rows)
{
    progress(QStringLiteral("a burst of 100,000"));
    Sample lost, floorLost;
    for (int r = 0; r < Repetitions; ++r) {
        const Received w = toWindow(configReply(), 100000, 0, true);
        const Received f = toFloor(configReply(), 100000, 0, UntunedReceiveBuffer);
        lost.add(double(w.sent - w.handled));
        floorLost.add(double(f.sent - f.handled));
    }
    rows.push_back({"replies lost of an unpaced burst of 100,000 configuration replies from a sender at full "
                    "speed, the program as it runs (the fleet beside the window) with the receive buffer an "
                    "untuned PC grants; ten pairs of runs, the program's and the floor's in turn",
                    lost.text(0), floorLost.text(0) + " (the C receiver, recvmmsg, the same buffer)",
                    plus(lost.median() - floorLost.median()), "<= floor + 1,000 (1 %)",
                    lost.median() <= floorLost.median() + 1000});
}
