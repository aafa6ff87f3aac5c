// A city's network: forty /24s of 250 boards in one simulator process. talvikctl's survey
// of it and of parts of it (the plot of time against boards), against a C sweep of the same
// addresses; and the fleet window with the city in its table: the survey to the repainted
// table, a filter keystroke, a sort, an export and the memory the rows take.

#include "bench_window.h"
#include "gui/fleet_window/fleet_window.h"
#include "gui/fleet_window/fleet_window_host.h"
#include "gui/widgets/number_edit.h"
#include "svg_plot.h"
#include "wire/frames.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTemporaryFile>
#include <QTest>
#include <malloc.h>

using namespace talvik;
using namespace bench;

namespace {
constexpr int Repetitions = 10;
constexpr int Networks = 40; // of 250 boards each, .1-.250 of 127.1.K.0/24
constexpr int CityBoards = Networks * 250;

QStringList ranges(int networks)
{
    QStringList out;
    for (int k = 0; k < networks; ++k)
        out << QStringLiteral("127.1.%1.1-254").arg(k);
    return out;
}

struct City {
    std::unique_ptr<SimBoards> boards;
    City()
    {
        QStringList definitions;
        for (int k = 0; k < Networks; ++k)
            definitions << QStringLiteral("127.1.%1.1-127.1.%1.250,version=2.17").arg(k);
        boards = std::make_unique<SimBoards>(definitions);
    }
};

struct Swept {
    double ms = 0, cpuMs = 0;
    int found = 0;
};

Swept byTalvikctl(const City& city, int networks)
{
    QTemporaryFile out;
    out.open();
    const Finished f = runToEnd(tool(QStringLiteral("../tools/talvikctl")),
                                QStringList{QStringLiteral("survey")} + ranges(networks) +
                                    QStringList{QStringLiteral("--json"), QStringLiteral("--local-port"),
                                                QString::number(freeUdpPort()), QStringLiteral("--ports"),
                                                city.boards->ports},
                                out.fileName());
    return {f.ms, f.cpuMs, int(out.readAll().count("\"ip\""))};
}

// One request to every address, the answers taken as they come (floor_udp sweep).
Swept floorSweep(const City& city, int networks)
{
    Child sweep(tool(QStringLiteral("floor_udp")),
                {QStringLiteral("sweep"), QStringLiteral("127.1.0-%1").arg(networks - 1), QStringLiteral("1"),
                 QStringLiteral("254"), QString::number(city.boards->first),
                 payloadFile(buildReadFrame(Memory::Working)), QString::number(networks * 250)});
    const QList<QByteArray> words = sweep.line().simplified().split(' '); // total_ms T answered N cpu_ms C
    return {words.value(1).toDouble(), words.value(5).toDouble(), words.value(3).toInt()};
}

void surveyFigures(std::vector<Row>& rows, const City& city)
{
    Plot plot{QStringLiteral("Survey time against boards (250 of 254 addresses a /24 answer)"),
              QStringLiteral("boards"),
              QStringLiteral("ms, median of 10"),
              {},
              {}};
    PlotSeries program{QStringLiteral("talvikctl survey"), QStringLiteral("#1f77b4"), {}};
    PlotSeries floor{QStringLiteral("C sweep (floor)"), QStringLiteral("#d62728"), {}};
    for (int networks : {1, 4, 16, Networks}) {
        progress(QStringLiteral("a survey of %1 boards").arg(networks * 250));
        Sample ms, cpu, floorMs, floorCpu;
        int missed = 0;
        for (int r = 0; r < Repetitions; ++r) {
            const Swept s = byTalvikctl(city, networks);
            const Swept f = floorSweep(city, networks);
            ms.add(s.ms);
            cpu.add(s.cpuMs);
            floorMs.add(f.ms);
            floorCpu.add(f.cpuMs);
            missed = std::max(missed, networks * 250 - s.found);
        }
        plot.x.push_back(networks * 250);
        program.y.push_back(ms.median());
        floor.y.push_back(floorMs.median());
        const QString what =
            QStringLiteral("talvikctl: survey of %1 boards (%2 /24 networks, %3 addresses), a process")
                .arg(thousands(networks * 250))
                .arg(networks)
                .arg(thousands(networks * 254));
        const bool city = networks == Networks;
        rows.push_back({what, ms.text(0) + " ms, " + n(missed) + " missed", floorMs.text(0) + " ms (C sweep)",
                        n(ms.median() / floorMs.median(), 1) + " x",
                        city ? QStringLiteral("<= 0.6 s, none missed") : QStringLiteral("none missed"),
                        missed == 0 && (!city || ms.median() <= 600)});
        if (city)
            rows.push_back({QStringLiteral("talvikctl: CPU of that survey (user + system)"),
                            cpu.text(0) + " ms", floorCpu.text(0) + " ms (C sweep)",
                            n(cpu.median() / floorCpu.median(), 1) + " x", QStringLiteral("<= 300 ms"),
                            cpu.median() <= 300});
    }
    plot.series = {program, floor};
    const QString path =
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("survey-scale.svg"));
    if (!writeSvg(plot, path))
        progress(QStringLiteral("could not write %1").arg(path));
}

struct ExportTo : NoDialogs {
    QString path;
    QString saveFile(QWidget*, const QString&, const QString&) override { return path; }
};

void fleetWindowFigures(std::vector<Row>& rows, const City& city)
{
    progress(QStringLiteral("the fleet window with 10,000 rows"));
    Sample survey, keystroke, sort, exported, memory;
    int missed = 0;
    qint64 csvBytes = 0;
    for (int r = 0; r < Repetitions; ++r) {
        BenchWindow win(city.boards->second, city.boards->second);
        win.w->CurEd_Port->setValue(city.boards->first);
        ExportTo dialogs;
        QTemporaryDir dir;
        dialogs.path = dir.filePath(QStringLiteral("city.csv"));
        FleetWindowHost fleet(*win.w, &dialogs);
        fleet.open();
        FleetWindow& w = fleet.window();
        waitUntil([&] { return w.windowHandle() && w.windowHandle()->isExposed(); }, 5000);
        w.fromList->setChecked(true);
        w.list->setPlainText(ranges(Networks).join(u'\n'));
        waitUntil([] { return false; }, 100);
        malloc_trim(0);
        const double empty = use(QCoreApplication::applicationPid()).rssMb;
        survey.add(toRepaint([&] {
            w.search->click();
            waitUntil([&] { return w.search->isEnabled(); }, 60000);
        }));
        int answered = 0;
        for (int row = 0; row < fleet.model().rowCount(); ++row)
            answered += fleet.model().rowAt(row).working.has_value();
        missed = std::max(missed, CityBoards - answered);
        malloc_trim(0);
        memory.add(use(QCoreApplication::applicationPid()).rssMb - empty);

        w.filter->setFocus();
        for (const char c : QByteArrayLiteral("127.1.3")) // each keystroke filters the 10,000 rows anew
            keystroke.add(toRepaint([&] { QTest::keyClick(w.filter, c); }));
        w.filter->clear();
        sort.add(toRepaint([&] { w.table->sortByColumn(fleet::Address, Qt::DescendingOrder); }));
        sort.add(toRepaint([&] { w.table->sortByColumn(fleet::Mac, Qt::AscendingOrder); }));
        QElapsedTimer t;
        t.start();
        w.exportTable->menu()->actions().constFirst()->trigger(); // all rows
        exported.add(double(t.nsecsElapsed()) / 1e6);
        csvBytes = QFileInfo(dialogs.path).size();
    }
    const auto row = [&](const QString& figure, const Sample& value, const QString& unit, double target,
                         const QString& targetText) {
        rows.push_back({QStringLiteral("fleet window, 10,000 rows: ") + figure, value.text(1) + unit,
                        QStringLiteral("-"), QStringLiteral("-"), targetText,
                        value.median() <= target && missed == 0});
    };
    row(QStringLiteral("survey of forty /24s in its list, click to the table repainted (%1 missed)")
            .arg(missed),
        survey, QStringLiteral(" ms"), 2000, QStringLiteral("<= 2 s, none missed"));
    row(QStringLiteral("a filter keystroke, to the table repainted"), keystroke, QStringLiteral(" ms"), 50,
        QStringLiteral("<= 50 ms"));
    row(QStringLiteral("sort by address or MAC, to the table repainted"), sort, QStringLiteral(" ms"), 150,
        QStringLiteral("<= 150 ms"));
    row(QStringLiteral("export of every row as CSV (%1 KB)").arg(csvBytes / 1024), exported,
        QStringLiteral(" ms"), 500, QStringLiteral("<= 0.5 s"));
    row(QStringLiteral("resident memory above the empty fleet window"), memory, QStringLiteral(" MB"), 60,
        QStringLiteral("<= 60 MB"));
}
} // namespace

void cityFigures(std::vector<Row>& rows)
{
    const City city;
    surveyFigures(rows, city);
    fleetWindowFigures(rows, city);
}
