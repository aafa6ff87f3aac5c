// The configurator against floors measured in the same run: what the operator sees
// (the window shown), each figure the median of several repetitions with its range.
// Floors are plain sockets in processes of their own (floor_udp, no Qt).

#include "bench_window.h"
#include "board_simulator.h"
#include "gui/fleet_window/fleet_window.h"
#include "gui/fleet_window/fleet_window_host.h"
#include "gui/widgets/rows.h"
#include "net/private_network.h"
#include "store/settings_keys.h"
#include "wire/board_address.h"

#include <QApplication>
#include <QDateTime>
#include <QFile>
#include <QTextStream>
#include <QThread>
#include <array>

using namespace talvik;
using namespace bench;

namespace {
constexpr int Repetitions = 10;

// The highest rate at which `count` datagrams all arrive, by bisection on a log scale.
double zeroLossRate(const std::function<Received(double rate)>& trial, qint64 count)
{
    double ok = 0, low = 50000, high = 3000000;
    for (int i = 0; i < 6; ++i) {
        const double rate = std::sqrt(low * high);
        const Received r = trial(rate);
        (r.handled >= count ? low : high) = rate;
        if (r.handled >= count)
            ok = rate;
    }
    return ok;
}

Row ratioRow(const QString& figure, const Sample& value, const Sample& floor, const QString& unit,
             int decimals, double target, const QString& targetText, bool higherIsBetter = true)
{
    const double ratio = floor.median() > 0 ? value.median() / floor.median() : 0;
    return {figure,
            value.text(decimals) + unit,
            floor.text(decimals) + unit,
            n(ratio, 2) + " x",
            targetText,
            higherIsBetter ? ratio >= target : ratio <= target};
}
Row withoutTarget(Row row)
{
    row.target = QStringLiteral("-");
    row.met = true;
    return row;
}
} // namespace

// The sections, in bench_*.cpp.
void receiveFigures(std::vector<Row>& rows);
void roundTripFigures(std::vector<Row>& rows);
void startupFigures(std::vector<Row>& rows);
void settingsFigures(std::vector<Row>& rows);
void rangeTickFigures(std::vector<Row>& rows);
void floodFigures(std::vector<Row>& rows);
void fleetFigures(std::vector<Row>& rows);
void fileFigures(std::vector<Row>& rows);
void surveyFigures(std::vector<Row>& rows);
void burstFigures(std::vector<Row>& rows);
void exporterFigures(std::vector<Row>& rows);
void cityFigures(std::vector<Row>& rows);
void journalFigures(std::vector<Row>& rows);
void exporterWebFigures(std::vector<Row>& rows);
void historyFigures(std::vector<Row>& rows);

void receiveFigures(std::vector<Row>& rows)
{
    progress(QStringLiteral("the burst"));
    // A burst of 10,000 replies while the window thread stands still for 400 ms (the reboot's pauses).
    Sample handled, lost;
    bool lastShown = true;
    for (int r = 0; r < Repetitions; ++r) {
        BenchWindow win;
        Child sender(tool(QStringLiteral("floor_udp")),
                     {QStringLiteral("send"), QStringLiteral("127.0.0.1"), QString::number(win.port()),
                      QStringLiteral("10000"), payloadFile(configReply(1234)), QStringLiteral("0")});
        QThread::msleep(400);
        sender.finish();
        const qint64 sent = qint64(sender.number("sent", 1000));
        waitQuiet([&] { return win.handled(); });
        handled.add(double(win.handled()));
        lost.add(double(sent - win.handled()));
        // the floor sender numbers its copies at positions 5..8: the last is 9999
        lastShown = lastShown && win.w->ED_7->texts() == QStringList({"000", "000", "039", "015"});
    }
    rows.push_back({"burst of 10,000 replies, window thread busy 400 ms", "handled " + handled.text(0), "-",
                    "lost " + n(lost.max()), "0 lost, last one shown", lost.max() == 0 && lastShown});

    // Throughput per CPU-second by size: configuration replies (100 bytes) and other datagrams.
    const QList<QPair<QString, QByteArray>> sizes{{"0 bytes", QByteArray()},
                                                  {"100 bytes (configuration replies)", configReply(1234)},
                                                  {"1,500 bytes", QByteArray(1500, 'x')},
                                                  {"8,192 bytes", QByteArray(8192, 'x')}};
    for (const auto& [name, datagram] : sizes) {
        progress(QStringLiteral("throughput, ") + name);
        Sample window, floor, windowLost;
        const qint64 count = datagram.size() > 1000 ? 50000 : 200000;
        for (int r = 0; r < Repetitions; ++r) {
            const Received w = toWindow(datagram, count);
            window.add(w.perCpuSecond());
            windowLost.add(double(w.sent - w.handled));
            floor.add(toFloor(datagram, count).perCpuSecond());
        }
        const bool replies = datagram.size() == 100;
        rows.push_back(ratioRow(
            "datagrams of " + name + " per CPU-second (window lost up to " + n(windowLost.max()) + ")",
            window, floor, " /s", 0, replies ? 0.25 : 0, replies ? ">= 0.25 x floor" : "-"));
    }

    progress(QStringLiteral("the highest rate without loss"));
    // The highest send rate taken with no loss.
    Sample windowRate, floorRate;
    const qint64 count = 50000;
    for (int r = 0; r < Repetitions; ++r) {
        windowRate.add(
            zeroLossRate([&](double rate) { return toWindow(configReply(1234), count, rate); }, count));
        floorRate.add(
            zeroLossRate([&](double rate) { return toFloor(configReply(1234), count, rate); }, count));
    }
    rows.push_back(ratioRow("highest rate of replies with none lost (50,000 sent)", windowRate, floorRate,
                            " /s", 0, 0, "-"));

    progress(QStringLiteral("timer lateness"));
    // A 10 ms timer while 200,000 datagrams arrive as fast as they can.
    Sample late, idle;
    for (int r = 0; r < Repetitions; ++r) {
        BenchWindow win;
        double worst = 0;
        QElapsedTimer since;
        QTimer tick;
        tick.setTimerType(Qt::PreciseTimer);
        QObject::connect(&tick, &QTimer::timeout, [&] {
            worst = std::max(worst, double(since.nsecsElapsed()) / 1e6 - 10.0);
            since.start();
        });
        since.start();
        tick.start(10);
        sendTo(win.port(), QByteArray("status report 0123456789"), 200000, 0, [&] { return win.handled(); });
        late.add(worst);
        worst = 0;
        since.start();
        waitUntil([] { return false; }, 500); // the same timer with nothing arriving
        idle.add(worst);
    }
    rows.push_back({"10 ms timer lateness under a flood (worst)", late.text(2) + " ms", idle.text(2) + " ms",
                    "-", "<= 50 ms", late.median() <= 50});
}

namespace {
// Reads of two boards in turn, each after the window has rested: the median times from
// the click to the answer's address in the read-back group, to the answer repainted,
// and of the click alone.
struct Reads {
    double shown = 0, painted = 0, click = 0;
};
// With `fleetOpen`, the fleet window beside the configurator, 250 rows in its table.
Reads readInTurn(quint16 port, const std::array<quint8, 2>& boards, int restMs, bool fleetOpen = false)
{
    using Clock = std::chrono::steady_clock;
    const auto us = [](Clock::duration d) { return std::chrono::duration<double, std::micro>(d).count(); };
    BenchWindow win;
    auto& w = *win.w;
    w.CurEd_Port->setValue(port);
    NoDialogs dialogs;
    std::unique_ptr<FleetWindowHost> fleet;
    if (fleetOpen) {
        fleet = std::make_unique<FleetWindowHost>(w, &dialogs);
        for (int i = 0; i < 250; ++i)
            fleet->model().answered(boardAt(i).address, boardAt(i));
        fleet->open();
        waitUntil(
            [&] { return fleet->window().windowHandle() && fleet->window().windowHandle()->isExposed(); });
    }
    Sample shown, painted, clicks;
    for (int i = 0; i < 200; ++i) {
        const quint8 board = boards[size_t(i % 2)];
        w.Ed_0->setBytes({127, 0, 0, board});
        waitQuiet([] { return 0; }, restMs);
        const auto start = Clock::now();
        w.Button8->click();
        clicks.add(us(Clock::now() - start));
        const bool answered = waitUntil([&] { return w.ED_7->octet(3)->value() == board; }, 2000);
        const auto answer = Clock::now();
        if (!answered || !waitUntil([&] { return BenchApplication::lastRepaint() > answer; }, 2000)) {
            QTextStream(stderr) << "the board did not answer a read\n";
            break;
        }
        shown.add(us(answer - start));
        painted.add(us(BenchApplication::lastRepaint() - start));
    }
    return {shown.median(), painted.median(), clicks.median()};
}
} // namespace

void roundTripFigures(std::vector<Row>& rows)
{
    progress(QStringLiteral("the read round trip"));
    // Boards on loopback, the simulator in a process of its own: .2 and .3 of one kind
    // (their addresses, identifiers and MACs differ, so each answer rewrites fields),
    // .4 of another (console and DHCP dynamic, another version: each answer shows or
    // hides rows). An operator clicks into a window at rest, and the floor's requests
    // rest as long: a request after a rest costs several times one sent hot.
    constexpr int RestMs = 25;
    Child sim(tool(QStringLiteral("../tools/talvik-board-sim")),
              {QStringLiteral("--board"), QStringLiteral("127.0.0.2,ident=1234"), QStringLiteral("--board"),
               QStringLiteral("127.0.0.3,ident=4321,gateway=127.0.0.9"), QStringLiteral("--board"),
               QStringLiteral("127.0.0.4,ident=77,console=1,dhcp=1,dispatcher=127.0.0.7,version=3.02"),
               QStringLiteral("--ports"), QStringLiteral("0")});
    const quint16 port = quint16(sim.number("ports"));
    Sample sameKind, sameKindPainted, otherKind, floor, hotFloor, click, fleetOpen;
    for (int r = 0; r < Repetitions; ++r) {
        const Reads same = readInTurn(port, {2, 3}, RestMs);
        fleetOpen.add(readInTurn(port, {2, 3}, RestMs, true).shown);
        sameKind.add(same.shown);
        sameKindPainted.add(same.painted);
        click.add(same.click);
        otherKind.add(readInTurn(port, {2, 4}, RestMs).shown);
        for (int rest : {RestMs, 0}) {
            Child ping(tool(QStringLiteral("floor_udp")),
                       {QStringLiteral("ping"), QStringLiteral("127.0.0.2"), QString::number(port),
                        QStringLiteral("200"), payloadFile(buildReadFrame(Memory::Working)),
                        QString::number(rest)});
            (rest ? floor : hotFloor).add(ping.number("median_us"));
        }
    }
    const QString rest = QString::number(RestMs);
    rows.push_back(ratioRow(
        "read round trip after " + rest +
            " ms at rest, click to the answer in the fields, two boards of one kind in turn (median of 200; "
            "the click itself " +
            click.text(0) + " us; floor without rest " + hotFloor.text(0) + " us)",
        sameKind, floor, " us", 0, 5, "<= 5 x floor", false));
    rows.push_back(withoutTarget(ratioRow("the same, to the answer repainted and handed to the X server",
                                          sameKindPainted, floor, " us", 0, 0, {}, false)));
    rows.push_back(
        withoutTarget(ratioRow("the same, two boards of different kinds in turn (rows shown and hidden)",
                               otherKind, floor, " us", 0, 0, {}, false)));
    rows.push_back(ratioRow("the same, one kind, with the fleet window open beside it (250 rows); floor: "
                            "the fleet window closed",
                            fleetOpen, sameKind, " us", 0, 1.2, "<= 1.2 x (noise)", false));

    progress(QStringLiteral("the survey"));
    // talvikctl surveys 250 simulated boards; the floor: 250 bare request/reply round trips.
    Child fleet(tool(QStringLiteral("../tools/talvik-board-sim")),
                {QStringLiteral("--boards"), QStringLiteral("127.0.6.1-127.0.6.250"),
                 QStringLiteral("--ports"), QStringLiteral("0,0")});
    const QList<QByteArray> ports = fleet.line().split(' ');
    const QString p1 = QString::fromLatin1(ports.value(ports.size() - 2)).remove(QLatin1Char(','));
    const QString p2 = QString::fromLatin1(ports.value(ports.size() - 1));
    Sample survey, perSecond, bare;
    int missed = 0;
    for (int r = 0; r < Repetitions; ++r) {
        QElapsedTimer t;
        t.start();
        QProcess ctl;
        ctl.start(tool(QStringLiteral("../tools/talvikctl")),
                  {QStringLiteral("survey"), QStringLiteral("127.0.6.1-250"), QStringLiteral("--json"),
                   QStringLiteral("--local-port"), QStringLiteral("0"), QStringLiteral("--ports"),
                   p1 + "," + p2});
        ctl.waitForFinished(60000);
        const double ms = double(t.nsecsElapsed()) / 1e6;
        missed = std::max(missed, 250 - int(ctl.readAllStandardOutput().count("\"ip\"")));
        survey.add(ms);
        perSecond.add(250.0 / (ms / 1000.0));
        Child ping(tool(QStringLiteral("floor_udp")),
                   {QStringLiteral("ping"), QStringLiteral("127.0.6.1"), p1, QStringLiteral("250"),
                    payloadFile(buildReadFrame(Memory::Working))});
        bare.add(ping.number("total_ms"));
    }
    rows.push_back({"survey of 250 boards (talvikctl, a process)",
                    survey.text(0) + " ms, " + perSecond.text(0) + " boards/s, " + n(missed) + " missed",
                    bare.text(0) + " ms", n(survey.median() / bare.median(), 2) + " x",
                    "<= 39 ms (34 before, + 15 % noise), none missed",
                    survey.median() <= 34 * 1.15 && missed == 0});
}

int main(int argc, char* argv[])
{
    BenchApplication app(argc, argv);
    std::vector<Row> rows;
    QTextStream out(stdout);
    out << "window shown on: " << QGuiApplication::platformName()
        << (qEnvironmentVariableIsSet("DISPLAY") ? " (X display " + qEnvironmentVariable("DISPLAY") + ")"
                                                 : QString())
        << "; network: "
        << (networkIsLoopbackOnly() ? "a namespace of its own" : "this machine's (loopback only)") << "\n"
        << Qt::flush;
    // talvik_bench [SECTION...]: receive, flood, burst, roundtrip, startup, settings, range,
    // fleet, files, survey, burst, exporter, city, journal, web; all without one.
    const QStringList only = app.arguments().mid(1);
    const std::pair<const char*, void (*)(std::vector<Row>&)> sections[] = {
        {"receive", receiveFigures}, {"flood", floodFigures},       {"roundtrip", roundTripFigures},
        {"startup", startupFigures}, {"settings", settingsFigures}, {"range", rangeTickFigures},
        {"fleet", fleetFigures},     {"files", fileFigures},        {"survey", surveyFigures},
        {"burst", burstFigures},     {"exporter", exporterFigures}, {"city", cityFigures},
        {"journal", journalFigures}, {"web", exporterWebFigures},   {"histories", historyFigures}};
    for (const auto& [name, figures] : sections)
        if (only.isEmpty() || only.contains(QLatin1String(name)))
            figures(rows);
    progress({});

    out << "\n| figure | value: median (range) | floor (same run) | ratio | target | met |\n"
           "|---|---|---|---|---|---|\n";
    bool all = true;
    for (const Row& r : rows) {
        out << "| " << r.figure << " | " << r.value << " | " << r.floor << " | " << r.ratio << " | "
            << r.target << " | " << (r.met ? "yes" : "NO") << " |\n";
        all = all && r.met;
    }
    out << "\n"
        << Repetitions << " repetitions of each figure; " << QThread::idealThreadCount() << " cores; "
        << QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd")) << ".\n";
    return all ? 0 : 1;
}
