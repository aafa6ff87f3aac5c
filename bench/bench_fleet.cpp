// The fleet window: a survey of 250 simulated boards until the table shows them, sort and
// filter over 5,000 rows, and what a row costs in memory.

#include "bench_window.h"
#include "fleet/fleet_files.h"
#include "fleet/fleet_filter.h"
#include "gui/fleet_window/fleet_window.h"
#include "gui/fleet_window/fleet_window_host.h"
#include "gui/widgets/rows.h"
#include "wire/board_address.h"
#include "wire/frames.h"

#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTableView>
#include <malloc.h>
#include <numeric>

using namespace talvik;
using namespace bench;

namespace {
constexpr int Repetitions = 10;
constexpr int ManyRows = 5000;

} // namespace

BoardConfig bench::boardAt(int i)
{
    BoardConfig c;
    c.address = BoardAddress(0x0A000000u | quint32(i + 1));
    c.fields.ip = octetsOf(c.address.ipv4());
    c.fields.mask = {255, 255, 255, 0};
    c.fields.gateway = {10, 0, quint8(i >> 8), 1};
    c.fields.mac = {0x00, 0x1E, 0x0A, 0x00, quint8(i >> 8), quint8(i)};
    c.fields.ident = quint16(i * 7919 % 65536);
    c.version = QStringLiteral("2.%1").arg(i % 20);
    c.memory = Memory::Working;
    return c;
}

namespace {

double heapBytes()
{
    return double(mallinfo2().uordblks);
}

void surveyFigure(std::vector<Row>& rows)
{
    progress(QStringLiteral("the fleet window's survey"));
    Child sim(tool(QStringLiteral("../tools/talvik-board-sim")),
              {QStringLiteral("--boards"), QStringLiteral("127.0.7.1-127.0.7.250,version=2.17"),
               QStringLiteral("--ports"), QStringLiteral("0,0")});
    const QList<QByteArray> ports = sim.line().split(' ');
    const quint16 p1 = quint16(ports.value(ports.size() - 2).replace(',', "").toUInt());
    const quint16 p2 = quint16(ports.value(ports.size() - 1).toUInt());
    Sample shown, bare;
    int missed = 0;
    for (int r = 0; r < Repetitions; ++r) {
        BenchWindow win(p2, p2);
        win.w->CurEd_Port->setValue(p1);
        NoDialogs dialogs;
        FleetWindowHost fleet(*win.w, &dialogs);
        fleet.open();
        FleetWindow& w = fleet.window();
        waitUntil([&] { return w.windowHandle() && w.windowHandle()->isExposed(); }, 5000);
        w.first->setText(QStringLiteral("127.0.7.1"));
        w.last->setText(QStringLiteral("250"));
        shown.add(toRepaint([&] {
            w.search->click();
            waitUntil([&] { return w.search->isEnabled(); }, 30000);
        }));
        int answered = 0;
        for (int row = 0; row < fleet.model().rowCount(); ++row)
            answered += fleet.model().rowAt(row).working.has_value();
        missed = std::max(missed, 250 - answered);
        Child ping(tool(QStringLiteral("floor_udp")),
                   {QStringLiteral("ping"), QStringLiteral("127.0.7.1"), QString::number(p1),
                    QStringLiteral("250"), payloadFile(buildReadFrame(Memory::Working))});
        bare.add(ping.number("total_ms"));
    }
    rows.push_back({"fleet window: survey of 250 boards, click to the table repainted with all of them",
                    shown.text(0) + " ms, " + n(missed) + " missed", bare.text(0) + " ms",
                    n(shown.median() / bare.median(), 2) + " x", "<= 150 ms, none missed (was 440 ms)",
                    shown.median() <= 150 && missed == 0});
}

// Sort by a numeric and a text column, and a filter typed, on 5,000 rows in the shown
// window; the floors: the same keys sorted, and the same cells searched, without Qt's model.
void sortAndFilterFigures(std::vector<Row>& rows)
{
    progress(QStringLiteral("sort and filter over 5,000 rows"));
    BenchWindow win;
    NoDialogs dialogs;
    FleetWindowHost fleet(*win.w, &dialogs);
    for (int i = 0; i < ManyRows; ++i)
        fleet.model().answered(boardAt(i).address, boardAt(i));
    fleet.open();
    FleetWindow& w = fleet.window();
    waitUntil([&] { return w.windowHandle() && w.windowHandle()->isExposed(); }, 5000);
    Sample byIdent, byMac, filtered, sortFloor, filterFloor;
    bool sameRows = true; // the window's filter shows what the floor finds
    for (int r = 0; r < Repetitions; ++r) {
        byIdent.add(toRepaint([&] { w.table->sortByColumn(fleet::Ident, Qt::DescendingOrder); }));
        byMac.add(toRepaint([&] { w.table->sortByColumn(fleet::Mac, Qt::AscendingOrder); }));
        filtered.add(toRepaint([&] { w.filter->setText(QStringLiteral("1E:0A:00:0%1").arg(r)); }));
        const int shownRows = w.shown->rowCount();
        w.filter->clear();
        waitUntil([] { return false; }, 50);

        QElapsedTimer t;
        t.start();
        std::vector<int> order(ManyRows);
        std::iota(order.begin(), order.end(), 0);
        std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
            return fleet.model().rowAt(a).keys[fleet::Ident] > fleet.model().rowAt(b).keys[fleet::Ident];
        });
        sortFloor.add(double(t.nsecsElapsed()) / 1e6);
        t.start();
        int hits = 0;
        const QString text = QStringLiteral("1E:0A:00:0%1").arg(r);
        for (int row = 0; row < ManyRows; ++row)
            for (const QString& cell : fleet.model().rowAt(row).cells)
                if (cell.contains(text, Qt::CaseInsensitive)) {
                    ++hits;
                    break;
                }
        filterFloor.add(double(t.nsecsElapsed()) / 1e6);
        sameRows = sameRows && hits == shownRows && hits > 0;
    }
    const auto row = [&](const QString& figure, const Sample& value, const Sample& floor) {
        rows.push_back({figure, value.text(1) + " ms", floor.text(2) + " ms",
                        n(value.median() / std::max(floor.median(), 0.001), 1) + " x", "< 50 ms",
                        value.median() < 50 && sameRows});
    };
    row("fleet window: sort 5,000 rows by identifier, to repainted", byIdent, sortFloor);
    row("fleet window: sort 5,000 rows by MAC (text), to repainted", byMac, sortFloor);
    row("fleet window: filter 5,000 rows on a typed text, to repainted", filtered, filterFloor);
}

// Heap per row: 5,000 boards into a model and its filter; the floor: the row's CSV line.
void memoryFigure(std::vector<Row>& rows)
{
    progress(QStringLiteral("memory per row"));
    Sample perRow, csv;
    for (int r = 0; r < Repetitions; ++r) {
        malloc_trim(0);
        const double before = heapBytes();
        auto model = std::make_unique<fleet::FleetModel>();
        fleet::FleetFilter shownRows(*model);
        for (int i = 0; i < ManyRows; ++i)
            model->answered(boardAt(i).address, boardAt(i));
        perRow.add((heapBytes() - before) / ManyRows);
        QList<const fleet::Row*> all;
        for (int i = 0; i < ManyRows; ++i)
            all.append(&model->rowAt(i));
        csv.add(double(fleet::exportText(all, fleet::Format::Csv).size()) / ManyRows);
    }
    rows.push_back({"fleet table: heap per row (5,000 rows, model and filter)", perRow.text(0) + " bytes",
                    csv.text(0) + " bytes (its CSV line)", n(perRow.median() / csv.median(), 1) + " x", "-",
                    true});
}
} // namespace

void fleetFigures(std::vector<Row>& rows)
{
    surveyFigure(rows);
    sortAndFilterFigures(rows);
    memoryFigure(rows);
}
