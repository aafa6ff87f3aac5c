// The window thread's speed against a floor measured in the same run. Only loopback
// is used: the range reboot's fixed peers are redirected to a loopback sink here.

#include "app/TForm1_Config_UDP.h"
#include "app/messages.h"
#include "bench_support.h"
#include "board_simulator.h"
#include "protocol/udp_link.h"
#include "ui/rows.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QNetworkDatagram>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>
#include <atomic>
#include <cstdio>

using namespace talvik;
using namespace bench;

namespace {
constexpr int Repetitions = 3;

class SilentMessages : public Messages {
  public:
    void message(const QString&) override {}
    void error(const QString&) override {}
};

// Sends every datagram to one loopback sink instead of where it was addressed.
class SinkLink : public Link {
  public:
    SinkLink(UdpLink& inner, quint16 sinkPort) : inner_(inner), sink_(sinkPort)
    {
        connect(&inner_, &Link::datagramsArrived, this, &Link::datagramsArrived);
    }
    bool openListener() override { return inner_.openListener(); }
    void closeListener() override { inner_.closeListener(); }
    bool isListening() const override { return inner_.isListening(); }
    bool sendFromListener(const QHostAddress&, quint16, const QByteArray& d) override
    {
        return inner_.sendFromListener(QHostAddress::LocalHost, sink_, d);
    }
    bool sendFromClient(const QHostAddress&, quint16, const QByteArray& d) override
    {
        return inner_.sendFromClient(QHostAddress::LocalHost, sink_, d);
    }

  private:
    UdpLink& inner_;
    quint16 sink_;
};

struct Window {
    QTemporaryDir dir;
    UdpLink link{0};
    SilentMessages messages;
    std::unique_ptr<TForm1_Config_UDP> w;
    explicit Window(quint16 second = 9, quint16 third = 9, Link* over = nullptr)
    {
        link.setLoopbackOnly(true);
        WindowOptions o;
        o.link = over ? over : &link;
        o.messages = &messages;
        o.listenPort = 0;
        o.secondPort = second;
        o.thirdPort = third;
        o.settingsPath = dir.filePath("TalvikCom.ini");
        w = std::make_unique<TForm1_Config_UDP>(o);
    }
};

// Waits on the window thread's event loop until `done` holds.
bool spinUntil(const std::function<bool()>& done, int timeoutMs = 2000)
{
    QElapsedTimer t;
    t.start();
    while (!done()) {
        if (t.elapsed() > timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    }
    return true;
}

// A socket that swallows whatever reaches it, on a thread of its own.
struct Sink {
    std::unique_ptr<QUdpSocket> socket;
    quint16 port = 0;
    PeerThread thread{[this] {
        socket = std::make_unique<QUdpSocket>();
        socket->bind(QHostAddress::LocalHost, 0);
        port = socket->localPort();
        QObject::connect(socket.get(), &QUdpSocket::readyRead, [this] {
            while (socket->hasPendingDatagrams())
                socket->receiveDatagram();
        });
    }};
    Sink() { thread.startAndWait(); }
    ~Sink()
    {
        QMetaObject::invokeMethod(
            socket.get(), [this] { socket.reset(); }, Qt::BlockingQueuedConnection);
    }
};

// ---- read round trip
double readRoundTripMs(int reads)
{
    std::unique_ptr<sim::BoardSimulator> board;
    QList<quint16> ports;
    PeerThread simThread([&] {
        sim::SimOptions o;
        o.ports = {0};
        board = std::make_unique<sim::BoardSimulator>(o);
        QString error;
        board->addBoard(*sim::parseBoardDefinition("127.0.0.2,ident=1234", &error), &error);
        ports = board->ports(0);
    });
    simThread.startAndWait();
    Sink sink;
    Window win(sink.port, sink.port);
    auto& w = *win.w;
    for (int i = 0; i < 4; ++i)
        w.Ed_0->octet(i)->setValue(i == 0 ? 127 : i == 3 ? 2 : 0);
    w.CurEd_Port->setValue(ports[0]);
    std::vector<double> times;
    QElapsedTimer t;
    for (int i = 0; i < reads; ++i) {
        t.start();
        w.Button8->click(); // empties the read-back group, sends the frame
        if (!spinUntil([&] { return w.ED_7->octet(3)->value() == 2; }))
            return -1;
        times.push_back(t.nsecsElapsed() / 1e6);
    }
    QMetaObject::invokeMethod(
        board.get(), [&] { board.reset(); }, Qt::BlockingQueuedConnection);
    return median(times);
}

double pingPongMs(int rounds)
{
    std::unique_ptr<QUdpSocket> echo;
    quint16 echoPort = 0;
    PeerThread thread([&] {
        echo = std::make_unique<QUdpSocket>();
        echo->bind(QHostAddress("127.0.0.2"), 0);
        echoPort = echo->localPort();
        QObject::connect(echo.get(), &QUdpSocket::readyRead, [&] {
            while (echo->hasPendingDatagrams()) {
                const QNetworkDatagram d = echo->receiveDatagram();
                echo->writeDatagram(d.data(), d.senderAddress(), quint16(d.senderPort()));
            }
        });
    });
    thread.startAndWait();
    QUdpSocket me;
    me.bind(QHostAddress::AnyIPv4, 0);
    bool got = false;
    QObject::connect(&me, &QUdpSocket::readyRead, [&] {
        while (me.hasPendingDatagrams()) {
            me.receiveDatagram();
            got = true;
        }
    });
    const QByteArray frame(100, 'x');
    std::vector<double> times;
    QElapsedTimer t;
    for (int i = 0; i < rounds; ++i) {
        got = false;
        t.start();
        me.writeDatagram(frame, QHostAddress("127.0.0.2"), echoPort);
        if (!spinUntil([&] { return got; }))
            return -1;
        times.push_back(t.nsecsElapsed() / 1e6);
    }
    QMetaObject::invokeMethod(
        echo.get(), [&] { echo.reset(); }, Qt::BlockingQueuedConnection);
    return median(times);
}

// ---- floods
struct FloodResult {
    double perSecond = 0;
    long handled = 0;
    long sent = 0;
    double worstLatenessMs = 0;
};

QByteArray configReply()
{
    WriteFields f;
    f.ip = {127, 0, 0, 2};
    f.mask = {255, 0, 0, 0};
    f.ident = 1234;
    return sim::configReply(f, "2.17");
}

// Floods `port` from another thread with `count` datagrams; the window thread counts
// what it handles through `handled`, and a 10 ms timer measures how late it fires.
FloodResult flood(quint16 port, const QByteArray& datagram, long count, const std::function<long()>& handled)
{
    std::atomic<bool> done{false};
    std::atomic<long> sent{0};
    std::thread sender([&] {
        QUdpSocket s;
        s.bind(QHostAddress::LocalHost, 0);
        for (long i = 0; i < count; ++i) {
            s.writeDatagram(datagram, QHostAddress::LocalHost, port);
            ++sent;
            if (i % 64 == 63)
                std::this_thread::yield();
        }
        done = true;
    });
    FloodResult r;
    QElapsedTimer lateness;
    QTimer tick;
    tick.setTimerType(Qt::PreciseTimer);
    tick.setInterval(10);
    QObject::connect(&tick, &QTimer::timeout, [&] {
        r.worstLatenessMs = std::max(r.worstLatenessMs, lateness.nsecsElapsed() / 1e6 - 10.0);
        lateness.start();
    });
    lateness.start();
    tick.start();
    QElapsedTimer clock;
    clock.start();
    const long before = handled();
    long last = before;
    qint64 lastChange = 0;
    // Runs until the sender is done and nothing more arrives for 200 ms.
    while (!done || clock.elapsed() - lastChange < 200) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        if (handled() != last) {
            last = handled();
            lastChange = clock.elapsed();
        }
    }
    sender.join();
    r.handled = last - before;
    r.sent = sent;
    r.perSecond = r.handled / (lastChange / 1000.0);
    return r;
}

FloodResult floodWindow(const QByteArray& datagram, long count)
{
    Window win;
    return flood(win.link.boundPort(), datagram, count, [&] { return win.w->LabIn->text().toLong(); });
}

FloodResult floodBareDrain(const QByteArray& datagram, long count)
{
    QUdpSocket s;
    s.bind(QHostAddress::AnyIPv4, 0);
    long n = 0;
    QObject::connect(&s, &QUdpSocket::readyRead, [&] {
        while (s.hasPendingDatagrams()) {
            s.receiveDatagram(8192);
            ++n;
        }
    });
    return flood(s.localPort(), datagram, count, [&] { return n; });
}

double idleLatenessMs()
{
    double worst = 0;
    QElapsedTimer lateness;
    QTimer tick;
    tick.setTimerType(Qt::PreciseTimer);
    tick.setInterval(10);
    int ticks = 0;
    QObject::connect(&tick, &QTimer::timeout, [&] {
        worst = std::max(worst, lateness.nsecsElapsed() / 1e6 - 10.0);
        lateness.start();
        ++ticks;
    });
    lateness.start();
    tick.start();
    spinUntil([&] { return ticks >= 100; }, 5000);
    return worst;
}

// ---- start-up
struct Startup {
    double ms = 0;
    double peakMb = 0;
};

Startup startProcess(const QString& program, const QStringList& arguments)
{
    QProcess p;
    QElapsedTimer t;
    t.start();
    p.start(program, arguments);
    // The child prints as soon as its event loop runs; what it does on quitting is not start-up.
    if (!p.waitForReadyRead(20000))
        return {-1, -1};
    const double ms = t.nsecsElapsed() / 1e6;
    p.waitForFinished(20000);
    const QByteArray line = p.readAllStandardOutput().trimmed();
    return {ms, line.split(' ').value(1).toDouble() / 1024.0};
}

// ---- range reboot tick
double rangeTickMs(int ticks)
{
    Sink sink;
    UdpLink real(0);
    real.setLoopbackOnly(true);
    SinkLink redirected(real, sink.port);
    Window win(9, 9, &redirected);
    auto& w = *win.w;
    w.CheckBox1->setChecked(true);
    for (int i = 0; i < 4; ++i)
        w.Panel1->octet(i)->setValue(i == 0 ? 192 : i == 1 ? 168 : 1);
    w.EdR1_0_IP_0->setValue(250);
    std::vector<double> times;
    QElapsedTimer t;
    for (int i = 0; i < ticks; ++i) {
        if (!w.Timer2_Conf->isActive()) {
            w.Timer2_Conf->stop();
            w.Button4Click(nullptr);
        }
        t.start();
        w.Timer2_ConfTimer(nullptr);
        times.push_back(t.nsecsElapsed() / 1e6);
        QCoreApplication::processEvents();
    }
    w.Timer2_Conf->stop();
    return median(times);
}

QString num(double v, int decimals = 2)
{
    return QString::number(v, 'f', decimals);
}
} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString dir = QCoreApplication::applicationDirPath();
    std::vector<Row> rows;

    std::vector<double> read, ping;
    for (int r = 0; r < Repetitions; ++r) {
        read.push_back(readRoundTripMs(1000));
        ping.push_back(pingPongMs(1000));
    }
    const double readMs = median(read), pingMs = median(ping);
    rows.push_back({"read round trip (median of 1000 reads)", num(readMs, 3) + " ms", num(pingMs, 3) + " ms",
                    num(readMs / pingMs, 1) + " x", "<= 1 ms and <= 10 x",
                    readMs <= 1.0 && readMs <= 10 * pingMs});

    const long half = 100000;
    std::vector<double> cfg, other, bareCfg, bareOther, late;
    long lostCfg = 0, lostOther = 0;
    for (int r = 0; r < Repetitions; ++r) {
        const FloodResult c = floodWindow(configReply(), half);
        const FloodResult o = floodWindow(QByteArray("status report 0123456789"), half);
        cfg.push_back(c.perSecond);
        other.push_back(o.perSecond);
        late.push_back(std::max(c.worstLatenessMs, o.worstLatenessMs));
        lostCfg = std::max(lostCfg, c.sent - c.handled);
        lostOther = std::max(lostOther, o.sent - o.handled);
        bareCfg.push_back(floodBareDrain(configReply(), half).perSecond);
        bareOther.push_back(floodBareDrain(QByteArray("status report 0123456789"), half).perSecond);
    }
    rows.push_back({"configuration replies handled",
                    num(median(cfg), 0) + " /s (lost " + QString::number(lostCfg) + ")",
                    num(median(bareCfg), 0) + " /s", num(median(cfg) / median(bareCfg), 2) + " x",
                    ">= 20000 /s", median(cfg) >= 20000});
    rows.push_back({"other datagrams handled",
                    num(median(other), 0) + " /s (lost " + QString::number(lostOther) + ")",
                    num(median(bareOther), 0) + " /s", num(median(other) / median(bareOther), 2) + " x",
                    ">= 100000 /s", median(other) >= 100000});
    const double idle = idleLatenessMs();
    rows.push_back({"10 ms timer lateness under flood (worst)", num(median(late)) + " ms", num(idle) + " ms",
                    "-", "<= 50 ms", median(late) <= 50});

    // An operator's start: the settings file is there from the runs before.
    QTemporaryDir settingsDir;
    const QString settings = settingsDir.filePath("TalvikCom.ini");
    startProcess(dir + "/startup_app", {settings});
    std::vector<double> appMs, bareMs, appMb, bareMb;
    for (int r = 0; r < 5; ++r) {
        const Startup a = startProcess(dir + "/startup_app", {settings});
        const Startup b = startProcess(dir + "/startup_bare", {});
        appMs.push_back(a.ms);
        bareMs.push_back(b.ms);
        appMb.push_back(a.peakMb);
        bareMb.push_back(b.peakMb);
    }
    rows.push_back({"start-up time", num(median(appMs), 1) + " ms", num(median(bareMs), 1) + " ms",
                    num(median(appMs) / median(bareMs), 2) + " x", "<= 1.5 x",
                    median(appMs) <= 1.5 * median(bareMs)});
    rows.push_back({"start-up peak memory", num(median(appMb), 1) + " MB", num(median(bareMb), 1) + " MB",
                    "+" + num(median(appMb) - median(bareMb), 1) + " MB", "<= floor + 20 MB",
                    median(appMb) <= median(bareMb) + 20});

    std::vector<double> tick;
    for (int r = 0; r < Repetitions; ++r)
        tick.push_back(rangeTickMs(200));
    rows.push_back({"range-reboot tick (2 word frames + 100 frames)", num(median(tick), 3) + " ms", "-", "-",
                    "<= 2 ms", median(tick) <= 2.0});

    QTextStream out(stdout);
    out << "| figure | value | floor (same run) | ratio | target | met |\n|---|---|---|---|---|---|\n";
    bool all = true;
    for (const Row& r : rows) {
        out << "| " << r.figure << " | " << r.value << " | " << r.floor << " | " << r.ratio << " | "
            << r.target << " | " << (r.met ? "yes" : "NO") << " |\n";
        all = all && r.met;
    }
    out << "\nMedians of " << Repetitions << " repetitions (start-up: 5); " << QThread::idealThreadCount()
        << " cores; " << QDateTime::currentDateTime().toString("yyyy-MM-dd") << ".\n";
    return all ? 0 : 1;
}
