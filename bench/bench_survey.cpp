// Finding boards at the speed of the network: a sparse /24 (20 boards among 254
// addresses), the same with a fifth of all datagrams lost each way, and 250 boards while
// two senders flood the listening port; talvikctl (a process) and the fleet window
// (click to the table complete), against one C request to every address and its answer.

#include "bench_window.h"
#include "fleet/fleet_survey.h"
#include "gui/fleet_window/fleet_window.h"
#include "gui/fleet_window/fleet_window_host.h"
#include "gui/widgets/number_edit.h"
#include "wire/frames.h"

#include <QLineEdit>
#include <QPushButton>
#include <QUdpSocket>

using namespace talvik;
using namespace bench;

namespace {
constexpr int Repetitions = 10;
constexpr int FloodRate = 40000; // datagrams a second, from each of two senders

using Boards = SimBoards;

// 20 boards spread over 127.0.5.1-254.
QStringList sparse()
{
    QStringList boards;
    for (int i = 0; i < 20; ++i)
        boards << QStringLiteral("127.0.5.%1,version=2.17").arg(5 + 12 * i);
    return boards;
}

QStringList full()
{
    QStringList boards;
    for (int i = 1; i <= 250; ++i)
        boards << QStringLiteral("127.0.8.%1,version=2.17").arg(i);
    return boards;
}

// Two senders at FloodRate each into `port`, until this goes out of scope.
struct Flood {
    std::vector<std::unique_ptr<Child>> senders;
    explicit Flood(quint16 port)
    {
        for (int i = 0; i < 2; ++i)
            senders.push_back(std::make_unique<Child>(
                tool(QStringLiteral("floor_udp")),
                QStringList{QStringLiteral("send"), QStringLiteral("127.0.0.1"), QString::number(port),
                            QString::number(FloodRate * 60), payloadFile(QByteArray(100, 'x')),
                            QString::number(FloodRate)}));
    }
};

struct Found {
    double ms = 0;
    int boards = 0;
    quint64 lost = 0; // to overload, as the program says
};

Found byTalvikctl(const Boards& boards, const QString& range, bool flooded)
{
    const quint16 port = freeUdpPort();
    std::unique_ptr<Flood> flood = flooded ? std::make_unique<Flood>(port) : nullptr;
    QElapsedTimer t;
    t.start();
    QProcess ctl;
    ctl.start(tool(QStringLiteral("../tools/talvikctl")),
              {QStringLiteral("survey"), range, QStringLiteral("--json"), QStringLiteral("--local-port"),
               QString::number(port), QStringLiteral("--ports"), boards.ports});
    ctl.waitForFinished(120000);
    Found f{double(t.nsecsElapsed()) / 1e6, int(ctl.readAllStandardOutput().count("\"ip\"")), 0};
    const QByteArray err = ctl.readAllStandardError();
    const qsizetype at = err.indexOf(" datagrams were lost");
    if (at > 0)
        f.lost = err.left(at).split(' ').last().toULongLong();
    return f;
}

Found byWindow(const Boards& boards, const QString& first, const QString& last, bool flooded)
{
    BenchWindow win(boards.second, boards.second);
    win.w->CurEd_Port->setValue(boards.first);
    NoDialogs dialogs;
    FleetWindowHost fleet(*win.w, &dialogs);
    fleet.open();
    FleetWindow& w = fleet.window();
    waitUntil([&] { return w.windowHandle() && w.windowHandle()->isExposed(); }, 5000);
    w.first->setText(first);
    w.last->setText(last);
    std::unique_ptr<Flood> flood = flooded ? std::make_unique<Flood>(win.port()) : nullptr;
    using Clock = std::chrono::steady_clock;
    const auto start = Clock::now();
    w.search->click();
    waitUntil([&] { return w.search->isEnabled(); }, 60000);
    const auto done = Clock::now();
    waitUntil([&] { return BenchApplication::lastRepaint() > done; }, 2000);
    Found f{std::chrono::duration<double, std::milli>(BenchApplication::lastRepaint() - start).count(), 0,
            fleet.survey().lostToOverload()};
    for (int row = 0; row < fleet.model().rowCount(); ++row)
        f.boards += fleet.model().rowAt(row).working.has_value();
    return f;
}

double sweepFloor(const Boards& boards, const QString& network, int last, int expected)
{
    Child sweep(tool(QStringLiteral("floor_udp")),
                {QStringLiteral("sweep"), network, QStringLiteral("1"), QString::number(last),
                 QString::number(boards.first), payloadFile(buildReadFrame(Memory::Working)),
                 QString::number(expected)});
    return sweep.number("total_ms");
}

// One figure: talvikctl's and the window's rows against the same floor, measured here when
// `floor` is empty (on a network that loses datagrams, the loss-free one's is given).
void figure(std::vector<Row>& rows, const QString& what, const Boards& boards, const QString& network,
            int last, int expected, bool flooded, double targetMs, int mostMissed, Sample& floor)
{
    const bool measureFloor = floor.values.empty();
    Sample ctlMs, winMs;
    int ctlMissed = 0, winMissed = 0;
    quint64 ctlLost = 0, winLost = 0;
    const QString firstAddress = network + QStringLiteral(".1");
    for (int r = 0; r < Repetitions; ++r) {
        const Found c = byTalvikctl(boards, firstAddress + u'-' + QString::number(last), flooded);
        const Found w = byWindow(boards, firstAddress, QString::number(last), flooded);
        ctlMs.add(c.ms);
        winMs.add(w.ms);
        ctlMissed = std::max(ctlMissed, expected - c.boards);
        winMissed = std::max(winMissed, expected - w.boards);
        ctlLost = std::max(ctlLost, c.lost);
        winLost = std::max(winLost, w.lost);
        if (measureFloor)
            floor.add(sweepFloor(boards, network, last, expected));
    }
    const QString target =
        QStringLiteral("<= %1 s, ").arg(targetMs / 1000, 0, 'f', 1) +
        (mostMissed == 0 ? QStringLiteral("none missed") : QStringLiteral("<= %1 missed").arg(mostMissed));
    for (const auto& [who, ms, missed, lost] :
         {std::tuple{QStringLiteral("talvikctl"), ctlMs, ctlMissed, ctlLost},
          std::tuple{QStringLiteral("fleet window"), winMs, winMissed, winLost}})
        rows.push_back({who + QStringLiteral(": ") + what,
                        ms.text(0) + " ms, " + n(missed) + " missed" +
                            (flooded ? ", " + n(double(lost)) + " reported lost" : QString()),
                        floor.text(1) + " ms", n(ms.median() / floor.median(), 1) + " x", target,
                        ms.median() <= targetMs && missed <= mostMissed});
}
} // namespace

void surveyFigures(std::vector<Row>& rows)
{
    const QString flood =
        QStringLiteral("250 boards while two senders flood the listening port at %1 datagrams a second each")
            .arg(FloodRate);
    Sample sparseFloor, fullFloor;
    progress(QStringLiteral("a sparse /24"));
    figure(rows, QStringLiteral("a sparse /24, 20 boards among 254 addresses"), Boards(sparse()),
           QStringLiteral("127.0.5"), 254, 20, false, 1500, 0, sparseFloor);
    progress(QStringLiteral("a sparse /24, 20 % lost each way"));
    figure(rows, QStringLiteral("the same, 20 % of datagrams lost each way (floor: without loss)"),
           Boards(sparse(), 0.2), QStringLiteral("127.0.5"), 254, 20, false, 4000, 0, sparseFloor);
    progress(QStringLiteral("250 boards under a flood"));
    figure(rows, flood, Boards(full()), QStringLiteral("127.0.8"), 250, 250, true, 5000, 12, fullFloor);
}
