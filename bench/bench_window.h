#pragma once
// The configurator's window as an operator has it: real sockets, shown on the screen
// the benchmark runs on (a virtual X display where there is one), no modal messages.

#include "bench_support.h"
#include "board/board_config.h"
#include "gui/app/TForm1_Config_UDP.h"
#include "gui/app/messages.h"
#include "gui/fleet_window/fleet_dialogs.h"
#include "gui/fleet_window/fleet_window_host.h"
#include "net/udp_link.h"
#include "sim_board.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QWindow>
#include <chrono>

namespace bench {

// A configuration reply, as the board on 127.0.0.2 sends it.
inline QByteArray configReply(quint16 ident = 0)
{
    talvik::WriteFields f;
    f.ip = {127, 0, 0, 2};
    f.mask = {255, 0, 0, 0};
    f.ident = ident;
    return talvik::sim::configReply(f, "2.17");
}

// The benchmarks' application. It notes when a window last finished a repaint (drawn
// and handed to the display server): the moment an operator can first see a change.
class BenchApplication : public QApplication {
  public:
    using QApplication::QApplication;
    bool notify(QObject* receiver, QEvent* event) override
    {
        const bool repaint = event->type() == QEvent::UpdateRequest && receiver->isWidgetType() &&
                             static_cast<QWidget*>(receiver)->isWindow();
        const bool handled = QApplication::notify(receiver, event);
        if (repaint)
            lastRepaint_ = std::chrono::steady_clock::now();
        return handled;
    }
    static std::chrono::steady_clock::time_point lastRepaint() { return lastRepaint_; }

  private:
    static inline std::chrono::steady_clock::time_point lastRepaint_{};
};

class SilentMessages : public talvik::Messages {
  public:
    void message(const QString&) override {}
    void error(const QString&) override {}
};

// The fleet window's questions, answered "no" without a dialog.
struct NoDialogs : talvik::FleetDialogs {
    bool confirm(QWidget*, const QString&, const QString&) override { return false; }
    int choose(QWidget*, const QString&, const QStringList&, int) override { return -1; }
    void message(QWidget*, const QString&) override {}
    QString folder(QWidget*, const QString&) override { return {}; }
    QStringList openFiles(QWidget*, const QString&, const QString&) override { return {}; }
    QString openFile(QWidget*, const QString&, const QString&) override { return {}; }
    QString saveFile(QWidget*, const QString&, const QString&) override { return {}; }
    QString text(QWidget*, const QString&, const QString&, const QString&) override { return {}; }
    QString lines(QWidget*, const QString&, const QString&, const QString&) override { return {}; }
};

// From `act` to the window repainted after it, in ms.
inline double toRepaint(const std::function<void()>& act)
{
    using Clock = std::chrono::steady_clock;
    const auto start = Clock::now();
    act();
    const auto done = Clock::now();
    waitUntil([&] { return BenchApplication::lastRepaint() > done; }, 2000);
    return std::chrono::duration<double, std::milli>(BenchApplication::lastRepaint() - start).count();
}

// Board i of a made-up network 10.0.0.0/16: fields that differ from board to board.
talvik::BoardConfig boardAt(int i);

struct BenchWindow {
    QTemporaryDir dir;
    talvik::UdpLink link{0};
    SilentMessages messages;
    std::unique_ptr<talvik::TForm1_Config_UDP> w;

    explicit BenchWindow(quint16 second = 9, quint16 third = 9, talvik::Link* over = nullptr,
                         const QString& settings = {})
    {
        talvik::WindowOptions o;
        o.link = over ? over : &link;
        o.messages = &messages;
        o.listenPort = 0;
        o.secondPort = second;
        o.thirdPort = third;
        o.settingsPath = settings.isEmpty() ? dir.filePath(QStringLiteral("TalvikCom.ini")) : settings;
        o.journalFolder = dir.filePath(QStringLiteral("journal"));
        w = std::make_unique<talvik::TForm1_Config_UDP>(o);
        w->show();
        waitUntil([this] { return w->windowHandle() && w->windowHandle()->isExposed(); }, 5000);
    }
    quint16 port() const { return link.boundPort(); }
    qint64 handled() const { return w->LabIn->text().toLongLong(); }
};

// What a PC grants a socket that asks for more without being tuned: Linux's default
// net.core.rmem_max (the system doubles it for its bookkeeping).
constexpr int UntunedReceiveBuffer = 212992;

// floor_udp's datagrams into a fresh window, counted by the window. `asTheProgramRuns`:
// with the fleet beside it, its window closed, as the program starts, and the receive
// buffer an untuned PC grants.
inline Received toWindow(const QByteArray& datagram, qint64 count, double rate = 0,
                         bool asTheProgramRuns = false)
{
    talvik::UdpLink link(0);
    if (asTheProgramRuns)
        link.setReceiveBufferWanted(UntunedReceiveBuffer);
    BenchWindow win(9, 9, &link);
    NoDialogs dialogs;
    std::unique_ptr<talvik::FleetWindowHost> fleet =
        asTheProgramRuns ? std::make_unique<talvik::FleetWindowHost>(*win.w, &dialogs) : nullptr;
    return sendTo(link.boundPort(), datagram, count, rate, [&] { return win.handled(); });
}

} // namespace bench
