// Start-up, the settings file and the range reboot's tick.

#include "bench_window.h"
#include "gui/widgets/rows.h"
#include "net/udp_link.h"
#include "store/settings_keys.h"

#include <QFile>
#include <QFileInfo>
#include <QNetworkDatagram>
#include <QProcess>
#include <QUdpSocket>

using namespace talvik;
using namespace bench;

namespace {
constexpr int Repetitions = 10;

// Wall time from starting a program to its window on the screen, and its peak memory.
std::pair<double, double> start(const QString& program, const QStringList& arguments)
{
    QElapsedTimer t;
    t.start();
    Child child(program, arguments);
    const QByteArray line = child.line();
    const double ms = double(t.nsecsElapsed()) / 1e6;
    child.finish();
    return {line.startsWith("ready") ? ms : -1, line.split(' ').value(1).toDouble() / 1024.0};
}

// Every datagram to one loopback sink instead of where it was addressed: the range
// reboot's fixed peers are not on this machine unless the network is a namespace.
class SinkLink : public Link {
  public:
    SinkLink(UdpLink& inner, quint16 sinkPort) : inner_(inner), sink_(sinkPort)
    {
        connect(&inner_, &Link::datagramsArrived, this, &Link::datagramsArrived);
    }
    bool openListener() override { return inner_.openListener(); }
    void closeListener() override { inner_.closeListener(); }
    bool isListening() const override { return inner_.isListening(); }
    using Link::sendFromListener;
    bool sendFromListener(const QHostAddress&, quint16, const QByteArray& d) override
    {
        return inner_.sendFromListener(QHostAddress::LocalHost, sink_, d);
    }
    int sendFromListener(const QHostAddress&, const QList<quint16>& ports, const QByteArray& d) override
    {
        return inner_.sendFromListener(QHostAddress::LocalHost, QList<quint16>(ports.size(), sink_), d);
    }
    bool sendFromClient(const QHostAddress&, quint16, const QByteArray& d) override
    {
        return inner_.sendFromClient(QHostAddress::LocalHost, sink_, d);
    }

  private:
    UdpLink& inner_;
    quint16 sink_;
};
} // namespace

void startupFigures(std::vector<Row>& rows)
{
    progress(QStringLiteral("start-up"));
    QTemporaryDir dir; // an operator's start: the settings file is there from the runs before
    const QString settings = dir.filePath(QStringLiteral("TalvikCom.ini"));
    const QString tree = dir.filePath(QStringLiteral("window.json"));
    start(tool(QStringLiteral("startup_app")), {settings});
    // The floor's window: the configurator's own controls and layouts, described by it.
    const bool described = QProcess::execute(tool(QStringLiteral("startup_app")),
                                             {QStringLiteral("--describe"), tree, settings}) == 0;
    Sample app, same, bare, appMb, sameMb, bareMb;
    for (int r = 0; r < Repetitions; ++r) {
        const auto [a, am] = start(tool(QStringLiteral("startup_app")), {settings});
        const auto [s, sm] = start(tool(QStringLiteral("startup_same")), {tree});
        const auto [b, bm] = start(tool(QStringLiteral("startup_bare")), {});
        app.add(a);
        same.add(s);
        bare.add(b);
        appMb.add(am);
        sameMb.add(sm);
        bareMb.add(bm);
    }
    rows.push_back({"start-up to a window on the screen (the fleet beside it, its window closed); floor: the "
                    "same controls, texts, fonts and layouts built of plain Qt",
                    app.text(1) + " ms", same.text(1) + " ms", n(app.median() / same.median(), 2) + " x",
                    "<= 1.15 x", described && same.median() > 0 && app.median() <= 1.15 * same.median()});
    rows.push_back({"the same against a window of one label", app.text(1) + " ms", bare.text(1) + " ms",
                    n(app.median() / bare.median(), 2) + " x", "-", true});
    rows.push_back(
        {"start-up peak memory (floor: the same controls of plain Qt; one label: " + bareMb.text(1) + " MB)",
         appMb.text(1) + " MB", sameMb.text(1) + " MB", plus(appMb.median() - sameMb.median(), 1) + " MB",
         "<= floor + 20 MB", appMb.median() <= sameMb.median() + 20});
}

void settingsFigures(std::vector<Row>& rows)
{
    progress(QStringLiteral("the settings file"));
    // 30 MB of the operator's own notes around the program's sections.
    QTemporaryDir dir;
    const QString big = dir.filePath(QStringLiteral("big.ini")),
                  small = dir.filePath(QStringLiteral("small.ini"));
    {
        QByteArray notes = "; the dispatch office's notes\r\n[Notes]\r\n";
        for (int i = 0; notes.size() < 30 * 1024 * 1024; ++i)
            notes +=
                "Lift" + QByteArray::number(i) + "=Building " + QByteArray::number(i % 977) + ", shaft 2\r\n";
        QFile file(big);
        file.open(QIODevice::WriteOnly);
        file.write("[0]\r\n1=192\r\n2=168\r\n3=001\r\n4=020\r\n" + notes);
    }
    {
        QFile file(small);
        file.open(QIODevice::WriteOnly);
        file.write("[0]\r\n1=192\r\n2=168\r\n3=001\r\n4=020\r\n");
    }
    Sample load, save, loadSmall, floor;
    for (int r = 0; r < Repetitions; ++r) {
        QElapsedTimer t;
        t.start();
        BenchWindow win(9, 9, nullptr, big); // the start loads the file before the window shows
        load.add(double(t.nsecsElapsed()) / 1e6);
        win.w->Ed_0->octet(3)->setValue(r); // a change, so the save writes
        t.start();
        win.w->saveSettings();
        save.add(double(t.nsecsElapsed()) / 1e6);
        t.start();
        BenchWindow smallWin(9, 9, nullptr, small);
        loadSmall.add(double(t.nsecsElapsed()) / 1e6);
        t.start();
        QFile file(big);
        file.open(QIODevice::ReadOnly);
        if (file.readAll().size() < 30 * 1024 * 1024)
            qFatal("the settings file was not read whole");
        floor.add(double(t.nsecsElapsed()) / 1e6);
    }
    rows.push_back({"start with a 30 MB settings file (to a shown window)", load.text(0) + " ms",
                    "small file " + loadSmall.text(0) + " ms",
                    plus(load.median() - loadSmall.median()) + " ms", "well under 1 s", load.median() < 500});
    rows.push_back({"save into the 30 MB settings file", save.text(0) + " ms",
                    "read it: " + floor.text(0) + " ms", n(save.median() / floor.median(), 1) + " x",
                    "well under 1 s", save.median() < 500});

    // Loaded, changed and saved by a process of its own: its peak memory.
    Sample bigMb, smallMb;
    const auto peakMb = [&](const QString& file) {
        const QString copy = dir.filePath(QStringLiteral("copy.ini"));
        QFile::remove(copy);
        QFile::copy(file, copy);
        Child probe(tool(QStringLiteral("settings_memory")), {copy});
        return probe.number("peak") / 1024.0;
    };
    for (int r = 0; r < Repetitions; ++r) {
        bigMb.add(peakMb(big));
        smallMb.add(peakMb(small));
    }
    const double fileMb = double(QFileInfo(big).size()) / (1024 * 1024);
    rows.push_back({"peak memory, a 30 MB settings file loaded and saved", bigMb.text(1) + " MB",
                    "small file " + smallMb.text(1) + " MB",
                    plus(bigMb.median() - smallMb.median(), 1) + " MB", "<= floor + 1.1 x the file",
                    bigMb.median() - smallMb.median() <= 1.1 * fileMb});
}

void rangeTickFigures(std::vector<Row>& rows)
{
    progress(QStringLiteral("the range tick"));
    QUdpSocket sink;
    sink.bind(QHostAddress::LocalHost, 0);
    QObject::connect(&sink, &QUdpSocket::readyRead, [&] {
        while (sink.hasPendingDatagrams())
            sink.receiveDatagram();
    });
    Sample tick;
    for (int r = 0; r < Repetitions; ++r) {
        UdpLink real(0);
        SinkLink redirected(real, sink.localPort());
        BenchWindow win(9, 9, &redirected);
        auto& w = *win.w;
        w.CheckBox1->setChecked(true);
        w.Panel1->setBytes({192, 168, 1, 1});
        w.EdR1_0_IP_0->setValue(250);
        w.Button4->click();
        w.Timer2_Conf->stop(); // ticked by hand below
        Sample ticks;
        for (int i = 0; i < 100; ++i) {
            QElapsedTimer t;
            t.start();
            w.Timer2_ConfTimer(nullptr);
            ticks.add(double(t.nsecsElapsed()) / 1e6);
            QCoreApplication::processEvents();
        }
        tick.add(ticks.median());
    }
    rows.push_back({"range-reboot tick (2 word frames + 100 frames)", tick.text(3) + " ms", "-", "-",
                    "<= 2 ms", tick.median() <= 2.0});
}
