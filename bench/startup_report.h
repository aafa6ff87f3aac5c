#pragma once
// What a start-up probe reports: the moment its window is on the screen (mapped and
// exposed), and its peak memory; then it quits.

#include <QCoreApplication>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <cstdio>
#include <cstdlib>
#include <cstring>

// VmHWM of this process, in kB.
inline long peakResidentKb()
{
    FILE* f = std::fopen("/proc/self/status", "r");
    if (!f)
        return -1;
    char line[256];
    long kb = -1;
    while (std::fgets(line, sizeof line, f))
        if (std::strncmp(line, "VmHWM:", 6) == 0)
            kb = std::atol(line + 6);
    std::fclose(f);
    return kb;
}

// Once `window` is exposed: print "ready <peak kB>" at once and quit.
inline void reportWhenShown(QWidget& window)
{
    auto* poll = new QTimer(&window);
    QObject::connect(poll, &QTimer::timeout, [&window] {
        if (!window.windowHandle() || !window.windowHandle()->isExposed())
            return;
        std::printf("ready %ld\n", peakResidentKb());
        std::fflush(stdout);
        QCoreApplication::quit();
    });
    poll->start(1);
}
