// talvikctl exporter: CPU and memory per survey of 250 boards, against talvikctl survey
// of the same boards (a whole process, start-up included); and over a city of 10,000
// boards, a scrape against an answer without a page, its CPU per survey and its memory.

#include "bench_support.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QTcpSocket>
#include <QThread>

using namespace bench;

namespace {
constexpr int Surveys = 10;
constexpr int Scrapes = 20;

QByteArray httpGet(quint16 port, const QByteArray& path, double* ms = nullptr)
{
    QElapsedTimer t;
    t.start();
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, port);
    if (!socket.waitForConnected(2000))
        return {};
    socket.write("GET " + path + " HTTP/1.1\r\nHost: bench\r\n\r\n");
    QByteArray answer;
    while (socket.waitForReadyRead(5000))
        answer += socket.readAll();
    answer += socket.readAll();
    if (ms)
        *ms = double(t.nsecsElapsed()) / 1e6;
    return answer;
}

qint64 counter(const QByteArray& page, const QByteArray& name)
{
    const qsizetype at = page.indexOf("\n" + name + ' ');
    return at < 0 ? -1 : page.mid(at + name.size() + 2, 20).split('\n').value(0).toLongLong();
}

struct Exporter {
    std::unique_ptr<Child> process;
    quint16 http = 0;
    Exporter(const SimBoards& boards, const QStringList& targets, int interval)
    {
        QTcpSocket probe;
        probe.bind(QHostAddress::LocalHost, 0);
        http = probe.localPort();
        probe.close();
        process = std::make_unique<Child>(
            tool(QStringLiteral("../tools/talvikctl")),
            QStringList{QStringLiteral("exporter")} + targets +
                QStringList{QStringLiteral("--listen"), QStringLiteral("127.0.0.1:%1").arg(http),
                            QStringLiteral("--interval"), QString::number(interval),
                            QStringLiteral("--local-port"), QString::number(freeUdpPort()),
                            QStringLiteral("--ports"), boards.ports});
    }
    QByteArray page() { return httpGet(http, "/metrics"); }
    // The page once `done` holds for it, asked every 50 ms: each page costs the exporter too.
    QByteArray pageWhen(const std::function<bool(const QByteArray&)>& done, int timeoutMs = 60000)
    {
        QByteArray p;
        for (QDeadlineTimer deadline(timeoutMs); !deadline.hasExpired() && !done(p = page());)
            QThread::msleep(50);
        return p;
    }
};

void surveyCost(std::vector<Row>& rows)
{
    progress(QStringLiteral("the exporter's surveys of 250 boards"));
    const SimBoards boards({QStringLiteral("127.0.8.1-127.0.8.250,version=2.17")});
    const QString range = QStringLiteral("127.0.8.1-250");
    Sample floorCpu, floorMb;
    for (int r = 0; r < Surveys; ++r) {
        const Finished f = runToEnd(tool(QStringLiteral("../tools/talvikctl")),
                                    {QStringLiteral("survey"), range, QStringLiteral("--json"),
                                     QStringLiteral("--local-port"), QString::number(freeUdpPort()),
                                     QStringLiteral("--ports"), boards.ports});
        floorCpu.add(f.cpuMs);
        floorMb.add(f.peakMb);
    }
    // Asked for its page only before and after: every page costs the exporter too.
    Exporter exporter(boards, {range}, 1);
    qint64 made = 0;
    exporter.pageWhen([&](const QByteArray& p) { return (made = counter(p, "talvik_surveys_total")) >= 2; });
    const ProcessUse before = use(exporter.process->pid());
    const double restMb = before.rssMb;
    QThread::msleep(Surveys * 1000);
    const QByteArray after = exporter.page();
    const qint64 surveys = counter(after, "talvik_surveys_total") - made;
    const int up = int(counter(after, "talvik_survey_boards{state=\"up\"}"));
    Sample cpu;
    cpu.add((use(exporter.process->pid()).cpuMs - before.cpuMs) / double(std::max<qint64>(surveys, 1)));
    const ProcessUse end = use(exporter.process->pid());
    rows.push_back(
        {QStringLiteral("exporter: CPU per survey of 250 boards (every 1 s, the mean of %1 surveys; "
                        "%2 of 250 up at the last)")
             .arg(surveys)
             .arg(up),
         cpu.text(1) + " ms", floorCpu.text(1) + " ms (talvikctl survey, a whole process)",
         n(cpu.median() / floorCpu.median(), 2) + " x", QStringLiteral("<= 1 x, all up"),
         cpu.median() <= floorCpu.median() && up == 250});
    rows.push_back(
        {QStringLiteral("exporter: peak memory after %1 surveys of 250 boards (talvikctl survey of "
                        "them, a whole process: %2 MB)")
             .arg(Surveys + 2)
             .arg(floorMb.median(), 0, 'f', 1),
         n(end.peakMb, 1) + " MB", n(restMb, 1) + " MB (its own, resident after the second survey)",
         plus(end.peakMb - restMb, 1) + " MB", QStringLiteral("<= floor + 5 MB (no growth)"),
         end.peakMb <= restMb + 5});
}

// A city: forty /24s of 250 boards in one simulator process.
void cityFigures(std::vector<Row>& rows)
{
    progress(QStringLiteral("the exporter over 10,000 boards"));
    QStringList definitions, targets;
    for (int net = 0; net < 40; ++net) {
        definitions << QStringLiteral("127.1.%1.1-127.1.%1.250,version=2.17").arg(net);
        targets << QStringLiteral("127.1.%1.1-254").arg(net);
    }
    const SimBoards boards(definitions);
    constexpr int Interval = 3;
    Exporter exporter(boards, targets, Interval);
    const auto allUp = [](const QByteArray& p) {
        return counter(p, "talvik_survey_boards{state=\"up\"}") == 10000;
    };
    QByteArray page = exporter.pageWhen(allUp);
    const qint64 made = counter(page, "talvik_surveys_total");
    const ProcessUse before = use(exporter.process->pid());
    Sample scrape, bare;
    for (int r = 0; r < Scrapes; ++r) {
        double ms = 0;
        page = httpGet(exporter.http, "/metrics", &ms);
        scrape.add(ms);
        httpGet(exporter.http, "/none", &ms);
        bare.add(ms);
    }
    // Five more surveys, asked for the page only at the end.
    QThread::msleep(5 * Interval * 1000 + 500);
    page = exporter.page();
    const ProcessUse after = use(exporter.process->pid());
    const qint64 surveys = std::max<qint64>(counter(page, "talvik_surveys_total") - made, 1);
    const double scrapesMs = scrape.median() * Scrapes * 2; // the scrapes' share, counted generously
    const double perSurvey = (after.cpuMs - before.cpuMs - scrapesMs) / double(surveys);
    const bool all = allUp(page);
    rows.push_back({QStringLiteral("exporter: scrape of the page of 10,000 boards (%1 KB; all up: %2)")
                        .arg(page.size() / 1024)
                        .arg(all ? QStringLiteral("yes") : QStringLiteral("no")),
                    scrape.text(2) + " ms", bare.text(2) + " ms (a 404 without a page)",
                    n(scrape.median() / bare.median(), 1) + " x", QStringLiteral("<= 50 ms"),
                    all && scrape.median() <= 50});
    rows.push_back({QStringLiteral("exporter: CPU per survey of 10,000 boards (every %1 s, the mean of %2; "
                                   "the scrapes' CPU taken off)")
                        .arg(Interval)
                        .arg(surveys),
                    n(perSurvey, 0) + " ms", QStringLiteral("-"), QStringLiteral("-"),
                    QStringLiteral("<= 400 ms"), perSurvey <= 400});
    rows.push_back(
        {QStringLiteral("exporter: resident memory with 10,000 boards, after %1 surveys (peak %2 MB)")
             .arg(counter(page, "talvik_surveys_total"))
             .arg(after.peakMb, 0, 'f', 1),
         n(after.rssMb, 1) + " MB", QStringLiteral("-"), QStringLiteral("-"), QStringLiteral("<= 40 MB"),
         after.rssMb <= 40});
}
} // namespace

void exporterFigures(std::vector<Row>& rows)
{
    surveyCost(rows);
    cityFigures(rows);
}
