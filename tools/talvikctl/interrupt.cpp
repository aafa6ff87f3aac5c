#include "interrupt.h"

#include "output.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <cstdio>
#include <cstdlib>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <csignal>
#include <unistd.h>
#endif

namespace talvik::ctl {

namespace {
std::function<QString()> progressText;
std::function<void()> gentleStop;

void arm();

// On the main thread, between two events: no line is half written.
void end()
{
    if (gentleStop) {
        arm(); // the next one is heard again (a program stuck meanwhile still ends the system's way)
        return std::exchange(gentleStop, {})();
    }
    out().flush();
    const QString howFar = progressText ? progressText() : QString();
    err() << "talvikctl: interrupted" << (howFar.isEmpty() ? QString() : QStringLiteral("; ") + howFar)
          << Qt::endl;
    std::fflush(nullptr);
    std::_Exit(InterruptedExit); // nothing half done is left to tidy: no destructor needs to run
}

#ifdef Q_OS_WIN
BOOL WINAPI onConsoleEvent(DWORD event)
{
    if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT)
        return FALSE;
    SetConsoleCtrlHandler(onConsoleEvent, FALSE); // a second one ends the program the system's way
    QMetaObject::invokeMethod(
        QCoreApplication::instance(), [] { end(); }, Qt::QueuedConnection);
    return TRUE;
}

void arm()
{
    SetConsoleCtrlHandler(onConsoleEvent, TRUE);
}

void install()
{
    arm();
}
#else
int wakeUp[2] = {-1, -1};

void onSignal(int)
{
    const char byte = 1;
    [[maybe_unused]] const auto written = ::write(wakeUp[1], &byte, 1); // all a handler may do
}

void arm()
{
    struct sigaction action {};
    action.sa_handler = onSignal;
    action.sa_flags = SA_RESETHAND; // a second one ends the program the system's way
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

void install()
{
    if (::pipe(wakeUp) != 0)
        return;
    auto* notifier = new QSocketNotifier(wakeUp[0], QSocketNotifier::Read, QCoreApplication::instance());
    QObject::connect(notifier, &QSocketNotifier::activated, [] {
        char bytes[16];
        [[maybe_unused]] const auto read = ::read(wakeUp[0], bytes, sizeof bytes); // heard: taken away
        end();
    });
    arm();
}
#endif
} // namespace

void stopGentlyOnInterrupt(std::function<void()> stop)
{
    gentleStop = std::move(stop);
}

void endOnInterrupt(std::function<QString()> howFar)
{
    progressText = std::move(howFar);
    install();
}

} // namespace talvik::ctl
